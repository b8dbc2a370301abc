#include "reminders/countdowntimer.h"

#include <QTimer>

#include "common/clickfilter.h"
#include "common/clock.h"
#include "common/shell.h"
#include "reminders/guardedconnect.h"
#include "reminders/tnumedit.h"
#include "ui_Form1.h"

namespace {

constexpr qint32 Red = 0x0000FF;
constexpr qint32 Green = 0x00FF00;

void rejectComma(QChar& key)
{
    if (key == QLatin1Char(','))
        key = QChar();
}

} // namespace

CountdownTimer::CountdownTimer(Ui::Form1& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia)
    : ui(ui), m_shell(shell), m_timer(timer), m_fields{ui.NumEdit1, ui.NumEdit2, ui.NumEdit3},
      m_options({ui.Panel11, ui.CheckBox14, ui.CheckBox17, ui.Label78, ui.ComboBox9}, ReminderOptions::Prompt::Timer,
                std::move(messia), shell.platform())
{
    for (TNumEdit* edit : {ui.NumEdit1, ui.NumEdit2, ui.NumEdit3})
        edit->OnKeyPress = rejectComma;
    connectGuarded(ui.BitBtn13, &QPushButton::clicked, this, [this] { BitBtn13Click(); });
    connectGuarded(&m_timer, &QTimer::timeout, this, [this] { TIMERTimer(); });
    connectGuarded(ui.ScrollBar1, &QAbstractSlider::actionTriggered, this,
                   [this] { ScrollBar1Scroll(this->ui.ScrollBar1->sliderPosition()); });
    connectGuarded(ui.ScrollBar2, &QAbstractSlider::actionTriggered, this,
                   [this] { ScrollBar2Scroll(this->ui.ScrollBar2->sliderPosition()); });
    connectGuarded(ui.ScrollBar3, &QAbstractSlider::actionTriggered, this,
                   [this] { ScrollBar3Scroll(this->ui.ScrollBar3->sliderPosition()); });
    connectGuarded(ui.CheckBox14, &QCheckBox::clicked, this, [this] { CheckBox14Click(); });
    MouseHandlers::onMouseMove(ui.GroupBox12, [this](QMouseEvent*) { GroupBox12MouseMove(); });
    MouseHandlers::onClick(ui.Panel11, [this] { Panel11Click(); });
    MouseHandlers::onClick(ui.Label78, [this] { runGuarded([this] { Label78Click(); }); });
}

bool CountdownTimer::running() const
{
    return ui.BitBtn13->property("Tag").toInt() != 0;
}

void CountdownTimer::BitBtn13Click()
{
    if (ui.BitBtn13->text() == QStringLiteral("ЗАПУСК")) {
        const Hms start = m_fields.read();
        if (start == Hms{}) {
            m_shell.showErrorIndicator();
            return;
        }
        m_fields.setEnabled(false);
        m_countdown.start(start, Clock::instance().monotonicMs());
        m_timer.start();
        ui.BitBtn13->setProperty("Tag", 1);
        ui.GroupBox12->setTitle(m_fields.caption(QStringLiteral("Таймер установлен на -> ")));
        ui.BitBtn13->setText(QStringLiteral("СТОП"));
        setIndicatorFill(ui.Shape6, Green);
    } else {
        m_fields.setEnabled(true);
        ui.GroupBox12->setTitle(QStringLiteral("Таймер"));
        m_timer.stop();
        ui.BitBtn13->setProperty("Tag", 0);
        ui.BitBtn13->setText(QStringLiteral("ЗАПУСК"));
        setIndicatorFill(ui.Shape6, Red);
    }
}

void CountdownTimer::TIMERTimer()
{
    const Countdown::Tick tick = m_countdown.tick(Clock::instance().monotonicMs());
    if (!tick.fire) {
        m_fields.write(tick.shown);
        return;
    }
    m_timer.stop();
    m_fields.write(Hms{});
    BitBtn13Click();
    m_options.fire();
}

void CountdownTimer::ScrollBar1Scroll(int position)
{
    if (!running())
        ui.NumEdit1->SetNumb(static_cast<float>(-position));
}

void CountdownTimer::ScrollBar2Scroll(int position)
{
    if (!running())
        ui.NumEdit2->SetNumb(static_cast<float>(-position));
}

void CountdownTimer::ScrollBar3Scroll(int position)
{
    if (!running())
        ui.NumEdit3->SetNumb(static_cast<float>(-position));
}

void CountdownTimer::GroupBox12MouseMove()
{
    m_shell.hideErrorIndicator();
}
