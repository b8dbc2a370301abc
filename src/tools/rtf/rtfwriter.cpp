#include "tools/rtf/rtfwriter.h"

#include <cstdint>
#include <vector>

#include "tools/rtf/codepage.h"

namespace rtf {
namespace {

template <class T> int indexOf(std::vector<T>& items, const T& item)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item)
            return static_cast<int>(i);
    }
    items.push_back(item);
    return static_cast<int>(items.size() - 1);
}

void appendNumber(QByteArray& out, long long value)
{
    out += QByteArray::number(value);
}

void appendEscaped(QByteArray& out, const QString& text, bool inTable)
{
    static const char hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == ';' && inTable) {
            out += "\\'3b"; // a bare one would end the table entry
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            out += "\\line ";
        } else if (!keptInText(QChar(c))) {
            // Control characters have no place in the text.
        } else if (const auto byte = encodeCp1251(c)) {
            out += "\\'";
            out += hex[*byte >> 4];
            out += hex[*byte & 0xF];
        } else {
            // Readers that know \u skip the one fallback character after it; the others show the "?".
            out += "\\u";
            appendNumber(out, static_cast<std::int16_t>(c));
            out += '?';
        }
    }
}

void appendColor(QByteArray& out, const QColor& color)
{
    out += "\\red";
    appendNumber(out, color.red());
    out += "\\green";
    appendNumber(out, color.green());
    out += "\\blue";
    appendNumber(out, color.blue());
    out += ';';
}

QByteArray alignmentWord(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignJustify)
        return "\\qj";
    if (alignment & Qt::AlignHCenter)
        return "\\qc";
    if (alignment & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

} // namespace

QByteArray write(const Content& content)
{
    std::vector<QString> fonts;
    std::vector<QRgb> colors;
    for (const Paragraph& paragraph : content.paragraphs) {
        for (const Run& run : paragraph.runs) {
            indexOf(fonts, run.format.family);
            if (run.format.foreground.isValid())
                indexOf(colors, run.format.foreground.rgb());
            if (run.format.background.isValid())
                indexOf(colors, run.format.background.rgb());
        }
    }
    if (fonts.empty())
        fonts.emplace_back();

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f";
        appendNumber(out, static_cast<long long>(i));
        out += "\\fnil\\fcharset204 ";
        appendEscaped(out, fonts[i].trimmed(), true);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const QRgb color : colors)
        appendColor(out, QColor::fromRgb(color));
    out += "}\r\n\\uc1";

    for (const Paragraph& paragraph : content.paragraphs) {
        out += "\\pard";
        out += alignmentWord(paragraph.alignment);
        for (const Run& run : paragraph.runs) {
            const CharFormat& format = run.format;
            out += "\\plain\\f";
            appendNumber(out, indexOf(fonts, format.family));
            out += "\\fs";
            appendNumber(out, format.halfPoints);
            if (format.bold)
                out += "\\b";
            if (format.italic)
                out += "\\i";
            if (format.underline)
                out += "\\ul";
            if (format.strike)
                out += "\\strike";
            if (format.foreground.isValid()) {
                out += "\\cf";
                appendNumber(out, indexOf(colors, format.foreground.rgb()) + 1);
            }
            if (format.background.isValid()) {
                const int index = indexOf(colors, format.background.rgb()) + 1;
                out += "\\cb";
                appendNumber(out, index);
                out += "\\highlight";
                appendNumber(out, index);
            }
            out += ' ';
            appendEscaped(out, run.text, false);
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

} // namespace rtf
