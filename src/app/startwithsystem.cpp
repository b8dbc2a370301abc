#include "app/startwithsystem.h"

#include <QCoreApplication>

#include "platform/autostart.h"
#include "platform/platform.h"
#include "ui_Form1.h"

namespace {
const std::string RegistrationName = "Тромбус";
}

StartWithSystem::StartWithSystem(platform::Platform& platform, Ui::Form1& ui) : m_platform(platform), m_ui(ui)
{
    connect(ui.N10, &QAction::triggered, this, &StartWithSystem::N10Click);
    connect(ui.N11, &QAction::triggered, this, &StartWithSystem::N11Click);
    connect(ui.CheckBox6, &QCheckBox::clicked, this, &StartWithSystem::CheckBox6Click);
    // A registration lasts for one logon: if it started this run, it is used up now.
    platform.get<platform::Autostart>().consumeIfStartedByIt();
}

// A registration that cannot be written does nothing, without a word.
void StartWithSystem::registerProgram()
{
    m_platform.get<platform::Autostart>().registerOnce(RegistrationName,
                                                       QCoreApplication::applicationFilePath().toStdString());
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
    if (m_ui.CheckBox6->isChecked())
        registerProgram();
    else
        unregisterProgram();
}
