#include "app/storedvalues.h"

#include <stdexcept>
#include <string>
#include <string_view>

void StoredValues::add(std::vector<StoredValue> rows)
{
    for (StoredValue& added : rows) {
        for (const StoredValue& present : m_rows) {
            if (std::string_view(present.name) == added.name)
                throw std::logic_error(std::string("stored value declared twice: ") + added.name);
        }
        m_rows.push_back(std::move(added));
    }
}

const StoredValue& StoredValues::row(const char* name) const
{
    for (const StoredValue& value : m_rows) {
        if (std::string_view(value.name) == name)
            return value;
    }
    throw std::logic_error(std::string("no owner declares the stored value ") + name);
}

void StoredValues::restore(Order order, const std::function<QString(const QString&)>& read) const
{
    for (const char* name : order) {
        const StoredValue& value = row(name);
        if (!value.apply)
            throw std::logic_error(std::string("the stored value ") + name + " is not restored");
        value.apply(read(QString::fromUtf8(name)));
    }
}

void StoredValues::store(Order order, Occasion occasion,
                         const std::function<void(const QString&, const QString&)>& write) const
{
    for (const char* name : order) {
        const StoredValue& value = row(name);
        if (occasion == Occasion::FirstRun && value.firstRunText) {
            write(QString::fromUtf8(name), QString::fromUtf8(value.firstRunText));
            continue;
        }
        if (!value.text)
            throw std::logic_error(std::string("the stored value ") + name + " has no text to store");
        if (const std::optional<QString> text = value.text())
            write(QString::fromUtf8(name), *text);
    }
}

QStringList StoredValues::names() const
{
    QStringList names;
    for (const StoredValue& value : m_rows)
        names << QString::fromUtf8(value.name);
    return names;
}
