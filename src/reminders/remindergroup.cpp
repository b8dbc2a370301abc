#include "reminders/remindergroup.h"

#include <algorithm>

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "common/clickfilter.h"
#include "common/clock.h"
#include "common/colors.h"
#include "common/guardedconnect.h"
#include "common/shell.h"
#include "reminders/reminderrule.h"
#include "widgets/tnumedit.h"

namespace {

constexpr qint32 Red = 0x0000FF;
constexpr qint32 Green = 0x00FF00;

// After the edit's own filter a comma is refused: where the decimal separator is a comma, no fraction can be
// typed into the fields.
void rejectComma(QChar& key)
{
    if (key == QLatin1Char(','))
        key = QChar();
}

const char* const IndicatorFill = "indicatorFill";

void paintIndicator(QFrame* shape)
{
    shape->setStyleSheet(QStringLiteral("QFrame#%1 { border: 1px solid yellow; border-radius: %2px; "
                                        "background-color: %3; }")
                             .arg(shape->objectName())
                             .arg(std::min(shape->width(), shape->height()) / 2)
                             .arg(colorFromTColor(shape->property(IndicatorFill).toInt()).name()));
}

// The round running indicator: a yellow outline around the fill (0x00BBGGRR).
void setIndicatorFill(QFrame* shape, qint32 color)
{
    shape->setProperty(IndicatorFill, color);
    paintIndicator(shape);
}

// The corner radius is in pixels: when the window's scale step resizes the indicator it is drawn again at
// the new size, so it stays a circle rather than turning into a rounded square.
class KeepsIndicatorRound final : public QObject
{
public:
    explicit KeepsIndicatorRound(QFrame* shape) : QObject(shape) { shape->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            paintIndicator(static_cast<QFrame*>(watched));
        return false;
    }
};

} // namespace

ReminderGroup::ReminderGroup(const Widgets& widgets, ReminderRule& rule, ReminderOptions::Prompt prompt, Shell& shell,
                             QTimer& timer, std::function<TMessia*()> messia)
    : m_widgets(widgets), m_rule(rule), m_shell(shell), m_timer(timer),
      m_options(widgets.options, prompt, std::move(messia), shell.platform())
{
    setIndicatorFill(m_widgets.indicator, Red);
    new KeepsIndicatorRound(m_widgets.indicator);
    const TimeFields& fields = m_widgets.fields;
    for (TNumEdit* edit : {fields.hours, fields.minutes, fields.seconds})
        edit->OnKeyPress = rejectComma;
    connectGuarded(m_widgets.button, &QPushButton::clicked, this, [this] { buttonClick(); });
    connectGuarded(&m_timer, &QTimer::timeout, this, [this] { timerTick(); });
    for (int bar = 0; bar < 3; ++bar) {
        QScrollBar* scrollBar = m_widgets.bars[std::size_t(bar)];
        connectGuarded(scrollBar, &QAbstractSlider::actionTriggered, this,
                       [this, bar, scrollBar] { barScroll(bar, scrollBar->sliderPosition()); });
    }
    connectGuarded(m_widgets.options.message, &QCheckBox::clicked, this, [this] { m_options.messageCheckClick(); });
    MouseHandlers::onClick(m_widgets.options.panel, guarded([this] { m_options.panelClick(); }));
    MouseHandlers::onClick(m_widgets.options.fileLabel, guarded([this] { m_options.fileLabelClick(); }));
}

bool ReminderGroup::running() const
{
    return m_widgets.button->property("Tag").toInt() != 0;
}

void ReminderGroup::setBarsVisible(bool on)
{
    for (QScrollBar* bar : m_widgets.bars)
        bar->setVisible(on);
}

void ReminderGroup::buttonClick()
{
    if (m_widgets.button->text() == m_rule.captions().start)
        start();
    else
        stop();
}

void ReminderGroup::start()
{
    // Read once here: a field that is not a number stops the start with one error report, rather than
    // starting a group whose every tick would fail.
    const Hms fields = m_widgets.fields.read();
    if (!m_rule.accepts(fields)) {
        m_shell.showErrorIndicator();
        return;
    }
    m_rule.start(fields, Clock::instance());
    m_widgets.fields.setEnabled(false);
    if (m_rule.hidesBarsWhileRunning())
        setBarsVisible(false);
    m_widgets.button->setProperty("Tag", 1);
    m_timer.start();
    m_widgets.group->setTitle(m_widgets.fields.caption(m_rule.captions().runningTitle));
    m_widgets.button->setText(m_rule.captions().stop);
    setIndicatorFill(m_widgets.indicator, Green);
}

void ReminderGroup::stop()
{
    m_widgets.fields.setEnabled(true);
    if (m_rule.hidesBarsWhileRunning())
        setBarsVisible(true);
    m_widgets.button->setProperty("Tag", 0);
    m_widgets.group->setTitle(m_rule.captions().idleTitle);
    m_widgets.button->setText(m_rule.captions().start);
    m_timer.stop();
    setIndicatorFill(m_widgets.indicator, Red);
}

void ReminderGroup::timerTick()
{
    const ReminderRule::Tick tick = m_rule.tick(Clock::instance());
    if (tick.fire)
        m_timer.stop();
    if (tick.shown)
        m_widgets.fields.write(*tick.shown);
    if (!tick.fire)
        return;
    // The group is idle before anything of the firing happens, so a message box waits on an idle group.
    buttonClick();
    m_options.fire();
}

void ReminderGroup::barScroll(int bar, int position)
{
    if (running())
        return;
    const TimeFields& fields = m_widgets.fields;
    TNumEdit* const edits[] = {fields.hours, fields.minutes, fields.seconds};
    edits[bar]->SetNumb(static_cast<float>(-position));
}
