#include <QSignalSpy>
#include <QTest>

#include "app/tapplication.h"
#include "app/trayicon.h"
#include "testworld.h"
#include "ui_MainPage.h"

namespace {

QAction* trayMenuItem(TestWorld& world, const QString& caption)
{
    for (QAction* action : world.form1().trayIcon().popupMenu().actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

// The ways the window is sent to the tray (where there is one).
bool sendAway(TestWorld& world, const QString& route)
{
    if (route == QLatin1String("BitBtn2")) {
        world.ui().BitBtn2->click();
    } else if (route == QLatin1String("N7")) {
        world.ui().N7->trigger();
    } else if (route == QLatin1String("N27")) {
        QAction* item = trayMenuItem(world, QStringLiteral("Свернуть"));
        if (item != world.ui().N27)
            return false;
        item->trigger();
    } else if (route == QLatin1String("title-bar minimise")) {
        world.form1().setWindowState(world.form1().windowState() | Qt::WindowMinimized);
    } else if (route == QLatin1String("close to tray")) {
        world.mainPage().CheckBox11->setChecked(true);
        world.form1().close();
    } else {
        return false;
    }
    return true;
}

void addRoutes()
{
    QTest::addColumn<QString>("route");
    for (const char* route : {"BitBtn2", "N7", "N27", "title-bar minimise", "close to tray"})
        QTest::newRow(route) << QString::fromLatin1(route);
}

} // namespace

class TrayTest : public QObject
{
    Q_OBJECT

private slots:
    void trayMenuHoldsItsItemsInOrder()
    {
        TestWorld world;
        QVERIFY(world.start());
        QStringList captions;
        for (const QAction* action : world.form1().trayIcon().popupMenu().actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(captions,
                 (QStringList{QStringLiteral("Развернуть"), QStringLiteral("Свернуть"), QStringLiteral("Отмена"),
                              QStringLiteral("Муз. плеер"), QStringLiteral("-"), QStringLiteral("О программе"),
                              QStringLiteral("-"), QStringLiteral("Закрыть")}));
        // "Отмена" only closes the menu, toggling its own check mark.
        world.ui().N3->trigger();
        QVERIFY(world.ui().N3->isChecked());
        world.ui().N3->trigger();
        QVERIFY(!world.ui().N3->isChecked());
        QVERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().inTray());
        QVERIFY(world.dialogs.requests.isEmpty());
    }

    void everyRouteToTheTrayHidesTheWindowAndTheTrayBringsItBack_data() { addRoutes(); }

    void everyRouteToTheTrayHidesTheWindowAndTheTrayBringsItBack()
    {
        QFETCH(QString, route);
        TestWorld world;
        QVERIFY(world.start());

        QVERIFY(sendAway(world, route));

        QTRY_VERIFY(world.form1().inTray());
        QVERIFY(!world.form1().isVisible());
        QVERIFY(world.form1().trayIcon().isVisible());
        QVERIFY(world.dialogs.questions().isEmpty());

        QAction* restore = trayMenuItem(world, QStringLiteral("Развернуть"));
        QCOMPARE(restore, world.ui().N1);
        restore->trigger();
        QVERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().isMinimized());
        QVERIFY(!world.form1().inTray());
        QVERIFY(QTest::qWaitForWindowActive(&world.form1()));

        // Once more, back by a double-click on the icon.
        QVERIFY(sendAway(world, route));
        QTRY_VERIFY(world.form1().inTray());
        emit world.form1().trayIcon().icon().activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().inTray());
        // A single click is no restore.
        QVERIFY(sendAway(world, route));
        QTRY_VERIFY(world.form1().inTray());
        emit world.form1().trayIcon().icon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(!world.form1().isVisible());
    }

    void withoutATrayEveryRouteMinimisesToTheTaskbar_data() { addRoutes(); }

    void withoutATrayEveryRouteMinimisesToTheTaskbar()
    {
        QFETCH(QString, route);
        TestWorld world;
        TrayIcon::setAvailabilityOverride(false);
        QVERIFY(world.start());

        QVERIFY(sendAway(world, route));

        QTRY_VERIFY(world.form1().isMinimized());
        QVERIFY(processQueuedEvents());
        QVERIFY(world.form1().isVisible());
        QVERIFY(world.form1().isMinimized());
        QVERIFY(!world.form1().inTray());
        QVERIFY(world.dialogs.questions().isEmpty());

        // Its taskbar button brings it back, and nothing sends it away again.
        world.form1().showNormal();
        world.form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&world.form1()));
        QVERIFY(processQueuedEvents());
        QVERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().isMinimized());
    }

    void storedTrayStart_data()
    {
        QTest::addColumn<bool>("trayAvailable");
        QTest::newRow("tray") << true;
        QTest::newRow("no tray") << false;
    }

    void storedTrayStart()
    {
        QFETCH(bool, trayAvailable);
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("vtrey"), QStringLiteral("1"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        TrayIcon::setAvailabilityOverride(trayAvailable);
        second.startWithoutWaiting();

        QTRY_VERIFY(second.mainPage().CheckBox7->isChecked());
        QCOMPARE(second.form1().inTray(), trayAvailable);
        // Without a tray the window starts as the ordinary one, at this start and every later one.
        if (trayAvailable) {
            QTRY_VERIFY(second.form1().isMinimized());
            QVERIFY(!second.form1().isVisible());
        } else {
            QVERIFY(QTest::qWaitForWindowExposed(&second.form1()));
            QVERIFY(!second.form1().isMinimized());
        }
        QCOMPARE(second.stored(QStringLiteral("vtrey")), QStringLiteral("1"));
    }

    void aboutCommandsShowTheAboutWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("SpeedButton32") << QStringLiteral("SpeedButton32");
        QTest::newRow("N6") << QStringLiteral("N6");
        QTest::newRow("F1") << QStringLiteral("F1");
        QTest::newRow("N25") << QStringLiteral("N25");
    }

    void aboutCommandsShowTheAboutWindow()
    {
        QFETCH(QString, command);
        TestWorld world;
        QVERIFY(world.start());
        QWidget* about = world.form1().aboutWindow();
        QVERIFY(about && !about->isVisible());

        if (command == QLatin1String("SpeedButton32")) {
            QTest::mouseClick(world.ui().SpeedButton32, Qt::LeftButton);
        } else if (command == QLatin1String("N6")) {
            QCOMPARE(world.ui().N6->text(), QStringLiteral("&О программе"));
            world.ui().N6->trigger();
        } else if (command == QLatin1String("F1")) {
            QCOMPARE(world.ui().N6->shortcut(), QKeySequence(Qt::Key_F1));
            QTest::keyClick(&world.form1(), Qt::Key_F1);
        } else {
            QAction* item = trayMenuItem(world, QStringLiteral("О программе"));
            QCOMPARE(item, world.ui().N25);
            item->trigger();
        }

        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QVERIFY(QTest::qWaitForWindowActive(about));
        // Not modal: the main window can be used meanwhile, and coming back to it is an activation.
        world.form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&world.form1()));
        QTRY_COMPARE(world.stored(QStringLiteral("Запускалси")), QStringLiteral("2"));
        about->close();
    }
};

TROMBUS_GUI_TEST_MAIN(TrayTest)
#include "tray_test.moc"
