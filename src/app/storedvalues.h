#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <span>
#include <vector>

#include "common/storedvalue.h"

// The stored values of every owner, found by name, and the walks over an order of names: reading back, one
// value at a time, and writing. An order that names a value no owner declared, or one the walk cannot use,
// is a fault of the program and throws std::logic_error naming the value.
class StoredValues
{
public:
    using Order = std::span<const char* const>;
    enum class Occasion
    {
        FirstRun, // each value's first-run text where it has one
        Now,      // each value's text to store now, skipping those that say to leave it
    };

    /// Adds an owner's rows; a name declared twice throws std::logic_error.
    void add(std::vector<StoredValue> rows);

    /// Reads each value of `order` with `read` just before applying it, in the order's sequence, so that a value
    /// that throws leaves the ones before it applied and the ones after it unread.
    void restore(Order order, const std::function<QString(const QString& name)>& read) const;
    /// Writes each value of `order` with `write`, its text taken at the moment of writing.
    void store(Order order, Occasion occasion,
               const std::function<void(const QString& name, const QString& text)>& write) const;

    QStringList names() const;

private:
    const StoredValue& row(const char* name) const;

    std::vector<StoredValue> m_rows;
};
