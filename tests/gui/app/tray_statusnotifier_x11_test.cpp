// The tray icon on a desktop whose panel hosts StatusNotifier items (KDE Plasma, Xfce, Cinnamon, GNOME with the
// AppIndicator extension): the program runs on X with this test's own session bus, where a small watcher and
// host stand in for the panel; the icon registers with it, and a click arrives as the item's Activate.
#include <QTest>

#include "app/tapplication.h"
#include "app/trayicon.h"
#include "statusnotifierhost.h"
#include "testworld.h"
#include "ui_MainPage.h"

class TrayStatusNotifierTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Qt looks for the host once, when the first tray icon is made.
        m_host = std::make_unique<StatusNotifierHost>();
        QVERIFY(m_host->begin());
    }

    void aClickFromTheHostBringsTheWindowBackFromTheTray_data()
    {
        QTest::addColumn<bool>("closeToTray");
        QTest::newRow("в трей") << false;
        // The title bar's close with "Не закрывать а кидать в трей" ticked.
        QTest::newRow("close to the tray") << true;
    }

    void aClickFromTheHostBringsTheWindowBackFromTheTray()
    {
        QFETCH(bool, closeToTray);
        // How the window stands right after each request of the tray icon has been answered.
        QList<bool> restored;
        const qsizetype itemsBefore = m_host->items().size();
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(TrayIcon::available());
        // This run's icon has registered with the host.
        QTRY_COMPARE(m_host->items().size(), itemsBefore + 1);

        if (closeToTray) {
            world.mainPage().CheckBox11->setChecked(true);
            world.form1().close();
        } else {
            world.ui().BitBtn2->click();
        }
        QTRY_VERIFY(world.form1().inTray());
        QTRY_VERIFY(!world.form1().isVisible());

        connect(&world.form1().trayIcon(), &TrayIcon::doubleClicked, this, [&] {
            restored << (world.form1().isVisible() && !world.form1().inTray() && !world.form1().isMinimized());
        });
        m_host->activate(m_host->items().constLast());
        QTRY_COMPARE(restored, QList<bool>{true});
        QVERIFY(world.dialogs.questions().isEmpty());
    }

private:
    std::unique_ptr<StatusNotifierHost> m_host;
};

TROMBUS_GUI_TEST_MAIN(TrayStatusNotifierTest)
#include "tray_statusnotifier_x11_test.moc"
