// The power actions go to the desktop's session manager on the session bus and to logind on the system bus only
// where no session manager answers. Both buses are private daemons of this test; every service is a recording
// stand-in, so nothing here can end a session or a machine.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <memory>

#include "platform/power.h"
#include "support/privatebus.h"

namespace {

using platform::PowerAction;

struct Buses
{
    PrivateBus session;
    PrivateBus system;
};

// Qt connects to each bus once per process, so the buses are made once, before anything connects.
Buses& buses()
{
    static Buses* made = [] {
        static int argc = 1;
        static char name[] = "power_test";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
        auto* result = new Buses;
        qputenv("DBUS_SESSION_BUS_ADDRESS", result->session.address().toUtf8());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", result->system.address().toUtf8());
        return result;
    }();
    return *made;
}

struct Interface
{
    const char* service;
    const char* path;
    const char* interface;
    QStringList methods;
    bool systemBus = false;
};

const Interface Gnome{"org.gnome.SessionManager",
                      "/org/gnome/SessionManager",
                      "org.gnome.SessionManager",
                      {"Logout", "Reboot", "Shutdown"}};
const Interface Ksmserver{"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", {"logout"}};
const Interface KdeShutdown{
    "org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", {"logout", "logoutAndReboot", "logoutAndShutdown"}};
const Interface Xfce{"org.xfce.SessionManager",
                     "/org/xfce/SessionManager",
                     "org.xfce.Session.Manager",
                     {"Logout", "Restart", "Shutdown"}};
// Every method of logind's manager that could end a session or the machine, so a wrong one is seen too.
const Interface Logind{"org.freedesktop.login1",
                       "/org/freedesktop/login1",
                       "org.freedesktop.login1.Manager",
                       {"Reboot", "PowerOff", "Halt", "TerminateSession", "TerminateUser", "KillSession", "KillUser"},
                       true};

class PowerTest : public ::testing::Test
{
protected:
    RecordingBusService& add(const Interface& what, QStringList methods = {})
    {
        const QString address = what.systemBus ? buses().system.address() : buses().session.address();
        m_services.push_back(std::make_unique<RecordingBusService>(
            address, QString::fromLatin1(what.service), QString::fromLatin1(what.path),
            QString::fromLatin1(what.interface), methods.isEmpty() ? what.methods : methods, log));
        EXPECT_TRUE(m_services.back()->registered()) << what.service;
        return *m_services.back();
    }

    // Runs the event loop until `count` calls are recorded, then a little longer so that a call that must not
    // come has had every chance to.
    void waitFor(qsizetype count)
    {
        QDeadlineTimer deadline(10000);
        while (log.size() < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        settle();
    }

    // Lets the chain of calls run to its end: each of its steps needs the event loop once for the answer and once
    // for the stand-in, and a round trip to each bus daemon makes sure what was sent has arrived. Far more rounds
    // than the longest chain has steps.
    void settle()
    {
        for (int round = 0; round < 30; ++round) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            for (const QString& address : {buses().session.address(), buses().system.address()}) {
                QDBusConnection probe = QDBusConnection::connectToBus(address, QStringLiteral("probe ") + address);
                probe.call(QDBusMessage::createMethodCall(
                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
            }
        }
    }

    bool request(PowerAction action)
    {
        buses();
        return m_power->request(action);
    }

    void SetUp() override
    {
        ASSERT_FALSE(buses().session.address().isEmpty());
        ASSERT_FALSE(buses().system.address().isEmpty());
        m_power = platform::Power::create({});
    }

    QStringList log;

private:
    std::vector<std::unique_ptr<RecordingBusService>> m_services;
    std::shared_ptr<platform::Power> m_power;
};

struct Case
{
    const char* name;
    PowerAction action;
    std::vector<const Interface*> present;
    const char* expected; // the one call that must be made, or empty for none
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class PowerRouteTest : public PowerTest, public ::testing::WithParamInterface<Case>
{
};

TEST_P(PowerRouteTest, AsksTheFirstSessionManagerThatAnswersAndNobodyElse)
{
    const Case& c = GetParam();
    for (const Interface* present : c.present)
        add(*present);
    EXPECT_TRUE(request(c.action));
    const QString expected = QString::fromLatin1(c.expected);
    if (expected.isEmpty())
        settle();
    else
        waitFor(1);
    EXPECT_EQ(log.join(QLatin1Char('|')).toStdString(), expected.toStdString());
}

const std::vector<Case> Cases{
    {"GnomeLogOff", PowerAction::LogOff, {&Gnome, &Logind}, "org.gnome.SessionManager Logout 0"},
    {"GnomeRestart", PowerAction::Restart, {&Gnome, &Logind}, "org.gnome.SessionManager Reboot"},
    {"GnomePowerOff", PowerAction::PowerOff, {&Gnome, &Logind}, "org.gnome.SessionManager Shutdown"},
    {"KsmserverLogOff", PowerAction::LogOff, {&Ksmserver, &KdeShutdown, &Logind}, "org.kde.ksmserver logout 1 0 3"},
    {"KsmserverRestart", PowerAction::Restart, {&Ksmserver, &Logind}, "org.kde.ksmserver logout 1 1 3"},
    {"KsmserverPowerOff", PowerAction::PowerOff, {&Ksmserver, &Logind}, "org.kde.ksmserver logout 1 2 3"},
    {"KdeShutdownLogOff", PowerAction::LogOff, {&KdeShutdown, &Logind}, "org.kde.Shutdown logout"},
    {"KdeShutdownRestart", PowerAction::Restart, {&KdeShutdown, &Logind}, "org.kde.Shutdown logoutAndReboot"},
    {"KdeShutdownPowerOff", PowerAction::PowerOff, {&KdeShutdown, &Logind}, "org.kde.Shutdown logoutAndShutdown"},
    {"XfceLogOff", PowerAction::LogOff, {&Xfce, &Logind}, "org.xfce.SessionManager Logout false false"},
    {"XfceRestart", PowerAction::Restart, {&Xfce, &Logind}, "org.xfce.SessionManager Restart false"},
    {"XfcePowerOff", PowerAction::PowerOff, {&Xfce, &Logind}, "org.xfce.SessionManager Shutdown false"},
    {"LogindRestart", PowerAction::Restart, {&Logind}, "org.freedesktop.login1 Reboot false"},
    {"LogindPowerOff", PowerAction::PowerOff, {&Logind}, "org.freedesktop.login1 PowerOff false"},
    // logind could only end the session by killing its programs.
    {"LogindNoLogOff", PowerAction::LogOff, {&Logind}, ""},
};

INSTANTIATE_TEST_SUITE_P(Desktops, PowerRouteTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(PowerTest, ASessionManagerWithoutTheMethodPassesToTheNextOne)
{
    // An older GNOME-compatible session manager that cannot reboot.
    add(Gnome, {QStringLiteral("Logout")});
    add(Xfce);
    add(Logind);
    EXPECT_TRUE(request(PowerAction::Restart));
    waitFor(1);
    EXPECT_EQ(log.join(QLatin1Char('|')).toStdString(), "org.xfce.SessionManager Restart false");
}

TEST_F(PowerTest, ARefusalOfTheSessionManagerIsNotGoneAroundThroughLogind)
{
    add(Gnome).refuse = true;
    add(Logind);
    EXPECT_TRUE(request(PowerAction::PowerOff));
    waitFor(1);
    EXPECT_EQ(log.join(QLatin1Char('|')).toStdString(), "org.gnome.SessionManager Shutdown");
}

TEST_F(PowerTest, NobodyOnEitherBusIsQuiet)
{
    EXPECT_TRUE(request(PowerAction::PowerOff));
    settle();
    EXPECT_EQ(log.join(QLatin1Char('|')).toStdString(), "");
}

} // namespace
