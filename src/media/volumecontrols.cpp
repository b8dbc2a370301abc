#include "media/volumecontrols.h"

#include "common/clickfilter.h"
#include "common/colors.h"
#include "common/guardedconnect.h"
#include "media/volumeword.h"
#include "platform/volume.h"
#include "ui_MusicPage.h"

#include <QMetaObject>

namespace {

const QString SoundOn = QStringLiteral("Звук ВКЛ.");

// The mute label is green while the sound is on, red while it is off.
void colourLabel(QLabel* label, bool on)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colorFromTColor(on ? 0x00FF00 : 0x0000FF));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

} // namespace

VolumeControls::VolumeControls(Ui::MusicPage& form, platform::Volume& volume, QObject* parent)
    : QObject(parent), m_form(form), m_volume(volume)
{
    connectGuarded(m_form.TrackBar1, &QSlider::valueChanged, this, &VolumeControls::TrackBar1Change);
    connectGuarded(m_form.TrackBar2, &QSlider::valueChanged, this, &VolumeControls::TrackBar2Change);
    colourLabel(m_form.Label10, true);
    MouseHandlers::onClick(m_form.Label10, [this] { Label10Click(); });
}

VolumeControls::~VolumeControls()
{
    if (m_deviceReader.joinable())
        m_deviceReader.join();
}

void VolumeControls::send(quint32 word)
{
    // The device's answer is not looked at: without a sound server the controls keep working on their word.
    m_volume.write(word);
}

void VolumeControls::userChose()
{
    if (!m_applyingAnswer)
        m_userChose = true;
}

void VolumeControls::askDeviceOnce()
{
    // The reader stays joinable until the controls go, so it also marks the read as asked.
    if (m_deviceReader.joinable())
        return;
    // The volume service serializes this read with the controls' writes; the answer comes back to this thread
    // as an event, after the rest of the activation.
    m_deviceReader = std::thread([this] {
        const std::optional<std::uint32_t> word = m_volume.read();
        QMetaObject::invokeMethod(
            this, [this, word] { setSliderFromDevice(word); }, Qt::QueuedConnection);
    });
}

void VolumeControls::setSliderFromDevice(std::optional<std::uint32_t> word)
{
    // Without a device to ask, the word stays silent and the slider where the form put it. A control the user
    // moved before the answer came keeps their choice.
    if (word && !m_userChose) {
        MainVolume = *word;
        m_applyingAnswer = true;
        m_form.TrackBar1->setValue(volumeword::positionOfLevel(volumeword::left(MainVolume)));
        m_applyingAnswer = false;
    }
    m_deviceAnswered = true;
}

void VolumeControls::TrackBar1Change()
{
    userChose();
    if (m_form.TrackBar1->value() == 0) {
        // The slider never keeps 0, whose level would be silence at the loud end; moving it runs this again.
        m_form.TrackBar1->setValue(volumeword::TopPosition);
        return;
    }
    const quint16 level = volumeword::levelOfPosition(m_form.TrackBar1->value());
    MainVolume = volumeword::withVolume(MainVolume, m_form.TrackBar2->value(), level);
    send(MainVolume);
}

void VolumeControls::TrackBar2Change()
{
    userChose();
    MainVolume = volumeword::withBalance(MainVolume, m_form.TrackBar2->value());
    send(MainVolume);
    m_form.TrackBar1->setFocus();
}

void VolumeControls::Label10Click()
{
    userChose();
    if (m_form.Label10->text() == SoundOn) {
        m_form.TrackBar1->setEnabled(false);
        m_form.TrackBar2->setEnabled(false);
        colourLabel(m_form.Label10, false);
        m_form.Label10->setText(QStringLiteral("Звук ВЫКЛ."));
        send(0);
    } else {
        m_form.TrackBar1->setEnabled(true);
        m_form.TrackBar2->setEnabled(true);
        colourLabel(m_form.Label10, true);
        m_form.Label10->setText(SoundOn);
        send(MainVolume);
    }
}
