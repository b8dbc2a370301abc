#include "platform/power.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QString>
#include <QVariant>

namespace platform {
namespace {

const QString Login1Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");

// systemd-logind does the work; "interactive" lets polkit ask the user for permission where needed, and
// logind's ordinary shutdown lets programs end the usual way (nothing is forced). The reply is not waited for:
// an authentication prompt may take as long as the user likes.
class LogindPower final : public Power
{
public:
    bool request(PowerAction action) override
    {
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected())
            return false;
        switch (action) {
        case PowerAction::LogOff:
            return bus.send(endSessionMessage());
        case PowerAction::Restart:
            return bus.send(managerCall(QStringLiteral("Reboot"), true));
        case PowerAction::PowerOff:
            return bus.send(managerCall(QStringLiteral("PowerOff"), true));
        }
        return false;
    }

private:
    static QDBusMessage managerCall(const QString& method, const QVariant& argument)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(Login1Service, ManagerPath, ManagerInterface, method);
        message << argument;
        return message;
    }

    static QDBusMessage endSessionMessage()
    {
        const QString sessionId = qEnvironmentVariable("XDG_SESSION_ID");
        if (!sessionId.isEmpty())
            return managerCall(QStringLiteral("TerminateSession"), sessionId);
        // Without the variable, logind resolves "auto" to the caller's session (or the user's display session).
        return QDBusMessage::createMethodCall(Login1Service, QStringLiteral("/org/freedesktop/login1/session/auto"),
                                              QStringLiteral("org.freedesktop.login1.Session"),
                                              QStringLiteral("Terminate"));
    }
};

} // namespace

std::shared_ptr<Power> Power::create(const Context&)
{
    return std::make_shared<LogindPower>();
}

} // namespace platform
