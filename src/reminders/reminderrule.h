#pragma once

#include <QString>
#include <optional>

#include "reminders/countdown.h"

class Clock;

// What sets one reminder group apart from the other: its captions, which fields may start it, and what its
// one-second tick does. Everything else (the button, the indicator, the bars, the options) the groups share.
class ReminderRule
{
public:
    struct Captions
    {
        /// The start button's caption while idle; the button starts the group when it shows this.
        QString start;
        /// The start button's caption while running.
        QString stop;
        /// The group's title while idle.
        QString idleTitle;
        /// Put before the fields' texts in the group's title while running.
        QString runningTitle;
    };
    struct Tick
    {
        /// What the fields show from now on; nothing leaves them as they are.
        std::optional<Hms> shown;
        /// The time is up: the group goes idle and does what its options say.
        bool fire = false;
    };

    virtual ~ReminderRule() = default;

    virtual const Captions& captions() const = 0;
    /// Whether the scroll bars hide while the group runs.
    virtual bool hidesBarsWhileRunning() const = 0;
    /// Whether these fields may start the group; a refusal only shows the error indicator.
    virtual bool accepts(const Hms& fields) const = 0;
    virtual void start(const Hms& fields, const Clock& clock) = 0;
    virtual Tick tick(const Clock& clock) = 0;
};
