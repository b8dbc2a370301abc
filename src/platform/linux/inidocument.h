#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

/// An INI file as its lines, edited the way the Windows private-profile functions edit it: sections and keys
/// compare without regard to case, blanks around section names, key names and values do not count, only
/// the first section of a name and the first key of a name in it are seen, and every line not changed
/// (comments, blank lines, lines without "=") stays as it was.
class IniDocument final
{
public:
    /// Reads the file's bytes: UTF-8 (a byte-order mark is dropped and put back on writing), or Windows-1251
    /// when the bytes are not valid UTF-8, as files written by older Windows programs are.
    static IniDocument parse(std::string_view bytes);
    /// The file's bytes in UTF-8 with the line ends the file had (LF for a new file).
    std::string format() const;

    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;
    /// The value without its surrounding blanks and without matching quotes ("..." or '...') around it.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    /// Replaces the first key's value in place (keeping its spelling), or appends the key after the section's
    /// last non-blank line, or appends the section at the end. Line breaks in the value (CR or LF) and line
    /// feeds in the names become blanks so that neither can start a section or key of its own.
    void write(std::string_view section, std::string_view key, std::string_view value);
    /// Removes the key from the section; false when there was none.
    bool eraseKey(std::string_view section, std::string_view key);
    /// Removes every section of that name with all its lines; false when there was none.
    bool eraseSection(std::string_view section);

private:
    struct Entry
    {
        enum class Kind
        {
            Other,
            Section,
            Key
        };
        Kind kind = Kind::Other;
        std::string name;
        std::string value;
    };
    static Entry classify(std::string_view line);
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t header) const;

    std::vector<std::string> m_lines;
    std::string m_lineEnd = "\n";
    bool m_byteOrderMark = false;
};

/// Converts Windows-1251 text to UTF-8.
std::string decodeCp1251(std::string_view bytes);
/// The same by our own table, used when Qt was built without a Windows-1251 codec.
std::string decodeCp1251ByTable(std::string_view bytes);

} // namespace platform::detail
