#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form2;
}
namespace platform {
class Platform;
}

// The channel mixer "3Byka 3aBp": the left and right levels one by one, in a volume word of its own that is
// read from the device at every showing and sent to it only by "Применить настройки".
class TForm2 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(platform::Platform& platform, QWidget* parent = nullptr);
    ~TForm2() override;

    Ui::Form2& form() { return *ui; }

    void FormShow();
    void TrackBar3Change();
    void TrackBar1Change();
    void SpeedButton1Click();
    void SpeedButton3Click();

    quint32 MixerVolume = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::Form2> ui;
    platform::Platform& m_platform;
};
