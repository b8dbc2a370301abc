#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <Qt>
#include <utility>
#include <vector>

class QTextDocument;

// What the notepad keeps of a rich text: paragraphs with their alignment, indents, spacing and tab stops,
// made of runs of text in one character format, pictures, and parts of the file the notepad does not show
// but carries back into the file where they stood. Paragraphs may lie in the cells of tables. The reader
// produces it from a file, the writer writes it, and a QTextDocument is filled from it or described by it.
// Lengths are in twips (1/1440 inch), as the file counts them.
namespace rtf {

enum class Script
{
    Normal,
    Super,
    Sub,
};

enum class Caps
{
    None,
    Small,
    All,
};

struct CharFormat
{
    QString family;      // empty: the document's default typeface
    int halfPoints = 24; // size in half points, as \fs counts it
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QColor foreground; // invalid: the automatic text colour
    QColor background; // invalid: no background of its own
    Script script = Script::Normal;
    Caps caps = Caps::None;
    QString link;          // the target of a hyperlink the text shows; empty: no link
    bool listText = false; // the bullet or number the file shows before a list paragraph's text

    bool operator==(const CharFormat&) const = default;
};

/// Something that stands in a run instead of text.
struct Embedded
{
    enum class Kind
    {
        None,
        Picture, // a PNG or JPEG picture, shown
        Carried, // a group of the file kept as its bytes, not shown, written back where it stood
    };
    Kind kind = Kind::None;
    QByteArray bytes; // the picture's file, or the group with its braces
    QByteArray type;  // a picture's format: "png" or "jpeg"
    int width = 0;    // a picture's shown size
    int height = 0;

    bool operator==(const Embedded&) const = default;
};

struct Run
{
    QString text; // one line of a paragraph: U+2028 stands for \line, '\t' for \tab
    CharFormat format;
    Embedded embedded = {}; // when set, the run stands for it and has no text

    bool operator==(const Run&) const = default;
};

struct TabStop
{
    enum class Kind
    {
        Left,
        Center,
        Right,
        Decimal,
    };
    int position = 0;
    Kind kind = Kind::Left;

    bool operator==(const TabStop&) const = default;
};

struct Paragraph
{
    Qt::Alignment alignment = Qt::AlignLeft; // AlignLeft, AlignHCenter, AlignRight or AlignJustify
    std::vector<Run> runs;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // from the left indent; negative hangs out
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;       // \sl: 0 single; above 0 at least, below 0 exactly that height
    bool lineMultiple = false; // \slmult1: lineSpacing counts 240ths of single spacing
    std::vector<TabStop> tabs = {};
    bool pageBreakBefore = false;
    int list = 0; // \ls: the list (of the file's list tables) it belongs to; 0 none
    int listLevel = 0;
    int table = -1; // index into Content::tables, -1 outside tables
    int row = 0;
    int column = 0;

    bool operator==(const Paragraph&) const = default;
};

struct TableCell
{
    int rightEdge = 0; // from the row's left end
    int border = 0;    // width of its border lines, 0 none

    bool operator==(const TableCell&) const = default;
};

struct Table
{
    std::vector<std::vector<TableCell>> rows;

    bool operator==(const Table&) const = default;
};

struct Content
{
    std::vector<Paragraph> paragraphs; // never empty: an empty text is one empty paragraph
    std::vector<Table> tables;         // the paragraphs of a table follow each other in row and cell order
    // The file's own parts the notepad carries: the groups that stood before the text (style sheet, list
    // tables, document information...), and its font and colour tables, which those and the carried groups of
    // the text refer to by number.
    QByteArray header;
    QByteArray fontEntries; // the font table's entries as they stood
    int fontCount = 0;      // one more than the highest font number among them
    int defaultFont = 0;    // the file's \\deff
    int codePage = 0;       // the file's code page, which those tables and groups are in; 0: the notepad's own
    int fontTableSkip = 1;  // the file's \\uc where its font table starts, which its \\u names were written for
    std::vector<std::pair<int, QString>> cyrillicFonts; // those of them in Windows-1251: number and typeface
    std::vector<QColor> colors; // the colour table's entries after the automatic one; invalid: automatic

    bool operator==(const Content&) const = default;
};

/// Whether the content carries groups of the file it came from (then its font and colour tables are kept).
bool carriesGroups(const Content& content);

/// Whether a character may stand in a run's text: no control characters but the tab, and none that a
/// QTextDocument takes for a block or frame boundary or an embedded object.
bool keptInText(QChar c);

/// Joins neighbouring runs of equal format and drops empty runs, so that two descriptions of the same text
/// compare equal.
Content normalized(Content content);

/// Replaces the document's text with the content; the document's default font stands for runs without a
/// typeface of their own.
void fill(QTextDocument& document, const Content& content);

/// The document's text and formats, with every property spelt out: what a run does not set comes from the
/// document's default font.
Content describe(const QTextDocument& document);

/// The sizes a run may have, in half points (1 to 1638 points).
inline constexpr int minHalfPoints = 2;
inline constexpr int maxHalfPoints = 3276;

/// The farthest from its row's left end a table cell may reach, in twips (some 17 metres).
inline constexpr int maxCellEdge = 1000000;

/// The highest font number the font table may give. A file never numbers its fonts anywhere near it; a larger
/// number is damage, and its entry is passed over, so that the fonts the save adds after the file's own always
/// have numbers of their own.
inline constexpr int maxFontNumber = 65535;

} // namespace rtf
