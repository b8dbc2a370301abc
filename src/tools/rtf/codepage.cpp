#include "tools/rtf/codepage.h"

#include <QStringDecoder>
#include <array>

#include "tools/rtf/codepagetables.h"

namespace rtf {
namespace {

const char16_t* tableOf(int codePage)
{
    for (std::size_t i = 0; i < detail::codePageTableCount; ++i) {
        if (detail::codePageTables[i].codePage == codePage)
            return detail::codePageTables[i].upperHalf;
    }
    return nullptr;
}

const char* doubleByteName(int codePage)
{
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    default:
        return nullptr;
    }
}

QString decodeSingleByte(QByteArrayView bytes, const char16_t* upperHalf)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += value < 0x80 ? QChar(value) : QChar(upperHalf[value - 0x80]);
    }
    return text;
}

// Reverse of the Windows-1251 table, built once.
const std::array<std::uint8_t, 0x10000>& cp1251Bytes()
{
    static const std::array<std::uint8_t, 0x10000> bytes = [] {
        std::array<std::uint8_t, 0x10000> result{};
        const char16_t* table = tableOf(1251);
        for (int i = 0; i < 128; ++i) {
            if (table[i] != 0xFFFD)
                result[table[i]] = static_cast<std::uint8_t>(0x80 + i);
        }
        return result;
    }();
    return bytes;
}

// The characters the Symbol font shows for its bytes from 0x20 on; 0 where it shows nothing of Unicode's.
constexpr char16_t symbolCharacters[224] = {
    0x0020,
    0x0021,
    0x2200,
    0x0023,
    0x2203,
    0x0025,
    0x0026,
    0x220B,
    0x0028,
    0x0029,
    0x2217,
    0x002B,
    0x002C,
    0x2212,
    0x002E,
    0x002F,
    0x0030,
    0x0031,
    0x0032,
    0x0033,
    0x0034,
    0x0035,
    0x0036,
    0x0037,
    0x0038,
    0x0039,
    0x003A,
    0x003B,
    0x003C,
    0x003D,
    0x003E,
    0x003F,
    0x2245,
    0x0391,
    0x0392,
    0x03A7,
    0x0394,
    0x0395,
    0x03A6,
    0x0393,
    0x0397,
    0x0399,
    0x03D1,
    0x039A,
    0x039B,
    0x039C,
    0x039D,
    0x039F,
    0x03A0,
    0x0398,
    0x03A1,
    0x03A3,
    0x03A4,
    0x03A5,
    0x03C2,
    0x03A9,
    0x039E,
    0x03A8,
    0x0396,
    0x005B,
    0x2234,
    0x005D,
    0x22A5,
    0x005F,
    0x203E,
    0x03B1,
    0x03B2,
    0x03C7,
    0x03B4,
    0x03B5,
    0x03C6,
    0x03B3,
    0x03B7,
    0x03B9,
    0x03D5,
    0x03BA,
    0x03BB,
    0x03BC,
    0x03BD,
    0x03BF,
    0x03C0,
    0x03B8,
    0x03C1,
    0x03C3,
    0x03C4,
    0x03C5,
    0x03D6,
    0x03C9,
    0x03BE,
    0x03C8,
    0x03B6,
    0x007B,
    0x007C,
    0x007D,
    0x223C,
    0,
    // 0x80-0x9F show nothing
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0x20AC,
    0x03D2,
    0x2032,
    0x2264,
    0x2044,
    0x221E,
    0x0192,
    0x2663,
    0x2666,
    0x2665,
    0x2660,
    0x2194,
    0x2190,
    0x2191,
    0x2192,
    0x2193,
    0x00B0,
    0x00B1,
    0x2033,
    0x2265,
    0x00D7,
    0x221D,
    0x2202,
    0x2022,
    0x00F7,
    0x2260,
    0x2261,
    0x2248,
    0x2026,
    0x23D0,
    0x23AF,
    0x21B5,
    0x2135,
    0x2111,
    0x211C,
    0x2118,
    0x2297,
    0x2295,
    0x2205,
    0x2229,
    0x222A,
    0x2283,
    0x2287,
    0x2284,
    0x2282,
    0x2286,
    0x2208,
    0x2209,
    0x2220,
    0x2207,
    0x00AE,
    0x00A9,
    0x2122,
    0x220F,
    0x221A,
    0x22C5,
    0x00AC,
    0x2227,
    0x2228,
    0x21D4,
    0x21D0,
    0x21D1,
    0x21D2,
    0x21D3,
    0x25CA,
    0x2329,
    0x00AE,
    0x00A9,
    0x2122,
    0x2211,
    0x239B,
    0x239C,
    0x239D,
    0x23A1,
    0x23A2,
    0x23A3,
    0x23A7,
    0x23A8,
    0x23A9,
    0x23AA,
    0,
    0x232A,
    0x222B,
    0x2320,
    0x23AE,
    0x2321,
    0x239E,
    0x239F,
    0x23A0,
    0x23A4,
    0x23A5,
    0x23A6,
    0x23AB,
    0x23AC,
    0x23AD,
    0,
};

// The Wingdings pictures lists use for bullets and check boxes.
char16_t wingdingsCharacter(unsigned char byte)
{
    switch (byte) {
    case 0x4A:
        return 0x263A;
    case 0x4C:
        return 0x2639;
    case 0x6C:
        return 0x25CF;
    case 0x6E:
        return 0x25A0;
    case 0x6F:
        return 0x25A1;
    case 0x71:
        return 0x2751;
    case 0x75:
        return 0x25C6;
    case 0x76:
        return 0x2756;
    case 0x9F:
        return 0x2022;
    case 0xA7:
        return 0x25AA;
    case 0xA8:
        return 0x25FB;
    case 0xAB:
        return 0x2605;
    case 0xD8:
        return 0x27A2;
    case 0xE8:
        return 0x2794;
    case 0xF0:
        return 0x21E8;
    case 0xFB:
        return 0x2717;
    case 0xFC:
        return 0x2714;
    case 0xFD:
        return 0x2612;
    case 0xFE:
        return 0x2611;
    default:
        return 0;
    }
}

// A byte of a symbol font without a character of Unicode's stays in the private area where Windows puts the
// font's bytes, so that a font of that name still shows it.
QString decodeSymbols(QByteArrayView bytes, int codePage)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        char16_t character = 0;
        if (codePage == WingdingsCodePage)
            character = wingdingsCharacter(value);
        else if (value >= 0x20)
            character = symbolCharacters[value - 0x20];
        if (character == 0)
            character = value < 0x20 ? value : static_cast<char16_t>(0xF000 + value);
        text += QChar(character);
    }
    return text;
}

} // namespace

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: // ANSI
        return 1252;
    case 2:
        return SymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default: // 1 (default charset) and anything unknown
        return 0;
    }
}

QString decode(QByteArrayView bytes, int codePage)
{
    if (isSymbolCodePage(codePage))
        return decodeSymbols(bytes, codePage);
    if (const char16_t* table = tableOf(codePage))
        return decodeSingleByte(bytes, table);
    if (const char* name = doubleByteName(codePage)) {
        QStringDecoder decoder(name);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return decodeSingleByte(bytes, tableOf(1252));
}

std::optional<unsigned char> encodeCp1251(char16_t character)
{
    const std::uint8_t byte = cp1251Bytes()[character];
    if (byte == 0)
        return std::nullopt;
    return byte;
}

QString withPairedSurrogates(const QString& text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (result[i].isHighSurrogate() && i + 1 < result.size() && result[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (result[i].isSurrogate())
            result[i] = QChar(QChar::ReplacementCharacter);
    }
    return result;
}

QString decodePlainText(QByteArrayView bytes)
{
    // A UTF-16 file announces itself with its byte-order mark, as the platform's own editors write it.
    const auto utf16 = [&](QStringDecoder::Encoding encoding) {
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        // The decoder passes a lone half of a surrogate pair through.
        return withPairedSurrogates(decoder.decode(bytes.sliced(2)));
    };
    if (bytes.startsWith("\xFF\xFE"))
        return utf16(QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return utf16(QStringDecoder::Utf16BE);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            return text.mid(1);
        return text;
    }
    return decode(bytes, 1251);
}

} // namespace rtf
