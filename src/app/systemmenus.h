#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class Shell;

// The "About" item on the main window's system menu and its command (WmSYS).
class SystemMenus final : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    static constexpr unsigned AboutCommandId = 1026;

    explicit SystemMenus(Shell& shell);
    ~SystemMenus() override;

    /// Appends the items; where the platform has no system menu to extend, nothing is added.
    void addItems();
    /// A system command of the main window: the About item shows the About window.
    bool WmSYS(unsigned command);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    Shell& m_shell;
    bool m_installed = false;
};
