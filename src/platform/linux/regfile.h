#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

struct RegValue
{
    /// Empty for the key's default value, written as "@".
    std::string name;
    /// The string's text; for a value of another type (dword:..., hex:...) the text after "=" as it stood
    /// in the file, kept so that a rewrite does not lose it, less any continuation marks and blanks at its end.
    std::string data;
    bool isString = true;
};

struct RegKey
{
    /// Components of the full path, the first being the hive name (HKEY_CURRENT_USER, ...).
    std::vector<std::string> path;
    std::vector<RegValue> values;
};

struct RegDocument
{
    /// Keys in file order; a key listed twice in the file is merged into its first entry.
    std::vector<RegKey> keys;
};

struct RegParseResult
{
    std::optional<RegDocument> document;
    /// Line number (from 1) of the first line that could not be understood when `document` is empty.
    int errorLine = 0;
};

/// Reads the text form of regedit's REGEDIT5 export, in UTF-8. Blank lines, CRLF line ends, a byte-order
/// mark and ";" comment lines are accepted. Inside quotes, `\\` is a backslash, `\"` a quote, `\n` a line
/// feed and `\r` a carriage return; regedit writes line breaks raw and so breaks its own files, we escape
/// them so that every string reads back exactly. Bytes are passed through as they are, valid UTF-8 or not.
RegParseResult parseRegFile(std::string_view text);

/// The text form of the document: the header, a blank line, then each key as `[path]` followed by its values
/// and a blank line.
std::string formatRegFile(const RegDocument& document);

/// The text of an expandable string, which regedit writes as `hex(2):` and the bytes of its UTF-16 text
/// (its variables left unexpanded, as a string read gives them on Windows); nothing for a value of any other
/// type or bytes that are no such text.
std::optional<std::string> expandableText(const RegValue& value);

/// The escaped form of a name or string between quotes.
std::string escapeRegString(std::string_view text);

} // namespace platform::detail
