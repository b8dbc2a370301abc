#include "console/drivebuttons.h"

#include "common/guardedconnect.h"
#include "platform/diskspace.h"
#include "platform/opener.h"
#include "ui_Form1.h"

DriveButtons::DriveButtons(platform::Platform& platform, Ui::Form1& ui, QObject* parent)
    : QObject(parent), m_platform(platform)
{
    QPushButton* const buttons[] = {ui.DriveC, ui.DriveD, ui.DriveE, ui.DriveF};
    for (int place = 0; place < 4; ++place)
        connectGuarded(buttons[place], &QPushButton::clicked, this, [this, place] { openDrive(place); });
}

void DriveButtons::openDrive(int place)
{
    // The list is asked afresh, so a stick plugged in since the start counts as the meter would count it.
    const std::vector<platform::Drive> drives = m_platform.get<platform::DiskSpace>().drives();
    if (place < 0 || place >= static_cast<int>(drives.size()))
        return;
    // As the shell's own failures, one the opener cannot start goes unreported.
    m_platform.get<platform::Opener>().open(drives[place].id);
}
