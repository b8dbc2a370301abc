#include "media/tform2.h"

#include <QShowEvent>

#include "common/errorreport.h"
#include "common/guardedconnect.h"
#include "media/volumeword.h"
#include "platform/volume.h"
#include "ui_Form2.h"

TForm2::TForm2(platform::Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::Form2>()),
      m_platform(platform)
{
    ui->setupUi(this);
    // A single fixed border: the window keeps its design size.
    setFixedSize(size());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    connectGuarded(ui->TrackBar3, &QSlider::valueChanged, this, &TForm2::TrackBar3Change);
    connectGuarded(ui->TrackBar1, &QSlider::valueChanged, this, &TForm2::TrackBar1Change);
    connectGuarded(ui->SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    connectGuarded(ui->SpeedButton3, &QToolButton::clicked, this, &TForm2::SpeedButton3Click);
}

TForm2::~TForm2() = default;

void TForm2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TForm2::FormShow()
{
    // Without a device to ask, the sliders stay where they were and the word as it was.
    const std::optional<std::uint32_t> word = m_platform.get<platform::Volume>().read();
    if (!word)
        return;
    MixerVolume = *word;
    ui->TrackBar3->setValue(volumeword::positionOfLevel(volumeword::left(MixerVolume)));
    ui->TrackBar1->setValue(volumeword::positionOfLevel(volumeword::right(MixerVolume)));
}

void TForm2::TrackBar3Change()
{
    if (ui->TrackBar3->value() == 0) {
        ui->TrackBar3->setValue(volumeword::TopPosition);
        return;
    }
    MixerVolume = volumeword::withLeft(MixerVolume, volumeword::levelOfPosition(ui->TrackBar3->value()));
}

void TForm2::TrackBar1Change()
{
    if (ui->TrackBar1->value() == 0) {
        ui->TrackBar1->setValue(volumeword::TopPosition);
        return;
    }
    MixerVolume = volumeword::withRight(MixerVolume, volumeword::levelOfPosition(ui->TrackBar1->value()));
}

void TForm2::SpeedButton1Click()
{
    m_platform.get<platform::Volume>().write(MixerVolume);
}

void TForm2::SpeedButton3Click()
{
    close();
}
