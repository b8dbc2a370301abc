#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/linux/caseless.h"

namespace platform::detail {

/// An INI file as its lines, edited the way the Windows private-profile functions edit it: sections and keys
/// compare without regard to case, blanks around section names, key names and values do not count, only
/// the first section of a name and the first key of a name in it are seen, and every line not changed
/// (comments, blank lines, lines without "=") stays as it was.
///
/// The text is held once and every line is classified when the file is parsed, with the first section of
/// each name indexed, so listing the sections or the keys of a section takes one pass however many there
/// are; only a change rebuilds the lines.
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
    enum class Kind : unsigned char
    {
        Other,
        Section,
        Key
    };
    // One line of `m_text`, without its line end; name and value are offsets into the text as well.
    struct Line
    {
        std::size_t begin = 0;
        std::size_t size = 0;
        Kind kind = Kind::Other;
        std::size_t nameBegin = 0;
        std::size_t nameSize = 0;
        std::size_t valueBegin = 0;
        std::size_t valueSize = 0;
    };
    // A section header, the end of its lines (the next header of any name, or the end of the file), and
    // whether it is the first section of its name, the one that counts.
    struct Section
    {
        std::size_t header = 0;
        std::size_t end = 0;
        bool first = false;
    };

    /// Takes `text` as the document's and splits it into classified lines; with `learnLineEnd`, the line
    /// end seen first becomes the file's.
    void assign(std::string text, bool learnLineEnd);
    /// Replaces lines [first, last) with `lines`.
    void replaceLines(std::size_t first, std::size_t last, const std::vector<std::string>& lines);
    /// Every line for which `keep` holds, each with a line feed.
    template <class Keep> std::string joinLines(Keep keep) const;
    void classify(Line& line) const;
    std::string_view all() const { return *m_text; }
    std::string_view text(const Line& line) const { return all().substr(line.begin, line.size); }
    std::string_view name(const Line& line) const { return all().substr(line.nameBegin, line.nameSize); }
    std::string_view value(const Line& line) const { return all().substr(line.valueBegin, line.valueSize); }
    const Section* findSection(std::string_view section) const;

    // Never changed once indexed, only replaced, so copies share it and the views below stay valid in them.
    std::shared_ptr<const std::string> m_text = std::make_shared<const std::string>();
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    // The index in `m_sections` of the first section of each name, by its name as a view into `m_text`.
    std::unordered_map<std::string_view, std::size_t, CaselessHash, CaselessEqual> m_firstSection;
    std::string m_lineEnd = "\n";
    bool m_byteOrderMark = false;
};

/// Converts Windows-1251 text to UTF-8.
std::string decodeCp1251(std::string_view bytes);
/// The same by our own table, used when Qt was built without a Windows-1251 codec.
std::string decodeCp1251ByTable(std::string_view bytes);

} // namespace platform::detail
