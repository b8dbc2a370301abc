#include "app/trayicon.h"

#include <QApplication>

#include "ui_Form1.h"

namespace {
std::optional<bool> availabilityOverride;
} // namespace

bool TrayIcon::available()
{
    return availabilityOverride.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayIcon::setAvailabilityOverride(std::optional<bool> available)
{
    availabilityOverride = available;
}

TrayIcon::TrayIcon(Ui::Form1& ui, QObject* parent) : QObject(parent)
{
    m_menu.setObjectName(QStringLiteral("PopupMenu1"));
    m_menu.addAction(ui.N1);
    m_menu.addAction(ui.N27);
    m_menu.addAction(ui.N3);
    m_playerMenu = m_menu.addMenu(QStringLiteral("Муз. плеер"));
    m_playerMenu->setObjectName(QStringLiteral("N33"));
    m_playerMenu->menuAction()->setObjectName(QStringLiteral("N33"));
    m_playerMenu->addActions({ui.N35, ui.N36, ui.N37, ui.N38, ui.N39});
    m_menu.addSeparator();
    m_menu.addAction(ui.N25);
    m_menu.addSeparator();
    m_menu.addAction(ui.N2);

    m_icon.setObjectName(QStringLiteral("TrayIcon1"));
    m_icon.setIcon(QApplication::windowIcon());
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            emit doubleClicked();
    });
}
