#include "platform/linux/inidocument.h"

#include "platform/linux/caseless.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace platform::detail {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// memchr runs through the text many bytes at a time, where a plain counting loop takes them one by one.
std::size_t occurrences(std::string_view text, char c)
{
    std::size_t count = 0;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    while (const void* found = std::memchr(at, c, std::size_t(end - at))) {
        ++count;
        at = static_cast<const char*>(found) + 1;
    }
    return count;
}

std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string withoutLineBreaks(std::string_view text)
{
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

// A section or key name as it stands in its line. Only a line feed ends a line, so a carriage return inside a
// name stays: the file may hold such a name, and a write must change that key rather than add another.
std::string nameInLine(std::string_view name)
{
    std::string out(name);
    std::replace(out.begin(), out.end(), '\n', ' ');
    return std::string(trimBlanks(out));
}

// Windows-1251 from 0x80 up, for a Qt built without ICU where QStringDecoder knows no such codec. The one
// unassigned byte, 0x98, maps to U+0098 as Windows' own conversion does.
constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

} // namespace

// Runs of ASCII are checked eight bytes at a time and two-byte characters (all of Cyrillic) without the
// general case: a long dictionary is checked whole every time another program changed it.
bool isUtf8(std::string_view bytes)
{
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    const auto continuation = [](unsigned char c) { return (c & 0xC0) == 0x80; };
    while (at < end) {
        while (end - at >= 8) {
            std::uint64_t word;
            std::memcpy(&word, at, 8);
            if (word & 0x8080808080808080ull)
                break;
            at += 8;
        }
        if (at == end)
            break;
        const unsigned char lead = *at;
        const std::ptrdiff_t left = end - at;
        if (lead < 0x80) {
            ++at;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            if (left < 2 || !continuation(at[1]))
                return false;
            at += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            // No overlong forms (E0 80..9F) and no surrogates (ED A0..BF).
            const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
            if (left < 3 || at[1] < low || at[1] > high || !continuation(at[2]))
                return false;
            at += 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            // No overlong forms (F0 80..8F) and nothing past U+10FFFF (F4 90..BF).
            const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
            if (left < 4 || at[1] < low || at[1] > high || !continuation(at[2]) || !continuation(at[3]))
                return false;
            at += 4;
        } else {
            return false;
        }
    }
    return true;
}

std::string decodeCp1251(std::string_view bytes)
{
    QStringDecoder decoder("windows-1251");
    if (decoder.isValid())
        return QString(decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())))).toStdString();
    return decodeCp1251ByTable(bytes);
}

std::string decodeCp1251ByTable(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (unsigned char c : bytes) {
        if (c < 0x80)
            text += QChar(c);
        else if (c >= 0xC0)
            text += QChar(char16_t(0x0410 + (c - 0xC0)));
        else
            text += QChar(kCp1251High[c - 0x80]);
    }
    return text.toStdString();
}

IniDocument::FirstOfName::FirstOfName(std::size_t expected)
{
    std::size_t size = 8;
    while (size < expected * 2)
        size *= 2;
    m_slots.resize(size);
}

template <class NameOf> bool IniDocument::FirstOfName::add(std::string_view name, std::size_t number, NameOf nameOf)
{
    return add(std::uint32_t(caselessHash(name)), name, number, nameOf);
}

// The slots of a long list lie far apart in memory: with every hash known first, the slot of a name some
// places ahead is fetched while the current one is placed, instead of each waiting for its own.
template <class NameOf> std::vector<bool> IniDocument::FirstOfName::addAll(std::size_t count, NameOf nameOf)
{
    constexpr std::size_t kAhead = 16;
    while ((m_count + count) * 2 > m_slots.size())
        grow();
    std::vector<std::uint32_t> hashes(count);
    for (std::size_t i = 0; i < count; ++i)
        hashes[i] = std::uint32_t(caselessHash(nameOf(i)));
    std::vector<bool> added(count);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count)
            __builtin_prefetch(&m_slots[hashes[i + kAhead] & mask]);
        added[i] = add(hashes[i], nameOf(i), i, nameOf);
    }
    return added;
}

template <class NameOf>
bool IniDocument::FirstOfName::add(std::uint32_t hash, std::string_view name, std::size_t number, NameOf nameOf)
{
    if ((m_count + 1) * 2 > m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.number == kFree) {
            slot = {hash, std::uint32_t(number)};
            ++m_count;
            return true;
        }
        if (slot.hash == hash && equalsCaseless(nameOf(slot.number), name))
            return false;
    }
}

template <class NameOf>
std::optional<std::size_t> IniDocument::FirstOfName::find(std::string_view name, NameOf nameOf) const
{
    const auto hash = std::uint32_t(caselessHash(name));
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.number == kFree)
            return std::nullopt;
        if (slot.hash == hash && equalsCaseless(nameOf(slot.number), name))
            return slot.number;
    }
}

void IniDocument::FirstOfName::keepBelow(std::size_t limit)
{
    std::vector<Slot> old(m_slots.size());
    old.swap(m_slots);
    m_count = 0;
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.number == kFree || slot.number >= limit)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].number != kFree)
            i = (i + 1) & mask;
        m_slots[i] = slot;
        ++m_count;
    }
}

void IniDocument::FirstOfName::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.number == kFree)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].number != kFree)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

IniDocument IniDocument::parse(std::string_view bytes)
{
    return parse(std::make_shared<const std::string>(bytes));
}

IniDocument IniDocument::parse(std::shared_ptr<const std::string> bytes)
{
    IniDocument document;
    std::string_view text = *bytes;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
        document.m_byteOrderMark = true;
    }
    if (!isUtf8(text))
        bytes = std::make_shared<const std::string>(decodeCp1251(text));
    else if (document.m_byteOrderMark)
        bytes = std::make_shared<const std::string>(text);
    document.assign(std::move(bytes), true);
    return document;
}

void IniDocument::assign(std::shared_ptr<const std::string> text, bool learnLineEnd)
{
    m_text = std::move(text);
    m_lines.clear();
    m_sections.clear();
    m_sectionsIndexed = false;
    m_firstIrregular = std::string::npos;
    readLines(0, learnLineEnd);
}

void IniDocument::readLines(std::size_t start, bool learnLineEnd)
{
    const std::string_view all = *m_text;
    // Every line ends in a line feed and every section header holds a "[", so neither list grows while the
    // text is read.
    const std::string_view rest = all.substr(start);
    const std::size_t lines = occurrences(rest, '\n') + 1;
    m_lines.reserve(m_lines.size() + lines);
    m_sections.reserve(m_sections.size() + std::min(lines, occurrences(rest, '[')));
    bool lineEndKnown = !learnLineEnd;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        const bool ended = end != std::string_view::npos;
        if (!ended)
            end = all.size();
        Line line{start, end - start};
        // Every carriage return before the line feed is line end (CRLF passed twice through a text-mode copy
        // becomes CRCRLF): one kept in the line would be part of the value now but taken for the line end once
        // the file is written back, so the rewrite would change the value.
        if (line.size > 0 && all[line.begin + line.size - 1] == '\r') {
            while (line.size > 0 && all[line.begin + line.size - 1] == '\r')
                --line.size;
            if (!lineEndKnown)
                m_lineEnd = "\r\n";
        }
        lineEndKnown = lineEndKnown || ended;
        const bool regular = ended && all.substr(line.begin + line.size, end + 1 - line.begin - line.size) == m_lineEnd;
        if (!regular && m_firstIrregular == std::string::npos)
            m_firstIrregular = m_lines.size();
        classify(line);
        m_lines.push_back(line);
        if (line.kind == Kind::Section) {
            const std::size_t header = m_lines.size() - 1;
            if (!m_sections.empty())
                m_sections.back().end = header;
            m_sections.push_back({header, 0, false, nullptr});
        }
        start = end + 1;
    }
    if (!m_sections.empty())
        m_sections.back().end = m_lines.size();
}

// The lines are kept up to the last one whose line feed comes before the first changed byte; what follows is
// read as new. The index of the sections loses the dropped ones and gains the new ones; the section cut in two
// keeps the index of its keys, which gains the keys read anew.
bool IniDocument::update(std::shared_ptr<const std::string> bytes, std::size_t same)
{
    const std::string_view old = all();
    if (!bytes || m_byteOrderMark || same > old.size() || same > bytes->size())
        return false;
    // Lines that begin at or before `same`; the last of them is cut unless the whole old text is unchanged.
    const auto beginsAfter = std::upper_bound(m_lines.begin(), m_lines.end(), same,
                                              [](std::size_t at, const Line& line) { return at < line.begin; });
    std::size_t kept = std::size_t(beginsAfter - m_lines.begin());
    const bool wholeKept = same == old.size() && (old.empty() || old.back() == '\n');
    if (!wholeKept && kept > 0)
        --kept;
    if (kept == 0)
        return false;
    const std::size_t cut = kept < m_lines.size() ? m_lines[kept].begin : old.size();
    if (!isUtf8(std::string_view(*bytes).substr(cut)))
        return false;

    const auto sectionsKept =
        std::size_t(std::lower_bound(m_sections.begin(), m_sections.end(), kept,
                                     [](const Section& section, std::size_t line) { return section.header < line; }) -
                    m_sections.begin());
    if (m_sectionsIndexed && sectionsKept < m_sections.size())
        m_firstSection.keepBelow(sectionsKept);
    m_sections.resize(sectionsKept);
    m_lines.resize(kept);
    if (m_firstIrregular != std::string::npos && m_firstIrregular >= kept)
        m_firstIrregular = std::string::npos;
    Section* cutSection = m_sections.empty() ? nullptr : &m_sections.back();
    if (cutSection) {
        cutSection->end = kept;
        if (cutSection->keys && !cutSection->keys->lines.empty() && cutSection->keys->lines.back() >= kept) {
            auto keys = std::make_shared<SectionKeys>();
            const std::vector<std::size_t>& lines = cutSection->keys->lines;
            keys->lines.assign(lines.begin(), std::lower_bound(lines.begin(), lines.end(), kept));
            keys->byName = cutSection->keys->byName;
            keys->byName.keepBelow(kept);
            cutSection->keys = std::move(keys);
        }
    }

    m_text = std::move(bytes);
    readLines(cut, false);
    if (sectionsKept > 0)
        extendKeys(m_sections[sectionsKept - 1], kept);
    if (m_sectionsIndexed) {
        const auto sectionName = [this](std::size_t index) { return name(m_lines[m_sections[index].header]); };
        for (std::size_t i = sectionsKept; i < m_sections.size(); ++i)
            m_sections[i].first = m_firstSection.add(sectionName(i), i, sectionName);
    }
    m_utf8 = true;
    return true;
}

void IniDocument::extendKeys(const Section& section, std::size_t from) const
{
    if (!section.keys)
        return;
    std::shared_ptr<SectionKeys> keys;
    const auto keyName = [this](std::size_t line) { return name(m_lines[line]); };
    for (std::size_t i = std::max(from, section.header + 1); i < section.end; ++i) {
        if (m_lines[i].kind != Kind::Key || m_lines[i].nameSize == 0)
            continue;
        if (!keys)
            keys = std::make_shared<SectionKeys>(*section.keys);
        if (keys->byName.add(name(m_lines[i]), i, keyName))
            keys->lines.push_back(i);
    }
    if (keys)
        section.keys = std::move(keys);
}

template <class Keep> std::string IniDocument::joinLines(Keep keep) const
{
    std::string out;
    out.reserve(m_text->size() + 64);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (!keep(i))
            continue;
        out += text(m_lines[i]);
        out += m_lineEnd;
    }
    return out;
}

void IniDocument::replaceLines(std::size_t first, std::size_t last, const std::vector<std::string>& lines)
{
    if (spliceLines(first, last, lines))
        return;
    std::string out = joinLines([&](std::size_t i) { return i < first; });
    for (const std::string& line : lines) {
        out += line;
        out += m_lineEnd;
    }
    out += joinLines([&](std::size_t i) { return i >= last; });
    assign(std::make_shared<const std::string>(std::move(out)), false);
    m_utf8 = isUtf8(all());
}

// A change inside one section that adds or removes no section header, or lines added at the end of the file,
// in a text that is the file as formatted: the lines before the change stay as they are, those after it move,
// and only the new ones are classified. The indexes stay too, but for a section whose lines moved under its
// index of keys, which is dropped and built again when next needed.
bool IniDocument::spliceLines(std::size_t first, std::size_t last, const std::vector<std::string>& lines)
{
    if (m_firstIrregular != std::string::npos || first > last || last > m_lines.size())
        return false;
    const auto isHeader = [](const Line& line) { return line.kind == Kind::Section; };
    const bool atEnd = first == m_lines.size();
    if (!atEnd &&
        std::any_of(m_lines.begin() + std::ptrdiff_t(first), m_lines.begin() + std::ptrdiff_t(last), isHeader))
        return false;
    std::vector<Line> added;
    added.reserve(lines.size());
    const std::size_t from = atEnd ? all().size() : m_lines[first].begin;
    const std::size_t to = last < m_lines.size() ? m_lines[last].begin : all().size();
    std::string out;
    std::size_t insertedBytes = 0;
    for (const std::string& line : lines)
        insertedBytes += line.size() + m_lineEnd.size();
    out.reserve(all().size() - (to - from) + insertedBytes);
    out.append(all().substr(0, from));
    bool utf8 = m_utf8;
    for (const std::string& line : lines) {
        // A line that would not stand as one line is left to the whole rebuild.
        if (line.find('\n') != std::string::npos || (!line.empty() && line.back() == '\r'))
            return false;
        Line entry{out.size(), line.size()};
        classifyLine(line, entry);
        if (!atEnd && entry.kind == Kind::Section)
            return false;
        added.push_back(entry);
        out += line;
        out += m_lineEnd;
        utf8 = utf8 && isUtf8(line);
    }
    out.append(all().substr(to));
    const std::ptrdiff_t byteShift = std::ptrdiff_t(from + insertedBytes) - std::ptrdiff_t(to);
    const std::ptrdiff_t lineShift = std::ptrdiff_t(lines.size()) - std::ptrdiff_t(last - first);

    // The section the change is in (none before the first header), whose index of keys is kept when the
    // changed lines have the same names, extended when every key it knows lies before them, dropped otherwise.
    // Lines put in before a header belong to the section above it.
    const auto after = std::lower_bound(m_sections.begin(), m_sections.end(), first,
                                        [](const Section& section, std::size_t line) { return section.header < line; });
    Section* changed = after == m_sections.begin() ? nullptr : &*(after - 1);
    bool extendChanged = false;
    if (changed && !atEnd && changed->keys) {
        const auto sameName = [&](const Line& now, const Line& before) {
            return now.kind == before.kind &&
                   std::string_view(out).substr(now.begin + now.nameOffset, now.nameSize) == name(before);
        };
        const bool sameKeys =
            lineShift == 0 && std::equal(added.begin(), added.end(), m_lines.begin() + std::ptrdiff_t(first), sameName);
        const bool keysBefore = changed->keys->lines.empty() || changed->keys->lines.back() < first;
        if (!sameKeys && keysBefore)
            extendChanged = true;
        else if (!sameKeys)
            changed->keys.reset();
    }

    m_text = std::make_shared<const std::string>(std::move(out));
    m_utf8 = utf8;
    // A line replaced by one moves none of the lines after it in the list.
    if (lineShift == 0) {
        std::copy(added.begin(), added.end(), m_lines.begin() + std::ptrdiff_t(first));
    } else {
        m_lines.erase(m_lines.begin() + std::ptrdiff_t(first), m_lines.begin() + std::ptrdiff_t(last));
        m_lines.insert(m_lines.begin() + std::ptrdiff_t(first), added.begin(), added.end());
    }
    for (std::size_t i = first + added.size(); i < m_lines.size(); ++i)
        m_lines[i].begin = std::size_t(std::ptrdiff_t(m_lines[i].begin) + byteShift);

    if (atEnd) {
        // Key lines added before a new header belong to the last section, whose index does not know them.
        bool headerAdded = false;
        for (std::size_t i = first; i < m_lines.size(); ++i) {
            if (m_lines[i].kind == Kind::Key && changed && !headerAdded) {
                changed->keys.reset();
            } else if (m_lines[i].kind == Kind::Section) {
                headerAdded = true;
                if (!m_sections.empty())
                    m_sections.back().end = i;
                m_sections.push_back({i, 0, false, nullptr});
                if (m_sectionsIndexed) {
                    const auto sectionName = [this](std::size_t index) {
                        return name(m_lines[m_sections[index].header]);
                    };
                    const std::size_t number = m_sections.size() - 1;
                    m_sections.back().first = m_firstSection.add(sectionName(number), number, sectionName);
                }
            }
        }
        if (!m_sections.empty())
            m_sections.back().end = m_lines.size();
        return true;
    }
    if (changed) {
        changed->end = std::size_t(std::ptrdiff_t(changed->end) + lineShift);
        if (extendChanged)
            extendKeys(*changed, first);
    }
    if (lineShift != 0) {
        for (auto later = after; later != m_sections.end(); ++later) {
            later->header = std::size_t(std::ptrdiff_t(later->header) + lineShift);
            later->end = std::size_t(std::ptrdiff_t(later->end) + lineShift);
            later->keys.reset();
        }
    }
    return true;
}

std::string IniDocument::format() const
{
    if (m_firstIrregular == std::string::npos)
        return (m_byteOrderMark ? "\xEF\xBB\xBF" : "") + *m_text;
    std::string out = m_byteOrderMark ? "\xEF\xBB\xBF" : "";
    out.reserve(out.size() + m_text->size() + m_lines.size() * m_lineEnd.size());
    for (const Line& line : m_lines) {
        out += text(line);
        out += m_lineEnd;
    }
    return out;
}

std::shared_ptr<const std::string> IniDocument::formatted() const
{
    if (m_firstIrregular == std::string::npos && !m_byteOrderMark)
        return m_text;
    return std::make_shared<const std::string>(format());
}

void IniDocument::classify(Line& line) const
{
    classifyLine(text(line), line);
}

void IniDocument::classifyLine(std::string_view whole, Line& line)
{
    line.kind = Kind::Other;
    if (line.size > UINT32_MAX)
        return;
    const auto offset = [&](std::string_view part) { return std::uint32_t(part.data() - whole.data()); };
    const std::string_view trimmed = trimBlanks(whole);
    if (trimmed.empty() || trimmed.front() == ';')
        return;
    if (trimmed.front() == '[') {
        // The name runs to the last "]", so that a name holding one reads back as it was written. A line
        // without any is no header, and may still be a key.
        const std::size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos) {
            const std::string_view sectionName = trimBlanks(trimmed.substr(1, close - 1));
            line.kind = Kind::Section;
            line.nameOffset = offset(sectionName);
            line.nameSize = std::uint32_t(sectionName.size());
            return;
        }
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return;
    // "=value" is the key of no name: an entry stored without a name must be found and replaced again, not
    // added anew at every write. Lists leave it out.
    const std::string_view keyName = trimBlanks(trimmed.substr(0, equals));
    const std::string_view keyValue = trimBlanks(trimmed.substr(equals + 1));
    line.kind = Kind::Key;
    line.nameOffset = offset(keyName);
    line.nameSize = std::uint32_t(keyName.size());
    line.valueOffset = offset(keyValue);
    line.valueSize = std::uint32_t(keyValue.size());
}

bool IniDocument::storable(std::string_view section, std::string_view key, std::string_view value)
{
    const auto readsBackAs = [](const std::string& whole, Kind kind, std::string_view name) {
        Line line{0, whole.size()};
        classifyLine(whole, line);
        return line.kind == kind && whole.substr(line.nameOffset, line.nameSize) == name;
    };
    const std::string sectionName = nameInLine(section);
    const std::string keyName = nameInLine(key);
    return readsBackAs("[" + sectionName + "]", Kind::Section, sectionName) &&
           readsBackAs(keyName + "=" + withoutLineBreaks(value), Kind::Key, keyName);
}

void IniDocument::indexSections() const
{
    if (m_sectionsIndexed)
        return;
    m_firstSection = FirstOfName(m_sections.size());
    const std::vector<bool> first = m_firstSection.addAll(
        m_sections.size(), [this](std::size_t index) { return name(m_lines[m_sections[index].header]); });
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_sections[i].first = first[i];
    m_sectionsIndexed = true;
}

// Once the sections are listed they are indexed; before, one look-up is cheaper as a pass over the headers
// than building the index, as after the file was changed by another program.
const IniDocument::Section* IniDocument::findSection(std::string_view section) const
{
    const std::string_view wanted = trimBlanks(section);
    if (!m_sectionsIndexed) {
        for (const Section& candidate : m_sections) {
            if (equalsCaseless(name(m_lines[candidate.header]), wanted))
                return &candidate;
        }
        return nullptr;
    }
    const auto found =
        m_firstSection.find(wanted, [this](std::size_t index) { return name(m_lines[m_sections[index].header]); });
    return found ? &m_sections[*found] : nullptr;
}

const IniDocument::SectionKeys& IniDocument::keysOf(const Section& section) const
{
    if (!section.keys) {
        auto keys = std::make_shared<SectionKeys>();
        keys->byName = FirstOfName(section.end - section.header);
        const auto keyName = [this](std::size_t line) { return name(m_lines[line]); };
        for (std::size_t i = section.header + 1; i < section.end; ++i) {
            if (m_lines[i].kind == Kind::Key && m_lines[i].nameSize > 0 &&
                keys->byName.add(name(m_lines[i]), i, keyName))
                keys->lines.push_back(i);
        }
        section.keys = std::move(keys);
    }
    return *section.keys;
}

std::vector<std::string> IniDocument::sections() const
{
    indexSections();
    std::vector<std::string> names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections) {
        if (section.first)
            names.emplace_back(name(m_lines[section.header]));
    }
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const
{
    std::vector<std::string> names;
    const Section* found = findSection(section);
    if (!found)
        return names;
    const SectionKeys& keys = keysOf(*found);
    names.reserve(keys.lines.size());
    for (std::size_t line : keys.lines)
        names.emplace_back(name(m_lines[line]));
    return names;
}

std::optional<std::string> IniDocument::read(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    const std::string_view wanted = trimBlanks(key);
    // A section whose keys were listed is indexed; a single look-up in another is cheaper as one pass. The
    // key of no name is not listed, so not indexed either.
    if (found->keys && !wanted.empty()) {
        const auto line = found->keys->byName.find(wanted, [this](std::size_t index) { return name(m_lines[index]); });
        return line ? std::optional(std::string(unquoted(value(m_lines[*line])))) : std::nullopt;
    }
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && equalsCaseless(name(line), wanted))
            return std::string(unquoted(value(line)));
    }
    return std::nullopt;
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string sectionName = nameInLine(section);
    const std::string keyName = nameInLine(key);
    const std::string data = withoutLineBreaks(value);
    const Section* found = findSection(sectionName);
    if (!found) {
        std::vector<std::string> added;
        if (!m_lines.empty() && !trimBlanks(text(m_lines.back())).empty())
            added.emplace_back();
        added.push_back("[" + sectionName + "]");
        added.push_back(keyName + "=" + data);
        replaceLines(m_lines.size(), m_lines.size(), added);
        return;
    }
    // With the section's keys indexed, the key is found without a pass over them, and where a new one goes is
    // found from the section's end.
    if (found->keys && !keyName.empty()) {
        const auto line = found->keys->byName.find(keyName, [this](std::size_t index) { return name(m_lines[index]); });
        if (line) {
            replaceLines(*line, *line + 1, {std::string(name(m_lines[*line])) + "=" + data});
            return;
        }
        std::size_t lastFilled = found->end - 1;
        while (lastFilled > found->header && trimBlanks(text(m_lines[lastFilled])).empty())
            --lastFilled;
        replaceLines(lastFilled + 1, lastFilled + 1, {keyName + "=" + data});
        return;
    }
    std::size_t lastFilled = found->header;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && equalsCaseless(name(line), keyName)) {
            replaceLines(i, i + 1, {std::string(name(line)) + "=" + data});
            return;
        }
        if (!trimBlanks(text(line)).empty())
            lastFilled = i;
    }
    replaceLines(lastFilled + 1, lastFilled + 1, {keyName + "=" + data});
}

bool IniDocument::eraseKey(std::string_view section, std::string_view key)
{
    const Section* found = findSection(section);
    if (!found)
        return false;
    const std::string_view wanted = trimBlanks(key);
    const auto erased = [&](std::size_t i) {
        return i > found->header && i < found->end && m_lines[i].kind == Kind::Key &&
               equalsCaseless(name(m_lines[i]), wanted);
    };
    bool any = false;
    for (std::size_t i = found->header + 1; i < found->end && !any; ++i)
        any = erased(i);
    if (any)
        assign(std::make_shared<const std::string>(joinLines([&](std::size_t i) { return !erased(i); })), false);
    return any;
}

bool IniDocument::eraseSection(std::string_view section)
{
    const std::string_view wanted = trimBlanks(section);
    std::vector<bool> erased(m_lines.size(), false);
    bool any = false;
    for (const Section& candidate : m_sections) {
        if (!equalsCaseless(name(m_lines[candidate.header]), wanted))
            continue;
        std::fill(erased.begin() + std::ptrdiff_t(candidate.header), erased.begin() + std::ptrdiff_t(candidate.end),
                  true);
        any = true;
    }
    if (any)
        assign(std::make_shared<const std::string>(joinLines([&](std::size_t i) { return !erased[i]; })), false);
    return any;
}

} // namespace platform::detail
