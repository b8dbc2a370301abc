#pragma once

#include <QColor>
#include <QString>
#include <Qt>
#include <vector>

class QTextDocument;

// What the notepad keeps of a rich text: paragraphs with their alignment, made of runs of text in one
// character format. The reader produces it from a file, the writer writes it, and a QTextDocument is filled
// from it or described by it.
namespace rtf {

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

    bool operator==(const CharFormat&) const = default;
};

struct Run
{
    QString text; // one line of a paragraph: U+2028 stands for \line, '\t' for \tab
    CharFormat format;

    bool operator==(const Run&) const = default;
};

struct Paragraph
{
    Qt::Alignment alignment = Qt::AlignLeft; // AlignLeft, AlignHCenter, AlignRight or AlignJustify
    std::vector<Run> runs;

    bool operator==(const Paragraph&) const = default;
};

struct Content
{
    std::vector<Paragraph> paragraphs; // never empty: an empty text is one empty paragraph

    bool operator==(const Content&) const = default;
};

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

} // namespace rtf
