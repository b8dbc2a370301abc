#include "console/drivebuttons.h"

#include <QPushButton>

#include "common/guardedconnect.h"
#include "platform/diskspace.h"
#include "platform/opener.h"

DriveButtons::DriveButtons(platform::Platform& platform, Strip strip, QObject* parent)
    : QObject(parent), m_platform(platform), m_strip(strip.Panel16)
{
    QPushButton* const buttons[] = {&strip.DriveC, &strip.DriveD, &strip.DriveE, &strip.DriveF};
    for (int place = 0; place < 4; ++place)
        connectGuarded(buttons[place], &QPushButton::clicked, this, [this, place] { openDrive(place); });
}

void DriveButtons::toggleServiceStrip()
{
    // The widget's own flag, not what is on screen: the window may be hidden or minimised meanwhile.
    m_strip.setHidden(!m_strip.isHidden());
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
