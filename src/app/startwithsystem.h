#pragma once

#include <QObject>

namespace Ui {
class MainPage;
}
class QAction;
namespace platform {
class Platform;
}

// Registering the program to start once at the next logon: two menu items and a check box.
class StartWithSystem final : public QObject
{
    Q_OBJECT
public:
    /// The window menu's two items.
    struct MenuItems
    {
        QAction& N10;
        QAction& N11;
    };
    StartWithSystem(platform::Platform& platform, MenuItems menu, Ui::MainPage& mainPage);

    void N10Click();
    void N11Click();
    void CheckBox6Click();

private:
    void registerProgram();
    void unregisterProgram();

    platform::Platform& m_platform;
    Ui::MainPage& m_main;
};
