#include "platform/power.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace platform {
namespace {

// One way of asking for an action: a method of a service on the session or the system bus.
struct Request
{
    bool systemBus;
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList arguments;
};

QVariantList args(std::initializer_list<QVariant> values)
{
    return QVariantList(values);
}

// The desktop's session manager is asked first: it lets every program save its work or refuse, and asks the
// user where the desktop does so. GNOME's interface is also served by Cinnamon's and MATE's session managers.
std::vector<Request> sessionManagerRequests(PowerAction action)
{
    const QString gnome = QStringLiteral("org.gnome.SessionManager");
    const QString gnomePath = QStringLiteral("/org/gnome/SessionManager");
    const QString ksmserver = QStringLiteral("org.kde.ksmserver");
    const QString ksmPath = QStringLiteral("/KSMServer");
    const QString ksmInterface = QStringLiteral("org.kde.KSMServerInterface");
    const QString kdeShutdown = QStringLiteral("org.kde.Shutdown");
    const QString kdeShutdownPath = QStringLiteral("/Shutdown");
    const QString xfce = QStringLiteral("org.xfce.SessionManager");
    const QString xfcePath = QStringLiteral("/org/xfce/SessionManager");
    const QString xfceInterface = QStringLiteral("org.xfce.Session.Manager");
    // ksmserver's logout(confirm, type, mode): confirm 1 asks the user, mode 3 is the interactive shutdown (never
    // 2, which forces); type 0 only ends the session, 1 restarts, 2 halts.
    const int ksmType = action == PowerAction::LogOff ? 0 : action == PowerAction::Restart ? 1 : 2;
    std::vector<Request> requests;
    switch (action) {
    case PowerAction::LogOff:
        // Mode 0 is the normal log-off (1 skips the confirmation, 2 forces).
        requests.push_back({false, gnome, gnomePath, gnome, QStringLiteral("Logout"), args({0u})});
        break;
    case PowerAction::Restart:
        requests.push_back({false, gnome, gnomePath, gnome, QStringLiteral("Reboot"), {}});
        break;
    case PowerAction::PowerOff:
        requests.push_back({false, gnome, gnomePath, gnome, QStringLiteral("Shutdown"), {}});
        break;
    }
    requests.push_back({false, ksmserver, ksmPath, ksmInterface, QStringLiteral("logout"), args({1, ksmType, 3})});
    const QString kdeMethod = action == PowerAction::LogOff    ? QStringLiteral("logout")
                              : action == PowerAction::Restart ? QStringLiteral("logoutAndReboot")
                                                               : QStringLiteral("logoutAndShutdown");
    requests.push_back({false, kdeShutdown, kdeShutdownPath, kdeShutdown, kdeMethod, {}});
    // allow_save false: the user's saved session is left as the user last chose it; the programs are still
    // asked to save their work.
    switch (action) {
    case PowerAction::LogOff:
        requests.push_back({false, xfce, xfcePath, xfceInterface, QStringLiteral("Logout"), args({false, false})});
        break;
    case PowerAction::Restart:
        requests.push_back({false, xfce, xfcePath, xfceInterface, QStringLiteral("Restart"), args({false})});
        break;
    case PowerAction::PowerOff:
        requests.push_back({false, xfce, xfcePath, xfceInterface, QStringLiteral("Shutdown"), args({false})});
        break;
    }
    return requests;
}

// systemd-logind only where no session manager runs. Its Reboot and PowerOff let programs end the ordinary way
// and honour their inhibitor locks; "interactive" false means a lock or a missing permission makes logind refuse
// rather than offer the user a way past the lock. logind has no log-off that spares the session's programs (its
// session termination kills every process of the session), so a log-off without a session manager is not made.
std::vector<Request> logindRequests(PowerAction action)
{
    if (action == PowerAction::LogOff)
        return {};
    const QString method = action == PowerAction::Restart ? QStringLiteral("Reboot") : QStringLiteral("PowerOff");
    return {{true, QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
             QStringLiteral("org.freedesktop.login1.Manager"), method, args({false})}};
}

// An error that says nobody at that address offers the method: the next way may be tried. Any other answer
// (success, a refusal, no answer while the session manager asks the user) means the request has been heard and
// must not be repeated elsewhere, where it might go past the desktop's decision.
bool nobodyThere(const QDBusError& error)
{
    // What the bus daemon answers for a name nobody owns when the call may not start a service.
    if (error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return true;
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::Disconnected:
        return true;
    default:
        return false;
    }
}

// Walks the ways in order, one call at a time, never waiting on the GUI thread: a session manager may hold its
// reply until the user has answered its dialog. Deletes itself when done.
class RequestChain final : public QObject
{
public:
    explicit RequestChain(std::vector<Request> requests) : m_requests(std::move(requests)) {}

    void next()
    {
        while (m_index < m_requests.size()) {
            const Request& request = m_requests[m_index++];
            QDBusConnection bus = request.systemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
            if (!bus.isConnected())
                continue;
            QDBusMessage call =
                QDBusMessage::createMethodCall(request.service, request.path, request.interface, request.method);
            call.setArguments(request.arguments);
            // A session manager of another desktop that is merely installed must not be started for this.
            call.setAutoStartService(false);
            auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
            connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                if (done->isError() && nobodyThere(done->error()))
                    next();
                else
                    deleteLater();
            });
            return;
        }
        deleteLater();
    }

private:
    std::vector<Request> m_requests;
    std::size_t m_index = 0;
};

class SessionPower final : public Power
{
public:
    bool request(PowerAction action) override
    {
        std::vector<Request> requests = sessionManagerRequests(action);
        for (Request& request : logindRequests(action))
            requests.push_back(std::move(request));
        bool reachable = false;
        for (const Request& request : requests) {
            QDBusConnection bus = request.systemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
            reachable = reachable || bus.isConnected();
        }
        if (!reachable)
            return false;
        (new RequestChain(std::move(requests)))->next();
        return true;
    }
};

} // namespace

std::shared_ptr<Power> Power::create(const Context&)
{
    return std::make_shared<SessionPower>();
}

} // namespace platform
