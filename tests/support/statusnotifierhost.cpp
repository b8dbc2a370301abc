#include "statusnotifierhost.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMutexLocker>

namespace {
const QString ConnectionName = QStringLiteral("test-statusnotifier-host");
}

StatusNotifierHost::~StatusNotifierHost()
{
    quit();
    wait();
    QDBusConnection::disconnectFromBus(ConnectionName);
}

bool StatusNotifierHost::begin()
{
    start();
    m_ready.acquire();
    return m_started;
}

void StatusNotifierHost::run()
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
    StatusNotifierWatcher watcher(*this);
    const QString host = QStringLiteral("org.kde.StatusNotifierHost-%1").arg(QCoreApplication::applicationPid());
    m_started = bus.isConnected() &&
                bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                       QDBusConnection::ExportAllProperties) &&
                bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")) && bus.registerService(host);
    m_ready.release();
    exec();
    bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
}

QStringList StatusNotifierHost::items() const
{
    QMutexLocker lock(&m_mutex);
    return m_items;
}

void StatusNotifierHost::addItem(const QString& service)
{
    QMutexLocker lock(&m_mutex);
    m_items << service;
}

void StatusNotifierHost::activate(const QString& item)
{
    QDBusMessage click =
        QDBusMessage::createMethodCall(item, QStringLiteral("/StatusNotifierItem"),
                                       QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"));
    click << 0 << 0;
    QDBusConnection(ConnectionName).send(click);
}

void StatusNotifierWatcher::RegisterStatusNotifierItem(const QString& service)
{
    m_host.addItem(service);
    emit StatusNotifierItemRegistered(service);
}

void StatusNotifierWatcher::RegisterStatusNotifierHost(const QString&)
{
    emit StatusNotifierHostRegistered();
}
