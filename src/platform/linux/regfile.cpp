#include "platform/linux/regfile.h"

#include "platform/linux/blanks.h"

#include "platform/linux/caseless.h"

#include <QString>

#include <algorithm>
#include <array>
#include <utility>

namespace platform::detail {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";

std::string asciiUpper(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return out;
}

// Hand-edited files may use the short hive names regedit also accepts; we store the long ones.
std::string canonicalHive(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> hives{{
        {"HKEY_CURRENT_USER", "HKCU"},
        {"HKEY_LOCAL_MACHINE", "HKLM"},
        {"HKEY_CLASSES_ROOT", "HKCR"},
        {"HKEY_USERS", "HKU"},
        {"HKEY_CURRENT_CONFIG", "HKCC"},
    }};
    const std::string upper = asciiUpper(name);
    for (const auto& [full, shortName] : hives) {
        if (upper == full || upper == shortName)
            return std::string(full);
    }
    return std::string(name);
}

std::vector<std::string> splitKeyPath(std::string_view text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (!parts.empty())
        parts.front() = canonicalHive(parts.front());
    return parts;
}

// Reads a quoted string starting at text[pos] == '"'; on success pos is just past the closing quote.
std::optional<std::string> readQuoted(std::string_view text, std::size_t& pos)
{
    std::string out;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos == text.size())
            return std::nullopt;
        switch (text[pos]) {
        case '\\':
            out += '\\';
            break;
        case '"':
            out += '"';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            // A lone backslash in a hand-edited file: keep it rather than reject the whole file.
            out += '\\';
            out += text[pos];
        }
    }
    return std::nullopt;
}

bool samePath(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!equalsCaseless(a[i], b[i]))
            return false;
    }
    return true;
}

void putValue(RegKey& key, RegValue value)
{
    for (RegValue& existing : key.values) {
        if (equalsCaseless(existing.name, value.name)) {
            existing.data = std::move(value.data);
            existing.isString = value.isString;
            return;
        }
    }
    key.values.push_back(std::move(value));
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        // A run of carriage returns before the line feed is all line end (CRLF passed twice through a
        // text-mode copy becomes CRCRLF).
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace

RegParseResult parseRegFile(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::vector<std::string_view> lines = splitLines(text);

    RegDocument document;
    bool seenHeader = false;
    RegKey* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        const std::string_view line = trimBlanksAndCr(lines[i]);
        if (line.empty() || line.front() == ';')
            continue;
        if (!seenHeader) {
            if (line != kHeader && line != kOldHeader)
                return {std::nullopt, lineNumber};
            seenHeader = true;
            continue;
        }
        if (line.front() == '[') {
            if (line.size() < 3 || line.back() != ']')
                return {std::nullopt, lineNumber};
            std::vector<std::string> path = splitKeyPath(line.substr(1, line.size() - 2));
            if (path.empty())
                return {std::nullopt, lineNumber};
            auto found = std::find_if(document.keys.begin(), document.keys.end(),
                                      [&](const RegKey& key) { return samePath(key.path, path); });
            if (found == document.keys.end()) {
                document.keys.push_back(RegKey{std::move(path), {}});
                found = document.keys.end() - 1;
            }
            current = &*found;
            continue;
        }
        if (!current)
            return {std::nullopt, lineNumber};

        RegValue value;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (line.front() == '"') {
            auto name = readQuoted(line, pos);
            if (!name)
                return {std::nullopt, lineNumber};
            value.name = std::move(*name);
        } else {
            return {std::nullopt, lineNumber};
        }
        std::string_view rest = trimBlanksAndCr(line.substr(pos));
        if (rest.empty() || rest.front() != '=')
            return {std::nullopt, lineNumber};
        rest = trimBlanksAndCr(rest.substr(1));
        if (rest.empty())
            return {std::nullopt, lineNumber};
        if (rest.front() == '"') {
            std::size_t end = 0;
            auto data = readQuoted(rest, end);
            if (!data || !trimBlanksAndCr(rest.substr(end)).empty())
                return {std::nullopt, lineNumber};
            value.data = std::move(*data);
        } else {
            // Another type (dword:, hex:, hex(2):...); hex data continues on the next line after a backslash.
            value.isString = false;
            value.data = std::string(rest);
            while (value.data.back() == '\\' && i + 1 < lines.size())
                value.data += "\n" + std::string(lines[++i]);
            // A continuation mark the file ends before (a cut-off file) would, once written back, take in the
            // blank line or key written after it. Marks and blanks at the end of the text continue into nothing,
            // so they are dropped; a value left with no text at all is dropped too.
            const auto dangling = [](char c) { return c == '\\' || c == '\n' || c == '\r' || c == ' ' || c == '\t'; };
            while (!value.data.empty() && dangling(value.data.back()))
                value.data.pop_back();
            if (value.data.empty())
                continue;
        }
        putValue(*current, std::move(value));
    }
    return {std::move(document), 0};
}

std::optional<std::string> expandableText(const RegValue& value)
{
    constexpr std::string_view kPrefix = "hex(2):";
    if (value.isString || value.data.size() < kPrefix.size() ||
        asciiUpper(value.data.substr(0, kPrefix.size())) != asciiUpper(kPrefix))
        return std::nullopt;
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    // Pairs of hex digits between commas; a line may end in a continuation mark and the next start with blanks.
    std::string bytes;
    int high = -1;
    for (char c : std::string_view(value.data).substr(kPrefix.size())) {
        if (c == ',' || c == '\\' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (high >= 0)
                return std::nullopt;
            continue;
        }
        const int d = digit(c);
        if (d < 0)
            return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            bytes += char(high * 16 + d);
            high = -1;
        }
    }
    if (high >= 0 || bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        text += char16_t(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    // The stored text ends in its terminating zero; Windows reads up to the first one.
    text.resize(std::min(text.size(), text.find(u'\0')));
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

std::string escapeRegString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string formatRegFile(const RegDocument& document)
{
    std::string out(kHeader);
    out += "\n\n";
    for (const RegKey& key : document.keys) {
        out += '[';
        for (std::size_t i = 0; i < key.path.size(); ++i) {
            if (i)
                out += '\\';
            out += key.path[i];
        }
        out += "]\n";
        for (const RegValue& value : key.values) {
            out += value.name.empty() ? std::string("@") : '"' + escapeRegString(value.name) + '"';
            out += '=';
            out += value.isString ? '"' + escapeRegString(value.data) + '"' : value.data;
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

} // namespace platform::detail
