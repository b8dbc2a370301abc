#pragma once

#include <QString>
#include <ostream>

// GoogleTest shows a QString in a failure as its text, not as its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
