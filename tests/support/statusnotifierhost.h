#pragma once

#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

// A small StatusNotifier watcher and host on the session bus, as a KDE, Xfce or Cinnamon panel (or GNOME's
// AppIndicator extension) runs one: it takes the watcher's name, reports a host, keeps the items that register,
// and clicks an item the way those hosts pass a click on (the item's Activate). It lives on a thread and a bus
// connection of its own, so the program under test may ask it synchronously from the GUI thread, as Qt does.
class StatusNotifierHost final : public QThread
{
    Q_OBJECT
public:
    StatusNotifierHost() = default;
    ~StatusNotifierHost() override;

    /// Takes the watcher's and the host's names; false when another owns them or there is no session bus.
    [[nodiscard]] bool begin();
    /// The service names of the items registered so far, oldest first.
    QStringList items() const;
    /// Sends the item a primary activation, as a host does for a left click on the icon.
    void activate(const QString& item);

    void addItem(const QString& service);

protected:
    void run() override;

private:
    mutable QMutex m_mutex;
    QStringList m_items;
    QSemaphore m_ready;
    bool m_started = false;
};

// The watcher's D-Bus object; made on the host's thread.
class StatusNotifierWatcher final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ RegisteredStatusNotifierItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
public:
    explicit StatusNotifierWatcher(StatusNotifierHost& host) : m_host(host) {}

    QStringList RegisteredStatusNotifierItems() const { return m_host.items(); }
    bool IsStatusNotifierHostRegistered() const { return true; }
    int ProtocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& service);
    void RegisterStatusNotifierHost(const QString& service);

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();

private:
    StatusNotifierHost& m_host;
};
