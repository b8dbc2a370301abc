#include "tools/rtf/rtfcontent.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace rtf {
namespace {

// Where the document keeps what it does not show.
constexpr int CarriedObject = QTextFormat::UserObject + 1;
constexpr int EmbeddedBytes = QTextFormat::UserProperty + 1;
constexpr int PictureType = QTextFormat::UserProperty + 2;
constexpr int ListTextProperty = QTextFormat::UserProperty + 3;
constexpr int ListProperty = QTextFormat::UserProperty + 4;
constexpr int ListLevelProperty = QTextFormat::UserProperty + 5;
constexpr int HeaderProperty = QTextFormat::UserProperty + 6;
constexpr int FontEntriesProperty = QTextFormat::UserProperty + 7;
constexpr int FontCountProperty = QTextFormat::UserProperty + 8;
constexpr int ColorsProperty = QTextFormat::UserProperty + 9;
constexpr int LineSpacingProperty = QTextFormat::UserProperty + 10;
constexpr int CellBorderProperty = QTextFormat::UserProperty + 11;
constexpr int CyrillicFontsProperty = QTextFormat::UserProperty + 12;
constexpr int DefaultFontProperty = QTextFormat::UserProperty + 13;
constexpr int CodePageProperty = QTextFormat::UserProperty + 14;
constexpr int FontTableSkipProperty = QTextFormat::UserProperty + 15;

// The document lays out in pixels of 1/96 inch; the file counts twips of 1/1440 inch.
constexpr double TwipsPerPixel = 15.0;

double pixels(int twips)
{
    return twips / TwipsPerPixel;
}

int twips(double pixels)
{
    const double value = std::round(pixels * TwipsPerPixel);
    return static_cast<int>(std::clamp(value, -1.0e9, 1.0e9));
}

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
    if (format.script == Script::Super)
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.script == Script::Sub)
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (format.caps == Caps::Small)
        result.setFontCapitalization(QFont::SmallCaps);
    else if (format.caps == Caps::All)
        result.setFontCapitalization(QFont::AllUppercase);
    if (!format.link.isEmpty()) {
        result.setAnchor(true);
        result.setAnchorHref(format.link);
    }
    if (format.listText)
        result.setProperty(ListTextProperty, true);
    return result;
}

QTextBlockFormat qtBlockFormat(const Paragraph& paragraph)
{
    QTextBlockFormat result;
    result.setAlignment(paragraph.alignment);
    if (paragraph.leftIndent != 0)
        result.setLeftMargin(pixels(paragraph.leftIndent));
    if (paragraph.rightIndent != 0)
        result.setRightMargin(pixels(paragraph.rightIndent));
    if (paragraph.firstLineIndent != 0)
        result.setTextIndent(pixels(paragraph.firstLineIndent));
    if (paragraph.spaceBefore != 0)
        result.setTopMargin(pixels(paragraph.spaceBefore));
    if (paragraph.spaceAfter != 0)
        result.setBottomMargin(pixels(paragraph.spaceAfter));
    if (paragraph.lineSpacing != 0) {
        // What the text shows; the file's own number is kept beside it so that it comes back unchanged.
        if (paragraph.lineMultiple)
            result.setLineHeight(std::abs(paragraph.lineSpacing) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (paragraph.lineSpacing > 0)
            result.setLineHeight(pixels(paragraph.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            result.setLineHeight(pixels(-paragraph.lineSpacing), QTextBlockFormat::FixedHeight);
        result.setProperty(LineSpacingProperty, QList<QVariant>{paragraph.lineSpacing, paragraph.lineMultiple});
    }
    if (!paragraph.tabs.empty()) {
        QList<QTextOption::Tab> tabs;
        for (const TabStop& stop : paragraph.tabs) {
            static constexpr QTextOption::TabType kinds[] = {QTextOption::LeftTab, QTextOption::CenterTab,
                                                             QTextOption::RightTab, QTextOption::DelimiterTab};
            tabs.append(QTextOption::Tab(pixels(stop.position), kinds[static_cast<int>(stop.kind)],
                                         stop.kind == TabStop::Kind::Decimal ? QChar('.') : QChar()));
        }
        result.setTabPositions(tabs);
    }
    if (paragraph.pageBreakBefore)
        result.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (paragraph.list != 0) {
        result.setProperty(ListProperty, paragraph.list);
        result.setProperty(ListLevelProperty, paragraph.listLevel);
    }
    return result;
}

void describeBlockFormat(const QTextBlockFormat& format, Paragraph& paragraph)
{
    paragraph.leftIndent = twips(format.leftMargin());
    paragraph.rightIndent = twips(format.rightMargin());
    paragraph.firstLineIndent = twips(format.textIndent());
    paragraph.spaceBefore = twips(format.topMargin());
    paragraph.spaceAfter = twips(format.bottomMargin());
    const QList<QVariant> kept = format.property(LineSpacingProperty).toList();
    if (kept.size() == 2) {
        paragraph.lineSpacing = kept[0].toInt();
        paragraph.lineMultiple = kept[1].toBool();
    } else if (format.hasProperty(QTextFormat::LineHeightType)) {
        const double height = format.lineHeight();
        switch (format.lineHeightType()) {
        case QTextBlockFormat::ProportionalHeight:
            if (height > 0 && std::lround(height) != 100) {
                paragraph.lineSpacing = static_cast<int>(std::lround(std::min(height, 1.0e6) * 240.0 / 100.0));
                paragraph.lineMultiple = true;
            }
            break;
        case QTextBlockFormat::MinimumHeight:
            paragraph.lineSpacing = std::max(0, twips(height));
            break;
        case QTextBlockFormat::FixedHeight:
            paragraph.lineSpacing = -std::max(0, twips(height));
            break;
        default:
            break;
        }
    }
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        TabStop stop;
        stop.position = twips(tab.position);
        switch (tab.type) {
        case QTextOption::CenterTab:
            stop.kind = TabStop::Kind::Center;
            break;
        case QTextOption::RightTab:
            stop.kind = TabStop::Kind::Right;
            break;
        case QTextOption::DelimiterTab:
            stop.kind = TabStop::Kind::Decimal;
            break;
        default:
            break;
        }
        paragraph.tabs.push_back(stop);
    }
    paragraph.pageBreakBefore = format.pageBreakPolicy().testFlag(QTextFormat::PageBreak_AlwaysBefore);
    paragraph.list = format.intProperty(ListProperty);
    paragraph.listLevel = paragraph.list != 0 ? format.intProperty(ListLevelProperty) : 0;
}

QString pictureName(const Embedded& picture)
{
    return QStringLiteral("rtf-picture:") +
           QString::fromLatin1(QCryptographicHash::hash(picture.bytes, QCryptographicHash::Sha1).toHex());
}

void insertEmbedded(QTextDocument& document, QTextCursor& cursor, const Run& run)
{
    const QTextCharFormat base = qtFormat(run.format);
    if (run.embedded.kind == Embedded::Kind::Picture) {
        QImage image;
        image.loadFromData(run.embedded.bytes, run.embedded.type.constData());
        const QString name = pictureName(run.embedded);
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.merge(base);
        format.setName(name);
        if (run.embedded.width > 0)
            format.setWidth(pixels(run.embedded.width));
        if (run.embedded.height > 0)
            format.setHeight(pixels(run.embedded.height));
        format.setProperty(EmbeddedBytes, run.embedded.bytes);
        format.setProperty(PictureType, run.embedded.type);
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
        return;
    }
    // An object of a kind without a handler takes no room: the text shows nothing of it.
    QTextCharFormat format = base;
    format.setObjectType(CarriedObject);
    format.setProperty(EmbeddedBytes, run.embedded.bytes);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// A picture put into the text by other means than a file has no bytes of its own: its image is saved as PNG.
Embedded describePicture(const QTextDocument& document, const QTextImageFormat& format)
{
    Embedded picture;
    picture.kind = Embedded::Kind::Picture;
    picture.bytes = format.property(EmbeddedBytes).toByteArray();
    picture.type = format.property(PictureType).toByteArray();
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    const QImage image = resource.value<QImage>();
    if (picture.bytes.isEmpty() || (picture.type != "png" && picture.type != "jpeg")) {
        if (image.isNull())
            return {};
        QBuffer buffer(&picture.bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        picture.type = "png";
    }
    picture.width = format.width() > 0 ? twips(format.width()) : twips(image.width());
    picture.height = format.height() > 0 ? twips(format.height()) : twips(image.height());
    return picture;
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
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        result.script = Script::Super;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        result.script = Script::Sub;
    if (format.hasProperty(QTextFormat::FontCapitalization)) {
        if (format.fontCapitalization() == QFont::SmallCaps)
            result.caps = Caps::Small;
        else if (format.fontCapitalization() == QFont::AllUppercase)
            result.caps = Caps::All;
    }
    if (format.isAnchor())
        result.link = format.anchorHref();
    result.listText = format.boolProperty(ListTextProperty);
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

bool carriesGroups(const Content& content)
{
    if (!content.header.isEmpty())
        return true;
    for (const Paragraph& paragraph : content.paragraphs) {
        for (const Run& run : paragraph.runs) {
            if (run.embedded.kind == Embedded::Kind::Carried)
                return true;
        }
    }
    return false;
}

Content normalized(Content content)
{
    if (content.paragraphs.empty())
        content.paragraphs.emplace_back();
    for (Paragraph& paragraph : content.paragraphs) {
        std::vector<Run> runs;
        for (Run& run : paragraph.runs) {
            if (run.embedded.kind != Embedded::Kind::None) {
                run.text.clear();
                runs.push_back(std::move(run));
                continue;
            }
            if (run.text.isEmpty())
                continue;
            if (!runs.empty() && runs.back().embedded.kind == Embedded::Kind::None && runs.back().format == run.format)
                runs.back().text += run.text;
            else
                runs.push_back(std::move(run));
        }
        paragraph.runs = std::move(runs);
    }
    return content;
}

namespace {

void fillTable(QTextCursor& cursor, const Content& content, std::size_t& index)
{
    const int number = content.paragraphs[index].table;
    const Table empty;
    const Table& table =
        number < static_cast<int>(content.tables.size()) ? content.tables[static_cast<std::size_t>(number)] : empty;
    std::size_t end = index;
    int rows = static_cast<int>(table.rows.size());
    int columns = 0;
    for (const auto& row : table.rows)
        columns = std::max(columns, static_cast<int>(row.size()));
    while (end < content.paragraphs.size() && content.paragraphs[end].table == number) {
        rows = std::max(rows, content.paragraphs[end].row + 1);
        columns = std::max(columns, content.paragraphs[end].column + 1);
        ++end;
    }
    // Cell widths of the first row stand for the columns; each cell keeps its own border.
    QTextTableFormat format;
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setBorder(0);
    format.setBorderCollapse(true);
    QList<QTextLength> widths;
    int left = 0;
    if (!table.rows.empty()) {
        for (const TableCell& cell : table.rows.front()) {
            widths.append(QTextLength(QTextLength::FixedLength, pixels(std::max(0, cell.rightEdge - left))));
            left = std::max(left, cell.rightEdge);
        }
    }
    while (widths.size() < columns)
        widths.append(QTextLength());
    format.setColumnWidthConstraints(widths);
    QTextTable* qtTable = cursor.insertTable(std::max(rows, 1), std::max(columns, 1), format);
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
        const auto& row = table.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            QTextTableCell cell = qtTable->cellAt(r, c);
            QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            const int border = row[static_cast<std::size_t>(c)].border;
            cellFormat.setProperty(CellBorderProperty, border);
            if (border > 0) {
                cellFormat.setBorder(pixels(border));
                cellFormat.setBorderBrush(QColor(Qt::black));
                cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            }
            cell.setFormat(cellFormat);
        }
    }
    int lastRow = -1, lastColumn = -1;
    QTextCursor inCell;
    for (; index < end; ++index) {
        const Paragraph& paragraph = content.paragraphs[index];
        if (paragraph.row != lastRow || paragraph.column != lastColumn) {
            inCell = qtTable->cellAt(paragraph.row, paragraph.column).firstCursorPosition();
            inCell.setBlockFormat(qtBlockFormat(paragraph));
            lastRow = paragraph.row;
            lastColumn = paragraph.column;
        } else {
            inCell.insertBlock(qtBlockFormat(paragraph));
        }
        for (const Run& run : paragraph.runs) {
            if (run.embedded.kind != Embedded::Kind::None)
                insertEmbedded(*cursor.document(), inCell, run);
            else
                inCell.insertText(run.text, qtFormat(run.format));
        }
    }
    cursor = qtTable->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
}

} // namespace

void fill(QTextDocument& document, const Content& content)
{
    document.clear();
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    if (!content.header.isEmpty())
        root.setProperty(HeaderProperty, content.header);
    if (content.codePage != 0)
        root.setProperty(CodePageProperty, content.codePage);
    if (!content.fontEntries.isEmpty()) {
        root.setProperty(FontEntriesProperty, content.fontEntries);
        root.setProperty(FontCountProperty, content.fontCount);
        root.setProperty(DefaultFontProperty, content.defaultFont);
        root.setProperty(FontTableSkipProperty, content.fontTableSkip);
        QList<QVariant> fonts;
        for (const auto& [number, name] : content.cyrillicFonts)
            fonts << number << name;
        root.setProperty(CyrillicFontsProperty, fonts);
    }
    if (!content.colors.empty()) {
        QList<QVariant> colors;
        for (const QColor& color : content.colors)
            colors.append(color);
        root.setProperty(ColorsProperty, colors);
    }
    document.rootFrame()->setFrameFormat(root);

    QTextCursor cursor(&document);
    bool fresh = true; // the cursor's block holds no paragraph yet
    for (std::size_t index = 0; index < content.paragraphs.size();) {
        const Paragraph& paragraph = content.paragraphs[index];
        if (paragraph.table >= 0) {
            fillTable(cursor, content, index);
            fresh = true;
            continue;
        }
        if (fresh)
            cursor.setBlockFormat(qtBlockFormat(paragraph));
        else
            cursor.insertBlock(qtBlockFormat(paragraph));
        fresh = false;
        for (const Run& run : paragraph.runs) {
            if (run.embedded.kind != Embedded::Kind::None)
                insertEmbedded(document, cursor, run);
            else
                cursor.insertText(run.text, qtFormat(run.format));
        }
        ++index;
    }
}

Content describe(const QTextDocument& document)
{
    Content content;
    const QTextFrameFormat root = document.rootFrame()->frameFormat();
    content.header = root.property(HeaderProperty).toByteArray();
    content.codePage = root.intProperty(CodePageProperty);
    content.fontEntries = root.property(FontEntriesProperty).toByteArray();
    content.fontCount = content.fontEntries.isEmpty() ? 0 : root.intProperty(FontCountProperty);
    content.defaultFont = content.fontEntries.isEmpty() ? 0 : root.intProperty(DefaultFontProperty);
    content.fontTableSkip = content.fontEntries.isEmpty() ? 1 : root.intProperty(FontTableSkipProperty);
    const QList<QVariant> fonts = root.property(CyrillicFontsProperty).toList();
    for (qsizetype i = 0; i + 1 < fonts.size(); i += 2)
        content.cyrillicFonts.emplace_back(fonts[i].toInt(), fonts[i + 1].toString());
    for (const QVariant& color : root.property(ColorsProperty).toList())
        content.colors.push_back(color.value<QColor>());

    const QFont defaults = document.defaultFont();
    const QTextTable* currentTable = nullptr;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph paragraph;
        paragraph.alignment = describeAlignment(block.blockFormat().alignment());
        describeBlockFormat(block.blockFormat(), paragraph);
        const QTextCursor at(block);
        if (const QTextTable* table = at.currentTable()) {
            if (table != currentTable) {
                currentTable = table;
                Table described;
                const QList<QTextLength> widths = table->format().columnWidthConstraints();
                for (int r = 0; r < table->rows(); ++r) {
                    std::vector<TableCell> row;
                    int edge = 0;
                    for (int c = 0; c < table->columns(); ++c) {
                        const double width = c < widths.size() && widths[c].type() == QTextLength::FixedLength
                                                 ? widths[c].rawValue()
                                                 : 100.0;
                        edge = std::min(edge + std::max(1, twips(width)), maxCellEdge);
                        const QTextTableCellFormat cellFormat = table->cellAt(r, c).format().toTableCellFormat();
                        row.push_back({edge, std::max(0, cellFormat.intProperty(CellBorderProperty))});
                    }
                    described.rows.push_back(std::move(row));
                }
                content.tables.push_back(std::move(described));
            }
            const QTextTableCell cell = table->cellAt(at);
            paragraph.table = static_cast<int>(content.tables.size()) - 1;
            paragraph.row = cell.row();
            paragraph.column = cell.column();
        } else {
            currentTable = nullptr;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const bool picture = format.isImageFormat();
            if (picture || format.objectType() == CarriedObject) {
                for (qsizetype i = 0; i < fragment.length(); ++i) {
                    Run run{{}, describeFormat(format, defaults), {}};
                    if (picture) {
                        run.embedded = describePicture(document, format.toImageFormat());
                    } else {
                        run.embedded.kind = Embedded::Kind::Carried;
                        run.embedded.bytes = format.property(EmbeddedBytes).toByteArray();
                    }
                    if (run.embedded.kind != Embedded::Kind::None && !run.embedded.bytes.isEmpty())
                        paragraph.runs.push_back(std::move(run));
                }
                continue;
            }
            paragraph.runs.push_back({fragment.text(), describeFormat(format, defaults), {}});
        }
        content.paragraphs.push_back(std::move(paragraph));
    }
    // A table at the very start stands after an empty paragraph the document cannot do without.
    if (content.paragraphs.size() > 1 && content.paragraphs[0].table < 0 && content.paragraphs[1].table >= 0 &&
        content.paragraphs[0] == Paragraph{})
        content.paragraphs.erase(content.paragraphs.begin());
    return normalized(std::move(content));
}

} // namespace rtf
