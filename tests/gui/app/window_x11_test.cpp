#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include "app/appearance.h"
#include "app/tapplication.h"
#include "app/trayicon.h"
#include "app/windowplacement.h"
#include "testworld.h"
#include "ui_MainPage.h"

// The main window on a real X server with a window manager (run-under-wm.sh starts both): where its frame
// really is, asked of the X server with the standard X tools rather than of Qt.
namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int number(const QString& text, const QString& pattern)
{
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The frame as the X server has it: the client area's place and size, grown by the extents the window
// manager announces; an empty rectangle while it announces none.
QRect frameOnScreen(const QWidget& window)
{
    const QString id = QString::number(window.winId());
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    const QString extents =
        run(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    const QRegularExpressionMatch sides =
        QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
    if (!sides.hasMatch())
        return {};
    const int left = sides.captured(1).toInt();
    const int right = sides.captured(2).toInt();
    const int top = sides.captured(3).toInt();
    const int bottom = sides.captured(4).toInt();
    const QRect client(number(info, QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)")),
                       number(info, QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)")),
                       number(info, QStringLiteral("Width:\\s+(\\d+)")),
                       number(info, QStringLiteral("Height:\\s+(\\d+)")));
    return client.adjusted(-left, -top, right, bottom);
}

// The window manager's view of the window: "Normal" or "Iconic".
QString windowManagerState(const QWidget& window)
{
    const QString state = run(QStringLiteral("xprop"),
                              {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("WM_STATE")});
    return QRegularExpression(QStringLiteral("window state: (\\w+)")).match(state).captured(1);
}

// The frame is known and where the program meant it.
bool settled(TestWorld& world)
{
    return QTest::qWaitFor(
        [&] {
            return !world.form1().placement().pending() && !world.form1().placement().decoration().isNull() &&
                   !frameOnScreen(world.form1()).isEmpty();
        },
        5000);
}

QPoint storedCorner(TestWorld& world)
{
    return {world.stored(QStringLiteral("left")).toInt(), world.stored(QStringLiteral("top")).toInt()};
}

bool closeWithYes(TestWorld& world)
{
    QSignalSpy ending(&world.form1(), &TForm1::programEnding);
    world.ui().BitBtn3->click();
    return QTest::qWaitFor([&] { return ending.count() == 1; }, 5000);
}

void typeScale(TestWorld& world, const QString& percent)
{
    QLineEdit* edit = world.ui().Edit1;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, percent);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class WindowX11Test : public QObject
{
    Q_OBJECT

private slots:
    void runsUnderAWindowManager()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains(QStringLiteral("window id")));
    }

    void frameStaysPutOverManyStarts()
    {
        TestWorld first;
        QVERIFY(first.start());
        QVERIFY(settled(first));
        const QRect frame = frameOnScreen(first.form1());
        // The first start centres the window on its monitor and stores where its frame is.
        const QSize screen = first.form1().screen()->geometry().size();
        QCOMPARE(frame.topLeft(), QPoint(screen.width() / 2 - first.form1().width() / 2,
                                         screen.height() / 2 - first.form1().height() / 2));
        QCOMPARE(storedCorner(first), frame.topLeft());
        QVERIFY(closeWithYes(first));
        QCOMPARE(storedCorner(first), frame.topLeft());
        const QString folder = first.configDir();
        first.stop();

        for (int run = 2; run <= 6; ++run) {
            TestWorld next({}, folder);
            QVERIFY(next.start());
            QVERIFY(settled(next));
            QCOMPARE(frameOnScreen(next.form1()), frame);
            QVERIFY(closeWithYes(next));
            QCOMPARE(storedCorner(next), frame.topLeft());
            next.stop();
        }
    }

    void frameMovedByTheUserIsWhereTheNextStartPutsIt()
    {
        TestWorld first;
        QVERIFY(first.start());
        QVERIFY(settled(first));
        const QRect before = frameOnScreen(first.form1());
        // As a drag by the title bar does: the window manager moves the frame.
        run(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QString::number(first.form1().winId()),
                                        QStringLiteral("101"), QStringLiteral("77")});
        QTRY_VERIFY(frameOnScreen(first.form1()).topLeft() != before.topLeft());
        const QRect moved = frameOnScreen(first.form1());
        QTRY_COMPARE(first.form1().placement().framePosition(), moved.topLeft());
        QVERIFY(closeWithYes(first));
        QCOMPARE(storedCorner(first), moved.topLeft());
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(settled(second));
        QCOMPARE(frameOnScreen(second.form1()), moved);
    }

    void returningFromAboutLeavesTheFrameWhereItWas()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(settled(world));
        const QRect frame = frameOnScreen(world.form1());

        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));
        // The activation has run again (a busy window manager may pass the focus back and forth once more).
        QTRY_VERIFY(world.stored(QStringLiteral("Запускалси")).toInt() >= 2);
        QVERIFY(settled(world));
        QCOMPARE(frameOnScreen(world.form1()), frame);
    }

    void scalingKeepsTheTopLeftCorner()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(settled(world));
        // High enough on the screen for the larger window to fit below its corner.
        world.form1().placement().placeFrame(QPoint(100, 40));
        QVERIFY(settled(world));
        const QRect frame = frameOnScreen(world.form1());
        QCOMPARE(frame.topLeft(), QPoint(100, 40));
        const QSize client = world.form1().size();

        typeScale(world, QStringLiteral("150"));
        QTRY_COMPARE(world.form1().size(), QSize(813, 818));
        QVERIFY(settled(world));
        QTRY_COMPARE(frameOnScreen(world.form1()).topLeft(), frame.topLeft());
        QCOMPARE(frameOnScreen(world.form1()).size(), frame.size() - client + QSize(813, 818));

        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);
        QTRY_COMPARE(world.form1().size(), client);
        QVERIFY(settled(world));
        QTRY_COMPARE(frameOnScreen(world.form1()), frame);
    }

    void scalingNearTheScreensEdgeMovesTheWindowOnlyAsFarAsItMust()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(settled(world));
        const QRect frame = frameOnScreen(world.form1());
        const QRect area = world.form1().screen()->availableGeometry();

        typeScale(world, QStringLiteral("150"));
        QTRY_COMPARE(world.form1().size(), QSize(813, 818));
        QVERIFY(settled(world));
        const QRect scaled = frameOnScreen(world.form1());
        QCOMPARE(scaled.left(), frame.left());
        QCOMPARE(scaled.bottom(), area.bottom());
        QVERIFY(world.ui().ErroR->isHidden());
    }

    void scaleLargerThanTheScreenIsAppliedWithTheTitleBarOnIt()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(settled(world));
        const QSize client = world.form1().size();
        const QRect area = world.form1().screen()->availableGeometry();
        QVERIFY(client.height() * 2 > area.height());

        typeScale(world, QStringLiteral("200"));
        QTRY_COMPARE(world.form1().size(), client * 2);
        QVERIFY(settled(world));
        QVERIFY(world.ui().ErroR->isHidden());
        QCOMPARE(world.features().appearance().scalePercent(), 200);
        // The window reaches past the screen's bottom, but its title bar is on the screen, where it can be taken.
        const QRect frame = frameOnScreen(world.form1());
        QVERIFY(frame.bottom() > area.bottom());
        QVERIFY(
            area.contains(QRect(frame.topLeft(), QSize(frame.width(), world.form1().placement().titleBarHeight()))));

        // The undo brings it back to the size it had.
        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);
        QTRY_COMPARE(world.form1().size(), client);
        QVERIFY(world.ui().ErroR->isHidden());
    }

    void storedPositionOffEveryScreenComesBack_data()
    {
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("title bar above the screen") << QPoint(369, -300) << false;
        QTest::newRow("on a monitor to the left that is gone") << QPoint(-1600, 200) << false;
        QTest::newRow("below the screen") << QPoint(100, 2000) << false;
        QTest::newRow("partly off the left edge, title bar still there") << QPoint(-300, 20) << true;
    }

    void storedPositionOffEveryScreenComesBack()
    {
        QFETCH(QPoint, stored);
        QFETCH(bool, reachable);
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("left"), QString::number(stored.x()));
        first.store(QStringLiteral("top"), QString::number(stored.y()));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(settled(second));
        const QRect frame = frameOnScreen(second.form1());
        const QRect area = second.form1().screen()->availableGeometry();
        if (reachable)
            QCOMPARE(frame.topLeft(), stored);
        else
            QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                          .arg(frame.x())
                                                          .arg(frame.y())
                                                          .arg(frame.width())
                                                          .arg(frame.height())));
        QVERIFY(closeWithYes(second));
        QCOMPARE(storedCorner(second), frame.topLeft());
    }

    void thisDesktopHasNoTrayAndTheWindowGoesToTheTaskbar()
    {
        TestWorld world;
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(!TrayIcon::available());
        QVERIFY(world.start());
        QVERIFY(settled(world));

        world.ui().BitBtn2->click();
        QTRY_COMPARE(windowManagerState(world.form1()), QStringLiteral("Iconic"));
        QVERIFY(world.form1().isMinimized());
        QVERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().inTray());

        // As a click on its taskbar button does.
        world.form1().showNormal();
        world.form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&world.form1()));
        QTRY_COMPARE(windowManagerState(world.form1()), QStringLiteral("Normal"));
    }

    // openbox has neither a tray nor a taskbar: a window minimised at start could not be found again.
    void storedTrayStartWithoutATrayShowsTheOrdinaryWindow()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("vtrey"), QStringLiteral("1"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        second.startWithoutWaiting();
        QTRY_VERIFY(second.mainPage().CheckBox7->isChecked());
        QVERIFY(QTest::qWaitForWindowActive(&second.form1()));
        QTRY_COMPARE(windowManagerState(second.form1()), QStringLiteral("Normal"));
        QVERIFY(!second.form1().isMinimized());
        QVERIFY(!second.form1().inTray());
    }
};

TROMBUS_GUI_TEST_MAIN(WindowX11Test)
#include "window_x11_test.moc"
