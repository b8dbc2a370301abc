#include "app/trayicon.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {
std::optional<bool> availabilityOverride;

// Whether the icon is a StatusNotifier item (KDE, Xfce, Cinnamon, GNOME with the AppIndicator extension): Qt's
// desktop themes make it one when a watcher on the session bus reports a registered host, asking once per
// process, so the same question is asked here, once. The headless platforms have no such theme.
bool shownByStatusNotifierHost()
{
    static const bool shown = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        QDBusConnection bus = QDBusConnection::sessionBus();
        const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
        if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher).value())
            return false;
        QDBusMessage get =
            QDBusMessage::createMethodCall(watcher, QStringLiteral("/StatusNotifierWatcher"),
                                           QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
        const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
        return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
               qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    }();
    return shown;
}
} // namespace

bool TrayIcon::available()
{
    return availabilityOverride.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayIcon::setAvailabilityOverride(std::optional<bool> available)
{
    availabilityOverride = available;
}

TrayIcon::TrayIcon(MenuItems items, QObject* parent) : QObject(parent)
{
    m_menu.setObjectName(QStringLiteral("PopupMenu1"));
    m_menu.addAction(&items.N1);
    m_menu.addAction(&items.N27);
    m_menu.addAction(&items.N3);
    m_playerMenu = m_menu.addMenu(QStringLiteral("Муз. плеер"));
    m_playerMenu->setObjectName(QStringLiteral("N33"));
    m_playerMenu->menuAction()->setObjectName(QStringLiteral("N33"));
    m_playerMenu->addActions({&items.N35, &items.N36, &items.N37, &items.N38, &items.N39});
    m_menu.addSeparator();
    m_menu.addAction(&items.N25);
    m_menu.addSeparator();
    m_menu.addAction(&items.N2);

    m_icon.setObjectName(QStringLiteral("TrayIcon1"));
    m_icon.setIcon(QApplication::windowIcon());
    m_icon.setContextMenu(&m_menu);
    // An XEmbed tray reports a single click as Trigger before the double-click; a StatusNotifier host sends a
    // click on as the item's activation, which Qt reports as Trigger and which is the only one such a host sends.
    const bool statusNotifierItem = shownByStatusNotifierHost();
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this, statusNotifierItem](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick ||
                    (reason == QSystemTrayIcon::Trigger && statusNotifierItem))
                    emit doubleClicked();
            });
}
