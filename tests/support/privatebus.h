#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStringList>
#include <QUuid>

// A message bus daemon of the test's own, ended with the object: stands in for the system bus (or a session bus
// no other test shares), so services registered on it reach only this test.
class PrivateBus final
{
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(10000))
            return;
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(10000)) {
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000))
            m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    /// Empty when the daemon did not start.
    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// A recording stand-in for one D-Bus service: owns its name on a connection of its own, records every call to
// its object as "service method arg1 arg2", and answers the methods it is told it has (anything else gets the
// error a missing method gives). `refuse` makes it answer its methods with a refusal instead.
class RecordingBusService final : public QDBusVirtualObject
{
public:
    RecordingBusService(const QString& address, QString service, const QString& path, QString interface,
                        QStringList methods, QStringList& log)
        : m_connectionName(QStringLiteral("recorder-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
          m_bus(QDBusConnection::connectToBus(address, m_connectionName)), m_service(std::move(service)),
          m_interface(std::move(interface)), m_methods(std::move(methods)), m_log(log)
    {
        m_bus.registerVirtualObject(path, this);
        m_registered = m_bus.registerService(m_service);
    }
    ~RecordingBusService() override
    {
        m_bus.unregisterService(m_service);
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
    RecordingBusService(const RecordingBusService&) = delete;
    RecordingBusService& operator=(const RecordingBusService&) = delete;

    bool registered() const { return m_registered; }
    bool refuse = false;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != m_interface || !m_methods.contains(message.member())) {
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, QStringLiteral("no such method")));
            return true;
        }
        QStringList entry{m_service, message.member()};
        for (const QVariant& argument : message.arguments())
            entry << argument.toString();
        m_log << entry.join(QLatin1Char(' '));
        connection.send(refuse ? message.createErrorReply(QDBusError::AccessDenied, QStringLiteral("not now"))
                               : message.createReply());
        return true;
    }

private:
    QString m_connectionName;
    QDBusConnection m_bus;
    QString m_service;
    QString m_interface;
    QStringList m_methods;
    QStringList& m_log;
    bool m_registered = false;
};
