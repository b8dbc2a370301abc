#pragma once

#include <QObject>

namespace Ui {
class MusicPage;
}
namespace platform {
class Volume;
}

// The player page's volume slider, balance switch and mute label. They act on the output device at once and
// keep their own volume word, read from the device once at start-up.
class VolumeControls final : public QObject
{
    Q_OBJECT
public:
    VolumeControls(Ui::MusicPage& form, platform::Volume& volume, QObject* parent = nullptr);

    /// Start-up: the slider shows the device's left level (and, moving, sets both channels to it).
    void setSliderFromDevice();

    void TrackBar1Change();
    void TrackBar2Change();
    void Label10Click();

    quint32 MainVolume = 0;

private:
    void send(quint32 word);

    Ui::MusicPage& m_form;
    platform::Volume& m_volume;
};
