#include "tools/rtf/rtfcontent.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace rtf {
namespace {

QTextCharFormat qtFormat(const CharFormat& format)
{
    QTextCharFormat result;
    if (!format.family.isEmpty())
        result.setFontFamilies({format.family});
    result.setFontPointSize(format.halfPoints / 2.0);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strike);
    if (format.foreground.isValid())
        result.setForeground(format.foreground);
    if (format.background.isValid())
        result.setBackground(format.background);
    return result;
}

QColor brushColor(const QTextCharFormat& format, QTextFormat::Property property)
{
    if (!format.hasProperty(property))
        return {};
    const QBrush brush = format.brushProperty(property);
    if (brush.style() == Qt::NoBrush)
        return {};
    return QColor::fromRgb(brush.color().rgb());
}

int halfPointsOf(double points)
{
    if (!(points > 0))
        return 24;
    return std::clamp(static_cast<int>(std::lround(points * 2)), minHalfPoints, maxHalfPoints);
}

CharFormat describeFormat(const QTextCharFormat& format, const QFont& defaults)
{
    CharFormat result;
    const QStringList families =
        format.hasProperty(QTextFormat::FontFamilies) ? format.fontFamilies().toStringList() : QStringList();
    result.family = families.isEmpty() ? defaults.family() : families.front();
    result.halfPoints =
        halfPointsOf(format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaults.pointSizeF());
    result.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                              : defaults.weight() >= QFont::DemiBold;
    result.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaults.italic();
    result.underline =
        format.hasProperty(QTextFormat::TextUnderlineStyle) || format.hasProperty(QTextFormat::FontUnderline)
            ? format.fontUnderline()
            : defaults.underline();
    result.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : defaults.strikeOut();
    result.foreground = brushColor(format, QTextFormat::ForegroundBrush);
    result.background = brushColor(format, QTextFormat::BackgroundBrush);
    return result;
}

Qt::Alignment describeAlignment(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignJustify)
        return Qt::AlignJustify;
    if (horizontal & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    if (horizontal & Qt::AlignRight)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

} // namespace

bool keptInText(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20)
        return u == '\t';
    return u != 0x7F && u != QChar::ParagraphSeparator && u != 0xFDD0 && u != 0xFDD1 &&
           u != QChar::ObjectReplacementCharacter;
}

Content normalized(Content content)
{
    if (content.paragraphs.empty())
        content.paragraphs.emplace_back();
    for (Paragraph& paragraph : content.paragraphs) {
        std::vector<Run> runs;
        for (Run& run : paragraph.runs) {
            if (run.text.isEmpty())
                continue;
            if (!runs.empty() && runs.back().format == run.format)
                runs.back().text += run.text;
            else
                runs.push_back(std::move(run));
        }
        paragraph.runs = std::move(runs);
    }
    return content;
}

void fill(QTextDocument& document, const Content& content)
{
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const Paragraph& paragraph : content.paragraphs) {
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(paragraph.alignment);
        if (first)
            cursor.setBlockFormat(blockFormat);
        else
            cursor.insertBlock(blockFormat);
        first = false;
        for (const Run& run : paragraph.runs)
            cursor.insertText(run.text, qtFormat(run.format));
    }
}

Content describe(const QTextDocument& document)
{
    Content content;
    const QFont defaults = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph paragraph;
        paragraph.alignment = describeAlignment(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                paragraph.runs.push_back({fragment.text(), describeFormat(fragment.charFormat(), defaults)});
        }
        content.paragraphs.push_back(std::move(paragraph));
    }
    return normalized(std::move(content));
}

} // namespace rtf
