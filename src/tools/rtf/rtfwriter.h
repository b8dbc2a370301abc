#pragma once

#include <QByteArray>

#include "tools/rtf/rtfcontent.h"

// Writes rich text format that word processors and converters read back: 7-bit text, Windows-1251 bytes
// (\'xx) for Cyrillic under fonts that declare that code page, \uN? for every other character beyond ASCII,
// the typefaces and colours in their tables, and per run its typeface, size, bold, italic, underline,
// strike-out, text and background colour.
namespace rtf {

QByteArray write(const Content& content);

} // namespace rtf
