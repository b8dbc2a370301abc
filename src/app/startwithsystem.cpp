#include "app/startwithsystem.h"

#include <QAction>
#include <QCoreApplication>

#include "app/autostartprogram.h"
#include "common/guardedconnect.h"
#include "platform/autostart.h"
#include "platform/platform.h"
#include "ui_MainPage.h"

namespace {
const std::string RegistrationName = "Тромбус";
}

StartWithSystem::StartWithSystem(platform::Platform& platform, MenuItems menu, Ui::MainPage& mainPage)
    : m_platform(platform), m_main(mainPage)
{
    connectGuarded(&menu.N10, &QAction::triggered, this, &StartWithSystem::N10Click);
    connectGuarded(&menu.N11, &QAction::triggered, this, &StartWithSystem::N11Click);
    connectGuarded(mainPage.CheckBox6, &QCheckBox::clicked, this, &StartWithSystem::CheckBox6Click);
    // A registration lasts for one logon: if it started this run, it is used up now.
    platform.get<platform::Autostart>().consumeIfStartedByIt();
}

// A registration that cannot be written does nothing, without a word.
void StartWithSystem::registerProgram()
{
    const QString program = autostartProgram(QCoreApplication::applicationFilePath(), installedProgramPaths());
    m_platform.get<platform::Autostart>().registerOnce(RegistrationName, program.toStdString());
}

void StartWithSystem::unregisterProgram()
{
    m_platform.get<platform::Autostart>().unregister(RegistrationName);
}

void StartWithSystem::N10Click()
{
    registerProgram();
}

void StartWithSystem::N11Click()
{
    unregisterProgram();
}

void StartWithSystem::CheckBox6Click()
{
    if (m_main.CheckBox6->isChecked())
        registerProgram();
    else
        unregisterProgram();
}
