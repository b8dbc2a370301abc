#pragma once

#include <QObject>

class QPushButton;
class QWidget;
namespace platform {
class Platform;
}

// The four drive buttons of the service strip: each opens the root folder of one of the first four drives
// the disk meter lists.
class DriveButtons final : public QObject
{
    Q_OBJECT
public:
    /// The strip and its four buttons, for the first four drives in list order.
    struct Strip
    {
        QWidget& Panel16;
        QPushButton& DriveC;
        QPushButton& DriveD;
        QPushButton& DriveE;
        QPushButton& DriveF;
    };
    DriveButtons(platform::Platform& platform, Strip strip, QObject* parent = nullptr);

    /// The service mode shows the strip, and hides it again when it ends.
    void toggleServiceStrip();
    /// Opens the drive at this place of the drive list (0 for the first button); nothing when there is none.
    void openDrive(int place);

private:
    platform::Platform& m_platform;
    QWidget& m_strip;
};
