#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "reminders/reminderoptions.h"
#include "reminders/timefields.h"

class QFrame;
class QGroupBox;
class QPushButton;
class QScrollBar;
class QTimer;
class ReminderRule;
class Shell;
class TMessia;

// One reminder group of the page "Не забудь": three fields with their scroll bars, the start button with its
// running indicator, the one-second timer and the options. The button's `Tag` is the group's state (0 idle,
// 1 running); the rule decides the captions, which fields may start it and what a tick does.
class ReminderGroup final : public QObject
{
public:
    struct Widgets
    {
        QGroupBox* group;
        QPushButton* button;
        QFrame* indicator;
        TimeFields fields;
        /// Beside the hours, minutes and seconds.
        std::array<QScrollBar*, 3> bars;
        ReminderOptions::Widgets options;
    };

    ReminderGroup(const Widgets& widgets, ReminderRule& rule, ReminderOptions::Prompt prompt, Shell& shell,
                  QTimer& timer, std::function<TMessia*()> messia);

    /// The start button: starts when it shows the rule's start caption, otherwise goes idle.
    void buttonClick();
    void timerTick();
    /// A bar (0 hours, 1 minutes, 2 seconds) scrolled to `position`: its field follows only while idle.
    void barScroll(int bar, int position);

    bool running() const;
    ReminderOptions& options() { return m_options; }
    const ReminderOptions& options() const { return m_options; }

private:
    void start();
    void stop();
    void setBarsVisible(bool on);

    Widgets m_widgets;
    ReminderRule& m_rule;
    Shell& m_shell;
    QTimer& m_timer;
    ReminderOptions m_options;
};
