#include "text.h"

#include <array>

namespace differential {

namespace {

// Windows-1251 from 0x80 up; 0x98 is unassigned and maps to U+0098 as Windows' own conversion does.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The code point starting at `at`, moving `at` past it; kInvalid (one byte consumed) for a malformed one.
char32_t nextCodePoint(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return length == 1 ? lead : kInvalid;
    }
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return kInvalid;
        }
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++at;
        return kInvalid;
    }
    at += length;
    return point;
}

void appendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | (point >> 6));
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | (point >> 12));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | (point >> 18));
        out += char(0x80 | ((point >> 12) & 0x3F));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
}

std::string fromUtf16Le(std::string_view bytes)
{
    std::string out;
    const auto unit = [&](std::size_t i) {
        return char16_t(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t point = unit(i);
        if (point >= 0xD800 && point <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(out, point);
    }
    return out;
}

std::string fromCp1251(std::string_view bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x80)
            out += char(c);
        else if (c >= 0xC0)
            appendUtf8(out, char32_t(0x0410 + (c - 0xC0)));
        else
            appendUtf8(out, kCp1251High[c - 0x80]);
    }
    return out;
}

std::string hexByte(unsigned char c)
{
    const char* digits = "0123456789ABCDEF";
    return std::string("\\x") + digits[c >> 4] + digits[c & 15];
}

// FNV-1a: enough to tell two long texts apart in a transcript.
std::uint32_t checksum(std::string_view text)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

std::string escaped(std::string_view text)
{
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = at;
        const char32_t point = nextCodePoint(text, at);
        if (point == kInvalid) {
            out += hexByte(static_cast<unsigned char>(text[start]));
        } else if (point == '\\' || point == '"') {
            out += '\\';
            out += char(point);
        } else if (point == '\n') {
            out += "\\n";
        } else if (point == '\r') {
            out += "\\r";
        } else if (point == '\t') {
            out += "\\t";
        } else if (point < 0x20 || point == 0x7F) {
            out += hexByte(static_cast<unsigned char>(point));
        } else {
            out.append(text.substr(start, at - start));
        }
    }
    return out;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string entryOf(std::string_view line)
{
    line = trimmed(line);
    const std::size_t close = line.rfind(']');
    if (line.starts_with('[') && close != std::string_view::npos)
        return "[" + std::string(trimmed(line.substr(1, close - 1))) + "]";
    const std::size_t equals = line.find('=');
    if (line.starts_with(';') || equals == std::string_view::npos)
        return std::string(line);
    return std::string(trimmed(line.substr(0, equals))) + "=" + std::string(trimmed(line.substr(equals + 1)));
}

} // namespace

bool isUtf8(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (nextCodePoint(bytes, at) == kInvalid)
            return false;
    }
    return true;
}

std::string toUtf16LeWithMark(std::string_view utf8)
{
    std::string out = "\xFF\xFE";
    const auto put = [&](char32_t unit) {
        out += char(unit & 0xFF);
        out += char(unit >> 8);
    };
    std::size_t at = 0;
    while (at < utf8.size()) {
        char32_t point = nextCodePoint(utf8, at);
        if (point == kInvalid)
            point = 0xFFFD;
        if (point >= 0x10000) {
            put(0xD800 + ((point - 0x10000) >> 10));
            put(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            put(point);
        }
    }
    return out;
}

std::string toCp1251(std::string_view utf8)
{
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const char32_t point = nextCodePoint(utf8, at);
        if (point < 0x80) {
            out += char(point);
        } else if (point >= 0x0410 && point <= 0x044F) {
            out += char(0xC0 + (point - 0x0410));
        } else {
            char byte = '?';
            for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
                if (kCp1251High[i] == point)
                    byte = char(0x80 + i);
            }
            out += byte;
        }
    }
    return out;
}

FileView viewFile(std::string_view bytes)
{
    FileView view;
    std::string text;
    if (bytes.starts_with("\xFF\xFE")) {
        view.encoding = "utf-16le with mark";
        text = fromUtf16Le(bytes.substr(2));
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        view.encoding = "utf-8 with mark";
        text = bytes.substr(3);
    } else if (isUtf8(bytes)) {
        bool ascii = true;
        for (unsigned char c : bytes)
            ascii = ascii && c < 0x80;
        view.encoding = ascii ? "ascii" : "utf-8";
        text = bytes;
    } else {
        view.encoding = "8-bit";
        text = fromCp1251(bytes);
    }
    bool lf = false;
    bool crlf = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n')
            continue;
        if (i > 0 && text[i - 1] == '\r')
            crlf = true;
        else
            lf = true;
    }
    view.lineEnds = lf && crlf ? "mixed" : crlf ? "CRLF" : lf ? "LF" : "none";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            view.text += text[i];
    }
    std::size_t start = 0;
    while (start < view.text.size()) {
        std::size_t end = view.text.find('\n', start);
        if (end == std::string::npos)
            end = view.text.size();
        const std::string entry = entryOf(std::string_view(view.text).substr(start, end - start));
        if (!entry.empty())
            view.entries += entry + '\n';
        start = end + 1;
    }
    return view;
}

std::string shown(std::string_view text, std::size_t longest)
{
    if (text.size() <= longest)
        return '"' + escaped(text) + '"';
    std::size_t head = 24;
    std::size_t tail = text.size() - 24;
    // Keep both ends on whole characters.
    while (head < text.size() && (static_cast<unsigned char>(text[head]) & 0xC0) == 0x80)
        ++head;
    while (tail > head && (static_cast<unsigned char>(text[tail]) & 0xC0) == 0x80)
        --tail;
    return "<" + std::to_string(text.size()) + " bytes, checksum " + std::to_string(checksum(text)) + ": \"" +
           escaped(text.substr(0, head)) + "\"...\"" + escaped(text.substr(tail)) + "\">";
}

std::string shown(const std::vector<std::string>& list)
{
    if (list.size() > 12) {
        std::string all;
        for (const std::string& item : list)
            all += item + '\n';
        return "<" + std::to_string(list.size()) + " names, first " + shown(list.front()) + ", last " +
               shown(list.back()) + ", checksum " + std::to_string(checksum(all)) + ">";
    }
    std::string out = "[";
    for (std::size_t i = 0; i < list.size(); ++i)
        out += (i ? ", " : "") + shown(list[i]);
    return out + "]";
}

} // namespace differential
