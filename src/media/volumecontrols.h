#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <thread>

namespace Ui {
class MusicPage;
}
namespace platform {
class Volume;
}

// The player page's volume slider, balance switch and mute label. They act on the output device at once and
// keep their own volume word, read from the device once, just after the window's first activation and off the
// window's thread: asking the sound server loads its libraries and may wait for its answer, and neither the
// first paint nor the window's events should wait for that.
class VolumeControls final : public QObject
{
    Q_OBJECT
public:
    VolumeControls(Ui::MusicPage& form, platform::Volume& volume, QObject* parent = nullptr);
    /// Waits for a read still under way, so it never answers to controls that are gone.
    ~VolumeControls() override;

    /// Starts the one start-up read of the device on a thread of its own; later calls do nothing.
    void askDeviceOnce();
    /// The slider shows the device's left level (and, moving, sets both channels to it), unless the user has
    /// already moved a control: then the answer would undo their choice and is dropped.
    void setSliderFromDevice(std::optional<std::uint32_t> word);

    void TrackBar1Change();
    void TrackBar2Change();
    void Label10Click();

    /// Whether the start-up read's answer has come back and been taken or dropped.
    bool deviceAnswered() const { return m_deviceAnswered; }

    quint32 MainVolume = 0;

private:
    void send(quint32 word);
    void userChose();

    Ui::MusicPage& m_form;
    platform::Volume& m_volume;
    bool m_deviceAnswered = false;
    bool m_userChose = false;
    bool m_applyingAnswer = false;
    std::thread m_deviceReader;
};
