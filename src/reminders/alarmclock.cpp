#include "reminders/alarmclock.h"

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

AlarmClock::AlarmClock(Ui::Form1& ui, Shell& shell, QTimer& timer, std::function<TMessia*()> messia)
    : ui(ui), m_timer(timer), m_fields{ui.NumEdit4, ui.NumEdit5, ui.NumEdit6},
      m_options({ui.Panel12, ui.CheckBox15, ui.CheckBox16, ui.Label79, ui.ComboBox8}, ReminderOptions::Prompt::Alarm,
                std::move(messia), shell.platform())
{
    for (TNumEdit* edit : {ui.NumEdit4, ui.NumEdit5, ui.NumEdit6})
        edit->OnKeyPress = rejectComma;
    connectGuarded(ui.BitBtn14, &QPushButton::clicked, this, [this] { BitBtn14Click(); });
    connectGuarded(&m_timer, &QTimer::timeout, this, [this] { BUDILTimer(); });
    connectGuarded(ui.ScrollBar4, &QAbstractSlider::actionTriggered, this,
                   [this] { ScrollBar4Scroll(this->ui.ScrollBar4->sliderPosition()); });
    connectGuarded(ui.ScrollBar5, &QAbstractSlider::actionTriggered, this,
                   [this] { ScrollBar5Scroll(this->ui.ScrollBar5->sliderPosition()); });
    connectGuarded(ui.ScrollBar6, &QAbstractSlider::actionTriggered, this,
                   [this] { ScrollBar6Scroll(this->ui.ScrollBar6->sliderPosition()); });
    connectGuarded(ui.CheckBox15, &QCheckBox::clicked, this, [this] { CheckBox15Click(); });
    MouseHandlers::onClick(ui.Panel12, [this] { Panel12Click(); });
    MouseHandlers::onClick(ui.Label79, [this] { runGuarded([this] { Label79Click(); }); });
}

void AlarmClock::initFields()
{
    const QTime now = Clock::instance().timeOfDay();
    ui.NumEdit4->SetNumb(static_cast<float>(now.hour()));
    ui.NumEdit5->SetNumb(static_cast<float>(now.minute()));
    ui.ScrollBar4->setValue(-now.hour());
    ui.ScrollBar5->setValue(-now.minute());
}

bool AlarmClock::armed() const
{
    return ui.BitBtn14->property("Tag").toInt() != 0;
}

void AlarmClock::setScrollBarsVisible(bool on)
{
    ui.ScrollBar4->setVisible(on);
    ui.ScrollBar5->setVisible(on);
    ui.ScrollBar6->setVisible(on);
}

void AlarmClock::BitBtn14Click()
{
    if (ui.BitBtn14->text() == QStringLiteral("ПРИНЯТЬ")) {
        // Read once here: a field that is not a number stops the accept with one error report, rather than
        // arming an alarm whose every tick would fail.
        const Hms alarm = m_fields.read();
        m_watch.arm(alarm.h, alarm.m, alarm.s, Clock::instance().now());
        m_fields.setEnabled(false);
        setScrollBarsVisible(false);
        ui.BitBtn14->setProperty("Tag", 1);
        m_timer.start();
        ui.GroupBox17->setTitle(m_fields.caption(QStringLiteral("Будильник установлен на -> ")));
        ui.BitBtn14->setText(QStringLiteral("ОТМЕНА"));
        setIndicatorFill(ui.Shape5, Green);
    } else {
        m_fields.setEnabled(true);
        setScrollBarsVisible(true);
        ui.BitBtn14->setProperty("Tag", 0);
        ui.GroupBox17->setTitle(QStringLiteral("Будильник"));
        ui.BitBtn14->setText(QStringLiteral("ПРИНЯТЬ"));
        m_timer.stop();
        setIndicatorFill(ui.Shape5, Red);
    }
}

void AlarmClock::BUDILTimer()
{
    if (!m_watch.tick(Clock::instance().now()))
        return;
    BitBtn14Click();
    m_options.fire();
}

void AlarmClock::ScrollBar4Scroll(int position)
{
    if (!armed())
        ui.NumEdit4->SetNumb(static_cast<float>(-position));
}

void AlarmClock::ScrollBar5Scroll(int position)
{
    if (!armed())
        ui.NumEdit5->SetNumb(static_cast<float>(-position));
}

void AlarmClock::ScrollBar6Scroll(int position)
{
    if (!armed())
        ui.NumEdit6->SetNumb(static_cast<float>(-position));
}
