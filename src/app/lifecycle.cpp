#include "app/lifecycle.h"

void Lifecycle::add(Phase phase, std::vector<Step> steps)
{
    auto& table = m_steps[static_cast<size_t>(phase)];
    table.insert(table.end(), std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
}

void Lifecycle::run(Phase phase) const
{
    for (const Step& step : m_steps[static_cast<size_t>(phase)])
        step.run();
}

QStringList Lifecycle::stepNames(Phase phase) const
{
    QStringList names;
    for (const Step& step : m_steps[static_cast<size_t>(phase)])
        names << QString::fromUtf8(step.name);
    return names;
}
