// The timer's and the alarm's system actions through the real window and the real power service: the desktop's
// session manager and logind are recording stand-ins on this test's own buses (a session bus of its own from
// dbus-run-session, a private daemon as the system bus), so nothing here ends a session or a machine.
#include <QComboBox>
#include <QTest>

#include "app/tapplication.h"
#include "digitentry.h"
#include "fakeclock.h"
#include "privatebus.h"
#include "recordingservices.h"
#include "testworld.h"
#include "ui_RemindPage.h"
#include "widgets/tnumedit.h"

namespace {

PrivateBus* systemBus = nullptr;

struct Desktop
{
    QString service;
    QString path;
    QString interface;
    QStringList methods;
};

const Desktop Gnome{QStringLiteral("org.gnome.SessionManager"),
                    QStringLiteral("/org/gnome/SessionManager"),
                    QStringLiteral("org.gnome.SessionManager"),
                    {QStringLiteral("Logout"), QStringLiteral("Reboot"), QStringLiteral("Shutdown")}};
const Desktop Xfce{QStringLiteral("org.xfce.SessionManager"),
                   QStringLiteral("/org/xfce/SessionManager"),
                   QStringLiteral("org.xfce.Session.Manager"),
                   {QStringLiteral("Logout"), QStringLiteral("Restart"), QStringLiteral("Shutdown")}};

} // namespace

class ReminderPowerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!systemBus->address().isEmpty()); }

    void actionsGoToTheSessionManagerFirst_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("expected");
        QTest::newRow("GNOME, timer, log-off") << "gnome" << false << 1 << "org.gnome.SessionManager Logout 0";
        QTest::newRow("GNOME, timer, restart") << "gnome" << false << 2 << "org.gnome.SessionManager Reboot";
        QTest::newRow("GNOME, alarm, power-off") << "gnome" << true << 3 << "org.gnome.SessionManager Shutdown";
        QTest::newRow("Xfce, alarm, log-off") << "xfce" << true << 1 << "org.xfce.SessionManager Logout false false";
        QTest::newRow("no session manager, timer, restart")
            << "none" << false << 2 << "org.freedesktop.login1 Reboot false";
        QTest::newRow("no session manager, alarm, power-off")
            << "none" << true << 3 << "org.freedesktop.login1 PowerOff false";
    }

    void actionsGoToTheSessionManagerFirst()
    {
        QFETCH(QString, desktop);
        QFETCH(bool, alarm);
        QFETCH(int, action);
        QFETCH(QString, expected);
        QStringList calls;
        std::unique_ptr<RecordingBusService> sessionManager;
        const QString sessionAddress = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
        if (desktop != QLatin1String("none")) {
            const Desktop& d = desktop == QLatin1String("gnome") ? Gnome : Xfce;
            sessionManager =
                std::make_unique<RecordingBusService>(sessionAddress, d.service, d.path, d.interface, d.methods, calls);
            QVERIFY(sessionManager->registered());
        }
        RecordingBusService logind(systemBus->address(), QStringLiteral("org.freedesktop.login1"),
                                   QStringLiteral("/org/freedesktop/login1"),
                                   QStringLiteral("org.freedesktop.login1.Manager"),
                                   {QStringLiteral("Reboot"), QStringLiteral("PowerOff"),
                                    QStringLiteral("TerminateSession"), QStringLiteral("KillSession")},
                                   calls);
        QVERIFY(logind.registered());

        FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(7, 29, 59)));
        ReminderLog log;
        TestWorld world;
        world.platform->replace<platform::Sound>(std::make_shared<RecordingSound>(log));
        QVERIFY(world.start());
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageRemind);
        Ui::RemindPage& ui = world.remindPage();
        if (alarm) {
            QTest::mouseClick(ui.Panel12, Qt::LeftButton);
            ui.ComboBox8->setCurrentIndex(action);
            typeInto(ui.NumEdit4, "7");
            typeInto(ui.NumEdit5, "30");
            typeInto(ui.NumEdit6, "0");
            ui.BitBtn14->click();
            clock.setTimeOfDay(QTime(7, 30, 0));
            QMetaObject::invokeMethod(&world.features().BUDIL, "timeout");
        } else {
            QTest::mouseClick(ui.Panel11, Qt::LeftButton);
            ui.ComboBox9->setCurrentIndex(action);
            typeInto(ui.NumEdit3, "1");
            ui.BitBtn13->click();
            clock.advanceMs(1000);
            QMetaObject::invokeMethod(&world.features().TIMER, "timeout");
        }

        QTRY_COMPARE(calls, QStringList{expected});
        // The window goes on as before: the session manager may ask the user, or a program may refuse.
        QVERIFY(world.form1().isVisible());
    }
};

TROMBUS_TEST_ENTRY(ReminderPowerTest)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Before anything connects to the system bus.
    PrivateBus bus;
    systemBus = &bus;
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address().toUtf8());
    TApplication app(argc, argv);
    ReminderPowerTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "power_test.moc"
