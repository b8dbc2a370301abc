#pragma once

#include <QString>

// The running-text animator: a text, a mode that says how it moves, and the step position.
struct TBrundan
{
    qint32 Pos = 1;
    qint32 Span = 0; // only mode 2 reads it
    QString Text;
    qint32 Mode = 0;
};

/// Pascal-style substring: positions from 1, a start below 1 counts as 1 without shortening the count,
/// empty when the start lies past the end or the count is not positive.
QString Sub(const QString& s, qint32 i, qint32 c);

/// The frame for the animator's current step; advances Pos by 1 and Span by 2 in every mode.
QString NextFrame(TBrundan& animator);

/// One step of the running line: the text from `pos` to the next-to-last character, then its beginning.
/// Advances `pos`, wrapping before the last two characters.
QString NextRunningLineFrame(const QString& line, qint32& pos);
