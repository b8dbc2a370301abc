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

} // namespace

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: // ANSI
    case 2: // symbol: the glyphs differ, the bytes are read as Western ones
        return 1252;
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
