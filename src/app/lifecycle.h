#pragma once

#include <QStringList>
#include <array>
#include <functional>
#include <vector>

// The main window's lifecycle as ordered tables of named steps, one per phase. Each feature adds its rows where
// the features build the tables; a step that throws ends its phase there, so what ran before it stays done and
// what follows it does not run.
class Lifecycle
{
public:
    enum class Phase
    {
        Creation,   // the window is made, still hidden
        Show,       // the window is shown (not when it comes back from the tray)
        Hide,       // the window is hidden (not when it goes to the tray)
        Activation, // the window becomes active
        Close,      // the close path stores what the user had
        Count
    };

    struct Step
    {
        const char* name;
        std::function<void()> run;
    };

    void add(Phase phase, std::vector<Step> steps);

    void run(Phase phase) const;

    QStringList stepNames(Phase phase) const;

private:
    std::array<std::vector<Step>, static_cast<size_t>(Phase::Count)> m_steps;
};
