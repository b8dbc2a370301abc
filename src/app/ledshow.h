#pragma once

#include <QObject>
#include <vector>

class QTimer;
namespace platform {
class Platform;
}

/// The lock keys (virtual keys) whose lights change at one step of the start-up light show; every light changes
/// twice over the four steps, so the lights end as they began.
std::vector<int> ledShowKeys(int step);

// The keyboard-light show of the first four seconds (Timer5).
class LedShow final : public QObject
{
    Q_OBJECT
public:
    LedShow(platform::Platform& platform, QTimer& tick);

    void Timer5Timer();

    qint32 LedStep = 0;

private:
    platform::Platform& m_platform;
    QTimer& m_tick;
};
