#include <QApplication>
#include <QProcess>
#include <QTest>

#include "app/tapplication.h"
#include "app/trayicon.h"
#include "testworld.h"

// The console on a real X server with a window manager (run-under-wm.sh starts both): keys typed on the
// keyboard reach it through the X server, and the focus it takes is the window manager's real focus.
namespace {

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

/// Keys pressed on the keyboard, as X key names ("grave", "Return", "Z").
bool pressKeys(const QStringList& keys)
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")} + keys);
}

/// Text typed on the keyboard.
bool typeText(const QString& text)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

} // namespace

class ConsoleX11Test : public QObject
{
    Q_OBJECT

private slots:
    void keyLeftOfOneOpensTheConsoleFocusedAndTypingRunsIt()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::Form1& ui = world.ui();
        // The focus is somewhere on the page; the key works wherever it is.
        ui.TabbedNotebook1->setCurrentIndex(1);
        world.helpPage().Edit3->setFocus();
        QTRY_VERIFY(world.helpPage().Edit3->hasFocus());

        QVERIFY(pressKeys({QStringLiteral("grave")}));
        QTRY_VERIFY(!ui.console->isHidden());
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QStringLiteral("help"));
        // The key opened the console and typed nothing anywhere.
        QCOMPARE(world.helpPage().Edit3->text(), QString());

        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("Form_name two words")));
        QVERIFY(pressKeys({QStringLiteral("Return")}));
        QTRY_COMPARE(world.form1().windowTitle(), QStringLiteral("two words"));
        QCOMPARE(ui.console->text(), QStringLiteral("Form_name two words"));

        // Closing forgets the line; reopening shows it empty and focused.
        QVERIFY(pressKeys({QStringLiteral("grave")}));
        QTRY_VERIFY(ui.console->isHidden());
        QCOMPARE(ui.console->text(), QString());
        QVERIFY(pressKeys({QStringLiteral("grave")}));
        QTRY_VERIFY(!ui.console->isHidden());
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QString());
    }

    void menuItemAndPictureOpenItFocused()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::Form1& ui = world.ui();
        world.mainPage().CheckBox8->setFocus();

        ui.N41->trigger();
        QTRY_VERIFY(ui.console->hasFocus());
        ui.N41->trigger();
        QVERIFY(ui.console->isHidden());

        // A real double-click: its first click puts the service command into the line, the double-click opens it.
        const QPoint centre = ui.Image3->mapToGlobal(ui.Image3->rect().center());
        QVERIFY(xdotool({QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                         QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                         QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")}));
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QStringLiteral("-=Kr@nTOS_314=- "));
        QVERIFY(ui.Button21->isVisible());
        QVERIFY(ui.conbut->isVisible());
    }

    void hiddenWindowComesBackOnScreen()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.ui().N41->trigger();
        QTRY_VERIFY(world.ui().console->hasFocus());
        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("hide 300")));
        QVERIFY(pressKeys({QStringLiteral("Return")}));
        QTRY_VERIFY(!world.form1().isVisible());
        QVERIFY(!world.form1().trayIcon().isVisible());
        QTRY_VERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().isMinimized());
        QVERIFY(world.form1().trayIcon().isVisible());
        QVERIFY(world.form1().Timer1.isActive());
    }
};

TROMBUS_GUI_TEST_MAIN(ConsoleX11Test)
#include "console_x11_test.moc"
