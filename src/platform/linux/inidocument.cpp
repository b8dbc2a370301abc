#include "platform/linux/inidocument.h"

#include "platform/linux/caseless.h"

#include <QStringDecoder>

#include <algorithm>

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
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return !decoder.hasError();
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
    const std::string text = isValidUtf8(bytes) ? std::string(bytes) : decodeCp1251(bytes);
    std::size_t start = 0;
    bool lineEndKnown = false;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        // Every carriage return before the line feed is line end (CRLF passed twice through a text-mode copy
        // becomes CRCRLF): one kept in the line would be part of the value now but taken for the line end once
        // the file is written back, so the rewrite would change the value.
        if (!line.empty() && line.back() == '\r') {
            while (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!lineEndKnown)
                document.m_lineEnd = "\r\n";
        }
        lineEndKnown = lineEndKnown || end < text.size();
        document.m_lines.push_back(std::move(line));
        start = end + 1;
    }
    return document;
}

std::string IniDocument::format() const
{
    std::string out = m_byteOrderMark ? "\xEF\xBB\xBF" : "";
    for (const std::string& line : m_lines)
        out += line + m_lineEnd;
    return out;
}

IniDocument::Entry IniDocument::classify(std::string_view line)
{
    const std::string_view text = trimBlanks(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return {};
        return {Entry::Kind::Section, std::string(trimBlanks(text.substr(1, close - 1))), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view name = trimBlanks(text.substr(0, equals));
    if (name.empty())
        return {};
    return {Entry::Kind::Key, std::string(name), std::string(trimBlanks(text.substr(equals + 1)))};
}

std::optional<std::size_t> IniDocument::findSection(std::string_view section) const
{
    const std::u16string wanted = caselessKey(trimBlanks(section));
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Entry entry = classify(m_lines[i]);
        if (entry.kind == Entry::Kind::Section && caselessKey(entry.name) == wanted)
            return i;
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const
{
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        if (classify(m_lines[i]).kind == Entry::Kind::Section)
            return i;
    }
    return m_lines.size();
}

std::vector<std::string> IniDocument::sections() const
{
    std::vector<std::string> names;
    std::vector<std::u16string> seen;
    for (const std::string& line : m_lines) {
        Entry entry = classify(line);
        if (entry.kind != Entry::Kind::Section)
            continue;
        addUniqueCaseless(names, seen, std::move(entry.name));
    }
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const
{
    std::vector<std::string> names;
    const auto header = findSection(section);
    if (!header)
        return names;
    std::vector<std::u16string> seen;
    for (std::size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i) {
        Entry entry = classify(m_lines[i]);
        if (entry.kind != Entry::Kind::Key)
            continue;
        addUniqueCaseless(names, seen, std::move(entry.name));
    }
    return names;
}

std::optional<std::string> IniDocument::read(std::string_view section, std::string_view key) const
{
    const auto header = findSection(section);
    if (!header)
        return std::nullopt;
    const std::u16string wanted = caselessKey(trimBlanks(key));
    for (std::size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i) {
        Entry entry = classify(m_lines[i]);
        if (entry.kind != Entry::Kind::Key || caselessKey(entry.name) != wanted)
            continue;
        std::string& value = entry.value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string sectionName = nameInLine(section);
    const std::string keyName = nameInLine(key);
    const std::string data = withoutLineBreaks(value);
    const auto header = findSection(sectionName);
    if (!header) {
        if (!m_lines.empty() && !trimBlanks(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + sectionName + "]");
        m_lines.push_back(keyName + "=" + data);
        return;
    }
    const std::u16string wanted = caselessKey(keyName);
    const std::size_t end = sectionEnd(*header);
    std::size_t lastFilled = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
        const Entry entry = classify(m_lines[i]);
        if (entry.kind == Entry::Kind::Key && caselessKey(entry.name) == wanted) {
            m_lines[i] = entry.name + "=" + data;
            return;
        }
        if (!trimBlanks(m_lines[i]).empty())
            lastFilled = i;
    }
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(lastFilled + 1), keyName + "=" + data);
}

bool IniDocument::eraseKey(std::string_view section, std::string_view key)
{
    const auto header = findSection(section);
    if (!header)
        return false;
    const std::u16string wanted = caselessKey(trimBlanks(key));
    bool erased = false;
    for (std::size_t i = *header + 1, end = sectionEnd(*header); i < end;) {
        const Entry entry = classify(m_lines[i]);
        if (entry.kind == Entry::Kind::Key && caselessKey(entry.name) == wanted) {
            m_lines.erase(m_lines.begin() + std::ptrdiff_t(i));
            --end;
            erased = true;
        } else {
            ++i;
        }
    }
    return erased;
}

bool IniDocument::eraseSection(std::string_view section)
{
    bool erased = false;
    while (const auto header = findSection(section)) {
        m_lines.erase(m_lines.begin() + std::ptrdiff_t(*header), m_lines.begin() + std::ptrdiff_t(sectionEnd(*header)));
        erased = true;
    }
    return erased;
}

} // namespace platform::detail
