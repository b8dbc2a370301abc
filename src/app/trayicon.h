#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <optional>

class QAction;

// The tray icon `TrayIcon1` with its menu `PopupMenu1`: present from start to end of the program.
class TrayIcon final : public QObject
{
    Q_OBJECT
public:
    /// The window's menu items the tray menu holds, in its order.
    struct MenuItems
    {
        QAction& N1;
        QAction& N27;
        QAction& N3;
        QAction& N35; // N35 to N39: the player's submenu
        QAction& N36;
        QAction& N37;
        QAction& N38;
        QAction& N39;
        QAction& N25;
        QAction& N2;
    };
    TrayIcon(MenuItems items, QObject* parent);

    /// True when the desktop has a tray to show the icon in and to bring the window back from.
    static bool available();
    /// Makes available() answer as given instead of asking the desktop; nullopt asks it again.
    static void setAvailabilityOverride(std::optional<bool> available);

    QSystemTrayIcon& icon() { return m_icon; }
    QMenu& popupMenu() { return m_menu; }
    QMenu& playerMenu() { return *m_playerMenu; }
    void show() { m_icon.show(); }
    void hide() { m_icon.hide(); }
    bool isVisible() const { return m_icon.isVisible(); }

signals:
    /// The user asked the icon for the window: a double-click in an XEmbed tray, the activation (a click) from a
    /// StatusNotifier host.
    void doubleClicked();

private:
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QMenu* m_playerMenu;
};
