#pragma once

#include <QByteArrayView>
#include <optional>

#include "tools/rtf/rtfcontent.h"

// Reads rich text format as word processors write it: groups, the font and colour tables, character and
// paragraph formatting, \'xx bytes in the code page of the current font (Windows-1251 when the file names
// none), \uN characters with their \ucN fallbacks. Destinations it has no use for (pictures, objects, style
// sheets, document information, anything marked \*) are skipped whole, unknown control words one by one,
// and the text around them is kept.
//
// Any bytes are read without failing: a file cut short keeps the text before the cut, braces that close
// nothing are ignored, numbers in control words saturate, groups nested deeper than maxDepth are skipped,
// and \bin data is passed over. The work is linear in the size of the input.
namespace rtf {

inline constexpr int maxDepth = 256;
/// Digits of a control word's number beyond these are read but do not change its value.
inline constexpr int maxNumberDigits = 10;

/// Whether the bytes are rich text at all: they start with "{\rtf".
bool isRtf(QByteArrayView data);

/// The text of rich text bytes; nothing when they are not rich text.
std::optional<Content> read(QByteArrayView data);

} // namespace rtf
