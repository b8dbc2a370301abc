#pragma once

#include <QObject>

namespace Ui {
class Form1;
class MainPage;
} // namespace Ui
namespace platform {
class Platform;
}

// Registering the program to start once at the next logon: two menu items and a check box.
class StartWithSystem final : public QObject
{
    Q_OBJECT
public:
    StartWithSystem(platform::Platform& platform, Ui::Form1& ui, Ui::MainPage& mainPage);

    void N10Click();
    void N11Click();
    void CheckBox6Click();

private:
    void registerProgram();
    void unregisterProgram();

    platform::Platform& m_platform;
    Ui::MainPage& m_main;
};
