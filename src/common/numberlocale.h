#pragma once

#include <QChar>
#include <QLocale>

// Numbers the user sees take their separators from here, and only from here: the regional settings in force
// (Qt's default locale, which follows the user's LANG). Text that is stored or parsed internally never uses
// these; it goes through locale-independent conversions.
QLocale displayLocale();

/// The decimal separator of displayLocale(), as the one character the calculator and numeric edits type.
QChar displayDecimalSeparator();
