#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

// The main window's lifecycle as ordered tables of named steps, one per phase, and the table of stored values
// that activation restores. Each feature adds its rows where the window builds the tables; a step that
// throws ends its phase there, so what ran before it stays done and what follows it does not run.
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

    /// A stored value of the settings key and what applying it does.
    struct StoredValue
    {
        const char* name;
        std::function<void(const QString& value)> apply;
    };

    void add(Phase phase, std::vector<Step> steps);
    void addStoredValues(std::vector<StoredValue> values);

    void run(Phase phase) const;
    /// Reads each value with `read` and applies it, one value at a time, in the table's order.
    void restore(const std::function<QString(const QString& name)>& read) const;

    QStringList stepNames(Phase phase) const;
    QStringList storedValueNames() const;

private:
    std::array<std::vector<Step>, static_cast<size_t>(Phase::Count)> m_steps;
    std::vector<StoredValue> m_values;
};
