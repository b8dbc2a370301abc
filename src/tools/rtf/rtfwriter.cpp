#include "tools/rtf/rtfwriter.h"

#include <algorithm>
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

// `fallbacks`: the characters after each \u that readers skip, as the \uc in force there says.
void appendEscaped(QByteArray& out, const QString& text, bool inTable, int fallbacks = 1)
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
            // Readers that know \u skip the fallback characters after it; the others show the "?".
            out += "\\u";
            appendNumber(out, static_cast<std::int16_t>(c));
            if (fallbacks == 0)
                out += ' ';
            for (int n = 0; n < fallbacks; ++n)
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

void appendHex(QByteArray& out, const QByteArray& bytes)
{
    const QByteArray hex = bytes.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out += "\r\n";
        out += hex.mid(i, 128);
    }
}

void appendWord(QByteArray& out, const char* word, long long value)
{
    out += word;
    appendNumber(out, value);
}

void appendParagraphFormat(QByteArray& out, const Paragraph& paragraph)
{
    if (paragraph.table >= 0)
        out += "\\intbl";
    if (paragraph.leftIndent != 0)
        appendWord(out, "\\li", paragraph.leftIndent);
    if (paragraph.rightIndent != 0)
        appendWord(out, "\\ri", paragraph.rightIndent);
    if (paragraph.firstLineIndent != 0)
        appendWord(out, "\\fi", paragraph.firstLineIndent);
    if (paragraph.spaceBefore != 0)
        appendWord(out, "\\sb", paragraph.spaceBefore);
    if (paragraph.spaceAfter != 0)
        appendWord(out, "\\sa", paragraph.spaceAfter);
    if (paragraph.lineSpacing != 0) {
        appendWord(out, "\\sl", paragraph.lineSpacing);
        appendWord(out, "\\slmult", paragraph.lineMultiple ? 1 : 0);
    }
    for (const TabStop& stop : paragraph.tabs) {
        static const char* const kinds[] = {"", "\\tqc", "\\tqr", "\\tqdec"};
        out += kinds[static_cast<int>(stop.kind)];
        appendWord(out, "\\tx", stop.position);
    }
    if (paragraph.pageBreakBefore)
        out += "\\pagebb";
    if (paragraph.list != 0) {
        appendWord(out, "\\ls", paragraph.list);
        appendWord(out, "\\ilvl", paragraph.listLevel);
    }
}

void appendRowDefinition(QByteArray& out, const Content& content, const Paragraph& paragraph)
{
    out += "\\trowd\\trgaph108";
    const Table* table = paragraph.table < static_cast<int>(content.tables.size())
                             ? &content.tables[static_cast<std::size_t>(paragraph.table)]
                             : nullptr;
    const std::vector<TableCell>* cells = table && paragraph.row < static_cast<int>(table->rows.size())
                                              ? &table->rows[static_cast<std::size_t>(paragraph.row)]
                                              : nullptr;
    // Cells the file did not define get a width of their own.
    int columns = cells ? static_cast<int>(cells->size()) : 0;
    for (const Paragraph& other : content.paragraphs) {
        if (other.table == paragraph.table && other.row == paragraph.row)
            columns = std::max(columns, other.column + 1);
    }
    int edge = 0;
    for (int c = 0; c < columns; ++c) {
        TableCell cell;
        if (cells && c < static_cast<int>(cells->size()))
            cell = (*cells)[static_cast<std::size_t>(c)];
        edge = std::max(edge + 1, cell.rightEdge > 0 ? cell.rightEdge : edge + 1440);
        if (cell.border > 0) {
            for (const char* side : {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"}) {
                out += side;
                appendWord(out, "\\brdrs\\brdrw", cell.border);
            }
        }
        appendWord(out, "\\cellx", edge);
    }
}

} // namespace

QByteArray write(const Content& content)
{
    // The file's own font and colour tables come first, at their numbers, when groups carried from it may
    // refer to them; the notepad's own fonts and colours follow.
    const bool carried = !content.fontEntries.isEmpty();
    const int firstFont = carried ? std::max(0, content.fontCount) : 0;
    std::vector<QString> fonts;
    // A typeface the file's table already has in Windows-1251 is taken from there, so the table does not grow
    // with each save.
    const auto fontNumber = [&](const QString& family) -> long long {
        if (carried) {
            for (const auto& [number, name] : content.cyrillicFonts) {
                if (name == family.trimmed())
                    return number;
            }
        }
        return firstFont + indexOf(fonts, family);
    };
    std::vector<QRgb> colors;
    for (const QColor& color : content.colors)
        colors.push_back(color.isValid() ? color.rgb() : QRgb(0));
    const std::size_t sourceColors = colors.size();
    const auto colorIndex = [&](const QColor& color) {
        for (std::size_t i = 0; i < colors.size(); ++i) {
            if (colors[i] == color.rgb())
                return static_cast<int>(i) + 1;
        }
        colors.push_back(color.rgb());
        return static_cast<int>(colors.size());
    };
    for (const Paragraph& paragraph : content.paragraphs) {
        for (const Run& run : paragraph.runs) {
            fontNumber(run.format.family);
            if (run.format.foreground.isValid())
                colorIndex(run.format.foreground);
            if (run.format.background.isValid())
                colorIndex(run.format.background);
        }
    }
    if (fonts.empty() && !carried)
        fonts.emplace_back();

    // The text is written in Windows-1251 fonts whatever the file's code page; what is carried from the file
    // is in the file's.
    QByteArray out = "{\\rtf1\\ansi\\ansicpg";
    appendNumber(out, content.codePage != 0 ? content.codePage : 1251);
    out += "\\deff";
    appendNumber(out, carried ? content.defaultFont : 0);
    out += "\\deflang1049";
    // The file's font names were written for the \uc in force where its table starts; the text's own \uc1
    // follows the tables.
    if (carried && content.fontTableSkip != 1) {
        out += "\\uc";
        appendNumber(out, content.fontTableSkip);
    }
    out += "{\\fonttbl";
    if (carried) {
        // Entries that would run on into the word (letters, a number) or lose a space to it need a delimiter.
        const char first = content.fontEntries.front();
        if ((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z') || (first >= '0' && first <= '9') ||
            first == '-' || first == ' ')
            out += ' ';
        out += content.fontEntries;
    }
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f";
        appendNumber(out, firstFont + static_cast<long long>(i));
        out += "\\fnil\\fcharset204 ";
        // The table is read with the file's \uc in force where it starts.
        appendEscaped(out, fonts[i].trimmed(), true, carried ? content.fontTableSkip : 1);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (i < sourceColors && !content.colors[i].isValid())
            out += ';';
        else
            appendColor(out, QColor::fromRgb(colors[i]));
    }
    out += "}\r\n";
    out += content.header;
    out += "\\uc1";

    const std::size_t count = content.paragraphs.size();
    for (std::size_t index = 0; index < count; ++index) {
        const Paragraph& paragraph = content.paragraphs[index];
        const Paragraph* previous = index > 0 ? &content.paragraphs[index - 1] : nullptr;
        const Paragraph* next = index + 1 < count ? &content.paragraphs[index + 1] : nullptr;
        const bool inTable = paragraph.table >= 0;
        if (inTable && (!previous || previous->table != paragraph.table || previous->row != paragraph.row))
            appendRowDefinition(out, content, paragraph);
        out += "\\pard";
        out += alignmentWord(paragraph.alignment);
        appendParagraphFormat(out, paragraph);
        QString link;
        bool listText = false;
        for (const Run& run : paragraph.runs) {
            const CharFormat& format = run.format;
            if (format.link != link || format.listText != listText) {
                if (listText)
                    out += '}';
                listText = false;
            }
            if (format.link != link) {
                if (!link.isEmpty())
                    out += "}}";
                link = format.link;
                if (!link.isEmpty()) {
                    QString target = link;
                    target.replace(QLatin1Char('"'), QLatin1String("%22"));
                    // The instruction is read in the font in effect before it, which at the start of the text is
                    // the file's default one, in whatever code page or symbol set: the run's own font comes first.
                    out += "\\plain\\f";
                    appendNumber(out, fontNumber(format.family));
                    out += "{\\field{\\*\\fldinst HYPERLINK \"";
                    appendEscaped(out, target, false);
                    out += "\"}{\\fldrslt ";
                }
            }
            if (format.listText && !listText) {
                out += paragraph.list != 0 ? "{\\listtext" : "{\\pntext";
                listText = true;
            }
            out += "\\plain\\f";
            appendNumber(out, fontNumber(format.family));
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
            if (format.script == Script::Super)
                out += "\\super";
            else if (format.script == Script::Sub)
                out += "\\sub";
            if (format.caps == Caps::Small)
                out += "\\scaps";
            else if (format.caps == Caps::All)
                out += "\\caps";
            if (format.foreground.isValid()) {
                out += "\\cf";
                appendNumber(out, colorIndex(format.foreground));
            }
            if (format.background.isValid()) {
                const int index = colorIndex(format.background);
                out += "\\cb";
                appendNumber(out, index);
                out += "\\highlight";
                appendNumber(out, index);
            }
            out += ' ';
            switch (run.embedded.kind) {
            case Embedded::Kind::None:
                appendEscaped(out, run.text, false);
                break;
            case Embedded::Kind::Picture:
                out += run.embedded.type == "jpeg" ? "{\\pict\\jpegblip" : "{\\pict\\pngblip";
                appendWord(out, "\\picwgoal", run.embedded.width);
                appendWord(out, "\\pichgoal", run.embedded.height);
                appendHex(out, run.embedded.bytes);
                out += '}';
                break;
            case Embedded::Kind::Carried:
                out += run.embedded.bytes;
                break;
            }
            // LibreOffice keeps a raised or lowered run going through the next run's \plain and past the end of
            // the paragraph, swallowing what follows; the run's end is said outright.
            if (format.script != Script::Normal)
                out += "\\nosupersub";
        }
        if (listText)
            out += '}';
        if (!link.isEmpty())
            out += "}}";
        if (!inTable)
            out += "\\par\r\n";
        else if (next && next->table == paragraph.table && next->row == paragraph.row &&
                 next->column == paragraph.column)
            out += "\\par\r\n";
        else if (next && next->table == paragraph.table && next->row == paragraph.row)
            out += "\\cell\r\n";
        else
            out += "\\cell\\row\r\n";
    }
    out += "}\r\n";
    return out;
}

} // namespace rtf
