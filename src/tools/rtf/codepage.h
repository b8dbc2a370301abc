#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Windows code pages as rich text files name them: the document's \ansicpg, a font's \fcharset or \cpg.
namespace rtf {

/// Numbers of our own for the fonts whose bytes are pictures, not letters: a \fcharset 2 font, and among
/// those the Wingdings family. Their bytes read as the characters the fonts show.
inline constexpr int SymbolCodePage = 42;
inline constexpr int WingdingsCodePage = 43;

inline bool isSymbolCodePage(int codePage)
{
    return codePage == SymbolCodePage || codePage == WingdingsCodePage;
}

/// The code page that a font's \fcharset stands for; 0 where the charset names none (the document's own
/// code page applies then).
int codePageOfCharset(int charset);

/// Bytes of the code page as text. Single-byte pages come from our own tables; the double-byte pages of
/// East Asian fonts from the system's converters. A page nobody knows reads as Windows-1252.
QString decode(QByteArrayView bytes, int codePage);

/// The Windows-1251 byte of a character at or above 0x80, if that code page has it.
std::optional<unsigned char> encodeCp1251(char16_t character);

/// Halves of surrogate pairs without their other half become U+FFFD: a document cannot hold them, and a
/// save would write a character that the next open reads differently.
QString withPairedSurrogates(const QString& text);

/// A file that is not rich text: UTF-16 when it starts with a byte order mark, UTF-8 (without its byte
/// order mark) when the bytes are valid UTF-8, otherwise Windows-1251. Line ends stay as they are.
QString decodePlainText(QByteArrayView bytes);

} // namespace rtf
