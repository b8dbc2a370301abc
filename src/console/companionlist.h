#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Platform;
}

// The programs opened together with this one: the keys of section "запуск" of start.ini (each with the value
// "C++"), kept in the order they were written; the items mirror them.
//
// A key of the file is one line: it cannot hold "=" (it would end the key) or a line break, loses blanks at
// either end, is no key when it starts with ";" or "[", and is one key with every spelling that differs only
// in letter case. A path that the file cannot hold exactly is refused with a message rather than stored as
// something else and lost at the next start.
class CompanionList final
{
public:
    static const QString FileName;
    static const QString Section;
    static const QString Mark;

    explicit CompanionList(platform::Platform& platform);

    /// Reads the keys of the section; a missing file is an empty list.
    void load();
    const QStringList& items() const { return m_items; }

    enum class Applied
    {
        Empty,         // no text: the error indicator is shown instead
        AlreadyListed, // the exact text is an item already
        Added
    };
    /// Adds the text to the file and then to the items. Throws FileError, changing nothing, when the file
    /// cannot hold the text exactly (see above) or cannot be written.
    Applied apply(const QString& text);

    /// Removes exactly the file that load and apply use, then empties the items. Throws FileError, keeping the
    /// items, when the file is still there afterwards.
    void deleteAll();
    QString filePath() const;

    /// Why the text cannot be a key of the file as it is; empty when it can.
    static QString unstorableReason(const QString& text);

private:
    platform::Platform& m_platform;
    QStringList m_items;
};
