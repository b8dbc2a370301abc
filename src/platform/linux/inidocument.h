#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/caseless.h"

namespace platform::detail {

/// An INI file as its lines, edited the way the Windows private-profile functions edit it: sections and keys
/// compare without regard to case, blanks around section names, key names and values do not count, only
/// the first section of a name and the first key of a name in it are seen, and every line not changed
/// (comments, blank lines, lines without "=") stays as it was.
///
/// The text is held once and every line is classified when the file is parsed; the first section of each
/// name and the first key of each name in a section are indexed when first listed, so listing takes one pass
/// however many there are and look-ups after it are direct. A change rebuilds only the lines it touches, and
/// a file changed by another program is read anew from its first changed line on.
class IniDocument final
{
public:
    /// Reads the file's bytes: UTF-8 (a byte-order mark is dropped and put back on writing), or Windows-1251
    /// when the bytes are not valid UTF-8, as files written by older Windows programs are.
    static IniDocument parse(std::string_view bytes);
    /// The same, holding on to `bytes` instead of a copy when they are UTF-8 without a byte-order mark.
    static IniDocument parse(std::shared_ptr<const std::string> bytes);
    /// The file's bytes in UTF-8 with the line ends the file had (LF for a new file).
    std::string format() const;
    /// The same bytes, shared with the document when it holds them as they are (no copy of a long file).
    std::shared_ptr<const std::string> formatted() const;
    /// Whether the document holds `bytes` themselves, as parsed or formatted, so that `update` may be given
    /// a later version of them.
    bool holds(const std::shared_ptr<const std::string>& bytes) const { return bytes && bytes == m_text; }
    /// Whether the text is UTF-8, so that the file written from it parses back to this document.
    bool isUtf8Text() const { return m_utf8; }
    /// Becomes the document of `bytes`, a new version of the bytes it holds whose first `same` bytes are
    /// unchanged: the lines before the first changed byte keep their classification and indexes, and only the
    /// rest is read. False, with the document unchanged, when that cannot be done (nothing is kept, or the
    /// new part is not UTF-8 and the whole file must be read in another encoding); then parse the bytes whole.
    bool update(std::shared_ptr<const std::string> bytes, std::size_t same);

    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;
    /// The value without its surrounding blanks and without matching quotes ("..." or '...') around it.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    /// Replaces the first key's value in place (keeping its spelling), or appends the key after the section's
    /// last non-blank line, or appends the section at the end. Line breaks in the value (CR or LF) and line
    /// feeds in the names become blanks so that neither can start a section or key of its own.
    void write(std::string_view section, std::string_view key, std::string_view value);
    /// Whether a write of these names would read back: false for a key name the file cannot hold as one
    /// ("a=b", ";x", a name or value that makes the line a section header).
    static bool storable(std::string_view section, std::string_view key, std::string_view value);
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
    // One line of `m_text`, without its line end; name and value are counted from the line's start (a line
    // too long for that is no entry).
    struct Line
    {
        std::size_t begin = 0;
        std::size_t size = 0;
        std::uint32_t nameOffset = 0;
        std::uint32_t nameSize = 0;
        std::uint32_t valueOffset = 0;
        std::uint32_t valueSize = 0;
        Kind kind = Kind::Other;
    };
    // Names, each once with a number standing for the first line that has it (compared without regard to
    // case): open addressing over one array, since a file may hold a hundred thousand names and a node per
    // name would cost more than the look-up itself.
    class FirstOfName
    {
    public:
        explicit FirstOfName(std::size_t expected = 0);
        /// Adds `number` under `name` unless an equal name is there; true when added. `nameOf` gives the name
        /// a number stands for.
        template <class NameOf> bool add(std::string_view name, std::size_t number, NameOf nameOf);
        /// Adds many names at once, numbered from 0 in order; `added[i]` tells whether name i was added.
        template <class NameOf> std::vector<bool> addAll(std::size_t count, NameOf nameOf);
        template <class NameOf> std::optional<std::size_t> find(std::string_view name, NameOf nameOf) const;
        /// Drops every number from `limit` on.
        void keepBelow(std::size_t limit);

    private:
        // Numbers are lines or sections of a file held in memory, far below 2^32; a slot of two 32-bit halves
        // keeps the table of a long file in the processor's cache.
        static constexpr std::uint32_t kFree = UINT32_MAX;
        struct Slot
        {
            std::uint32_t hash = 0;
            std::uint32_t number = kFree;
        };
        void grow();
        template <class NameOf> bool add(std::uint32_t hash, std::string_view name, std::size_t number, NameOf nameOf);

        std::vector<Slot> m_slots;
        std::size_t m_count = 0;
    };
    // The keys of one section that count (the first of each name), in file order and by name.
    struct SectionKeys
    {
        std::vector<std::size_t> lines;
        FirstOfName byName;
    };
    // A section header, the end of its lines (the next header of any name, or the end of the file), and
    // whether it is the first section of its name, the one that counts (known once the sections are indexed).
    // Its keys are indexed when first listed; the index is never changed, only dropped with the lines, so
    // copies may share it.
    struct Section
    {
        std::size_t header = 0;
        std::size_t end = 0;
        mutable bool first = false;
        mutable std::shared_ptr<const SectionKeys> keys;
    };

    /// Takes `text` as the document's and splits it into classified lines; with `learnLineEnd`, the line
    /// end seen first becomes the file's.
    void assign(std::shared_ptr<const std::string> text, bool learnLineEnd);
    /// Splits the text from `start` (a line's start) on into classified lines after those already there.
    void readLines(std::size_t start, bool learnLineEnd);
    /// Replaces lines [first, last) with `lines`.
    void replaceLines(std::size_t first, std::size_t last, const std::vector<std::string>& lines);
    /// The same by splicing the new lines into the text, keeping the other lines and what is indexed of
    /// them; false when the change is not one it handles, and then nothing was changed.
    bool spliceLines(std::size_t first, std::size_t last, const std::vector<std::string>& lines);
    /// Adds the key lines from `from` on of the section's kept index (the lines before it are indexed).
    void extendKeys(const Section& section, std::size_t from) const;
    /// Every line for which `keep` holds, each with a line feed.
    template <class Keep> std::string joinLines(Keep keep) const;
    void classify(Line& line) const;
    static void classifyLine(std::string_view whole, Line& line);
    std::string_view all() const { return *m_text; }
    std::string_view text(const Line& line) const { return all().substr(line.begin, line.size); }
    std::string_view name(const Line& line) const { return text(line).substr(line.nameOffset, line.nameSize); }
    std::string_view value(const Line& line) const { return text(line).substr(line.valueOffset, line.valueSize); }
    /// Finds the first section of each name, which listing the sections needs and which makes look-ups
    /// direct; done once per text.
    void indexSections() const;
    const Section* findSection(std::string_view section) const;
    const SectionKeys& keysOf(const Section& section) const;

    // Never changed once indexed, only replaced, so copies share it and the views below stay valid in them.
    std::shared_ptr<const std::string> m_text = std::make_shared<const std::string>();
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    // The first section of each name, by its index in `m_sections`, once indexed.
    mutable FirstOfName m_firstSection;
    mutable bool m_sectionsIndexed = false;
    std::string m_lineEnd = "\n";
    bool m_byteOrderMark = false;
    // The first line whose line end in the text is not exactly `m_lineEnd` (or that has none), or npos: when
    // there is none, the text is the file as formatted and can be edited by splicing.
    std::size_t m_firstIrregular = std::string::npos;
    bool m_utf8 = true;
};

/// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isUtf8(std::string_view bytes);
/// Converts Windows-1251 text to UTF-8.
std::string decodeCp1251(std::string_view bytes);
/// The same by our own table, used when Qt was built without a Windows-1251 codec.
std::string decodeCp1251ByTable(std::string_view bytes);

} // namespace platform::detail
