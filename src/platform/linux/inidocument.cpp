#include "platform/linux/inidocument.h"

#include "platform/linux/caseless.h"

#include <QStringDecoder>

#include <algorithm>
#include <unordered_set>

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

bool isValidUtf8(std::string_view bytes)
{
    return QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8();
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

IniDocument IniDocument::parse(std::string_view bytes)
{
    IniDocument document;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        document.m_byteOrderMark = true;
    }
    document.assign(isValidUtf8(bytes) ? std::string(bytes) : decodeCp1251(bytes), true);
    return document;
}

void IniDocument::assign(std::string text, bool learnLineEnd)
{
    m_text = std::make_shared<const std::string>(std::move(text));
    m_lines.clear();
    m_sections.clear();
    m_firstSection.clear();
    const std::string_view all = *m_text;
    bool lineEndKnown = !learnLineEnd;
    std::size_t start = 0;
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
        classify(line);
        if (line.kind == Kind::Section) {
            if (!m_sections.empty())
                m_sections.back().end = m_lines.size();
            const bool first = m_firstSection.try_emplace(name(line), m_sections.size()).second;
            m_sections.push_back({m_lines.size(), 0, first});
        }
        m_lines.push_back(line);
        start = end + 1;
    }
    if (!m_sections.empty())
        m_sections.back().end = m_lines.size();
}

template <class Keep> std::string IniDocument::joinLines(Keep keep) const
{
    std::string out;
    out.reserve(m_text->size() + 64);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (!keep(i))
            continue;
        out += text(m_lines[i]);
        out += '\n';
    }
    return out;
}

void IniDocument::replaceLines(std::size_t first, std::size_t last, const std::vector<std::string>& lines)
{
    std::string out = joinLines([&](std::size_t i) { return i < first; });
    for (const std::string& line : lines) {
        out += line;
        out += '\n';
    }
    out += joinLines([&](std::size_t i) { return i >= last; });
    assign(std::move(out), false);
}

std::string IniDocument::format() const
{
    std::string out = m_byteOrderMark ? "\xEF\xBB\xBF" : "";
    out.reserve(out.size() + m_text->size() + m_lines.size() * m_lineEnd.size());
    for (const Line& line : m_lines) {
        out += text(line);
        out += m_lineEnd;
    }
    return out;
}

void IniDocument::classify(Line& line) const
{
    const auto offset = [&](std::string_view part) { return std::size_t(part.data() - m_text->data()); };
    const std::string_view trimmed = trimBlanks(text(line));
    line.kind = Kind::Other;
    if (trimmed.empty() || trimmed.front() == ';')
        return;
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close == std::string_view::npos)
            return;
        const std::string_view sectionName = trimBlanks(trimmed.substr(1, close - 1));
        line.kind = Kind::Section;
        line.nameBegin = offset(sectionName);
        line.nameSize = sectionName.size();
        return;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view keyName = trimBlanks(trimmed.substr(0, equals));
    if (keyName.empty())
        return;
    const std::string_view keyValue = trimBlanks(trimmed.substr(equals + 1));
    line.kind = Kind::Key;
    line.nameBegin = offset(keyName);
    line.nameSize = keyName.size();
    line.valueBegin = offset(keyValue);
    line.valueSize = keyValue.size();
}

const IniDocument::Section* IniDocument::findSection(std::string_view section) const
{
    const auto found = m_firstSection.find(trimBlanks(section));
    return found == m_firstSection.end() ? nullptr : &m_sections[found->second];
}

std::vector<std::string> IniDocument::sections() const
{
    std::vector<std::string> names;
    names.reserve(m_firstSection.size());
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
    std::unordered_set<std::string_view, CaselessHash, CaselessEqual> seen;
    seen.reserve(found->end - found->header);
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && seen.insert(name(line)).second)
            names.emplace_back(name(line));
    }
    return names;
}

std::optional<std::string> IniDocument::read(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    const std::string_view wanted = trimBlanks(key);
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
        assign(joinLines([&](std::size_t i) { return !erased(i); }), false);
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
        assign(joinLines([&](std::size_t i) { return !erased[i]; }), false);
    return any;
}

} // namespace platform::detail
