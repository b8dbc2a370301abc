#include "app/systemmenus.h"

#include <QCoreApplication>
#include <QMainWindow>

#include "common/shell.h"
#include "platform/systemmenu.h"

SystemMenus::SystemMenus(Shell& shell) : m_shell(shell) {}

SystemMenus::~SystemMenus()
{
    if (m_installed)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void SystemMenus::addItems()
{
    // The taskbar button of a Qt program belongs to the main window itself (there is no separate application
    // window), so the button's own item "&Клепал Брунд" has no menu of its own to go to and is left out.
    // Linux window managers offer no system menu a program can extend; there the service declines quietly.
    const bool added = m_shell.platform().get<platform::SystemMenu>().appendItem(
        static_cast<std::uintptr_t>(m_shell.mainWindow()->winId()), AboutCommandId, "&О программе");
    if (added && !m_installed) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_installed = true;
    }
}

bool SystemMenus::WmSYS(unsigned command)
{
    if (command != AboutCommandId)
        return false;
    m_shell.showAbout();
    return true;
}

bool SystemMenus::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    const unsigned command = m_shell.platform().get<platform::SystemMenu>().systemCommand(
        static_cast<std::uintptr_t>(m_shell.mainWindow()->winId()), eventType.toStdString(), message);
    return command != 0 && WmSYS(command);
}
