#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Platform;
}

// The run history shared with the system's own Run dialog: one string value per command, whose data carries
// two marker characters after the command, beside the dialog's own "MRUList" value, which is never touched.
class RunHistory final
{
public:
    static const QString KeyPath;
    static const QString MruListName;
    /// Our values are "Brund_" and a number; their data is the command and this marker.
    static const QString NamePrefix;
    static const QString Marker;

    explicit RunHistory(platform::Platform& platform);

    /// The commands of every value but "MRUList", in the key's order, each without its last two characters
    /// (data of two characters or fewer gives empty text). Opening the key creates it.
    QStringList commands() const;

    /// Writes the command followed by ":)" under "Brund_" and the number of values the key holds. When a value
    /// of that name is already there (values were deleted since it was written), the next free number is
    /// taken instead, so that an earlier command is never overwritten. Returns the name written; throws
    /// RegistryError "Failed to set data for '<name>'" when it cannot be written.
    QString remember(const QString& command);

private:
    platform::Platform& m_platform;
};
