#pragma once

#include <QObject>

namespace Ui {
class Form1;
}
namespace platform {
class Platform;
}

// The four drive buttons of the service strip: each opens the root folder of one of the first four drives
// the disk meter lists.
class DriveButtons final : public QObject
{
    Q_OBJECT
public:
    DriveButtons(platform::Platform& platform, Ui::Form1& ui, QObject* parent = nullptr);

    /// Opens the drive at this place of the drive list (0 for the first button); nothing when there is none.
    void openDrive(int place);

private:
    platform::Platform& m_platform;
};
