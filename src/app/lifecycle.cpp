#include "app/lifecycle.h"

void Lifecycle::add(Phase phase, std::vector<Step> steps)
{
    auto& table = m_steps[static_cast<size_t>(phase)];
    table.insert(table.end(), std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
}

void Lifecycle::addStoredValues(std::vector<StoredValue> values)
{
    m_values.insert(m_values.end(), std::make_move_iterator(values.begin()), std::make_move_iterator(values.end()));
}

void Lifecycle::run(Phase phase) const
{
    for (const Step& step : m_steps[static_cast<size_t>(phase)])
        step.run();
}

void Lifecycle::restore(const std::function<QString(const QString&)>& read) const
{
    for (const StoredValue& value : m_values)
        value.apply(read(QString::fromUtf8(value.name)));
}

QStringList Lifecycle::stepNames(Phase phase) const
{
    QStringList names;
    for (const Step& step : m_steps[static_cast<size_t>(phase)])
        names << QString::fromUtf8(step.name);
    return names;
}

QStringList Lifecycle::storedValueNames() const
{
    QStringList names;
    for (const StoredValue& value : m_values)
        names << QString::fromUtf8(value.name);
    return names;
}
