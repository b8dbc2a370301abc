#pragma once

#include <QObject>

namespace Ui {
class MusicPage;
}
namespace platform {
class Volume;
}

// The player page's volume slider, balance switch and mute label. They act on the output device at once and
// keep their own volume word, read from the device once, just after the window's first activation: asking the
// sound server loads its libraries, which the first paint should not wait for.
class VolumeControls final : public QObject
{
    Q_OBJECT
public:
    VolumeControls(Ui::MusicPage& form, platform::Volume& volume, QObject* parent = nullptr);

    /// Queues the one start-up read of the device; later calls do nothing.
    void askDeviceOnce();
    /// The slider shows the device's left level (and, moving, sets both channels to it), unless the user has
    /// already moved a control: then the answer would undo their choice and is dropped.
    void setSliderFromDevice();

    void TrackBar1Change();
    void TrackBar2Change();
    void Label10Click();

    quint32 MainVolume = 0;

private:
    void send(quint32 word);
    void userChose();

    Ui::MusicPage& m_form;
    platform::Volume& m_volume;
    bool m_deviceAsked = false;
    bool m_userChose = false;
    bool m_applyingAnswer = false;
};
