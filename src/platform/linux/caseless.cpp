#include "platform/linux/caseless.h"

#include <QString>
#include <algorithm>
#include <cstdint>

namespace platform::detail {

namespace {

// The next code point of UTF-8 text, advancing `at`. A byte that starts no well-formed sequence stands for
// itself as U+FFFD, so malformed text still compares consistently with itself.
char32_t nextCodePoint(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return code;
}

// One code point folded as QString::toCaseFolded folds it; ASCII and the Russian alphabet without the table
// look-up, since nearly every name is written in them.
char32_t folded(char32_t code)
{
    if (code < 0x80)
        return code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code;
    if (code >= 0x0410 && code <= 0x042F) // А to Я
        return code + 0x20;
    if (code >= 0x0430 && code <= 0x045F) // а to я, ѐ to џ
        return code;
    if (code >= 0x0400 && code <= 0x040F) // Ѐ to Џ
        return code + 0x50;
    return QChar::toCaseFolded(code);
}

} // namespace

std::u16string caselessKey(std::string_view utf8)
{
    // Most names are plain ASCII; folding those by hand spares a round trip through QString, which every
    // registry look-up would otherwise pay for each component of each stored key.
    std::u16string ascii;
    ascii.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toCaseFolded().toStdU16String();
        ascii.push_back(static_cast<char16_t>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte));
    }
    return ascii;
}

bool equalsCaseless(std::string_view a, std::string_view b)
{
    // Identical bytes fold alike, so the common start is skipped whole, back to the first character in which
    // the two differ (its first byte lies in the common start, so both agree on where it begins).
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t common = std::size_t(std::mismatch(a.begin(), a.begin() + shorter, b.begin()).first - a.begin());
    if (common == a.size() && common == b.size())
        return true;
    const std::string_view longer = common < a.size() ? a : b;
    while (common > 0 && (static_cast<unsigned char>(longer[common]) & 0xC0) == 0x80)
        --common;
    std::size_t i = common;
    std::size_t j = common;
    while (i < a.size() && j < b.size()) {
        if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80) {
            ++i;
            ++j;
            continue;
        }
        if (folded(nextCodePoint(a, i)) != folded(nextCodePoint(b, j)))
            return false;
    }
    return i == a.size() && j == b.size();
}

std::size_t caselessHash(std::string_view utf8)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (std::size_t i = 0; i < utf8.size();) {
        // ASCII and two-byte characters (all of Cyrillic) decoded on the spot, as nextCodePoint would.
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t code;
        if (lead < 0x80) {
            code = lead;
            ++i;
        } else if ((lead & 0xE0) == 0xC0 && i + 1 < utf8.size() && (utf8[i + 1] & 0xC0) == 0x80) {
            code = char32_t(lead & 0x1F) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
            i += 2;
        } else {
            code = nextCodePoint(utf8, i);
        }
        hash ^= folded(code);
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

void addUniqueCaseless(std::vector<std::string>& names, std::vector<std::u16string>& seen, std::string name)
{
    std::u16string key = caselessKey(name);
    if (std::find(seen.begin(), seen.end(), key) != seen.end())
        return;
    seen.push_back(std::move(key));
    names.push_back(std::move(name));
}

} // namespace platform::detail
