#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace differential {

/// UTF-8 to UTF-16LE bytes, with the byte-order mark Windows puts first.
std::string toUtf16LeWithMark(std::string_view utf8);
/// UTF-8 to Windows-1251; a character it cannot hold becomes "?", as the ANSI calls write it.
std::string toCp1251(std::string_view utf8);
/// Whether the bytes are well-formed UTF-8.
bool isUtf8(std::string_view bytes);

/// What a file's bytes hold, told apart from how they are encoded, so that two sides writing the same text
/// in different encodings or line ends differ only in those observations.
struct FileView
{
    /// "ascii", "utf-8", "utf-8 with mark", "utf-16le with mark", "8-bit" (read as Windows-1251).
    std::string encoding;
    /// "none", "LF", "CRLF" or "mixed".
    std::string lineEnds;
    /// The text in UTF-8 with every line end made a line feed.
    std::string text;
    /// The lines that say something, each ended by a line feed, without what the profile calls disregard:
    /// blank lines, blanks around a line, around a section's name and around a key's name and value.
    std::string entries;
};
FileView viewFile(std::string_view bytes);

/// A text for the transcript: quoted, with control characters, backslashes, quotes and bytes that are not
/// UTF-8 escaped so that it fits one line; a long text is shown by its length, a checksum and both ends.
std::string shown(std::string_view text, std::size_t longest = 160);
std::string shown(const std::vector<std::string>& list);

} // namespace differential
