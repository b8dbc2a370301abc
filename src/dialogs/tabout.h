#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class About;
}

// The About box: the product's name, version, release date and maker, the brand picture and the "С++" box
// whose text steps through its alignments while the box is shown. Made once at start and hidden; showing and
// hiding never make it again.
class TAbout final : public QWidget
{
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
    ~TAbout() override;

    Ui::About& form() { return *ui; }

    void FormShow();
    void FormHide();
    void Timer1Timer();
    /// "Понятно": hides the box.
    void SpeedButton1Click();
    /// The "С++" box: the credit line is drawn in normal colours from then on.
    void StaticText1Click();
    void Image1Click();

    /// Drives the alignment cycle, 500 ms, running exactly while the box is shown.
    QTimer Timer1;
    /// The alignment cycle's step, 1 at start; it survives hiding, so a new showing goes on where it stopped.
    qint16 alignmentStep = 1;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::unique_ptr<Ui::About> ui;
};
