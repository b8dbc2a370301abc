#include "media/playlistscan.h"

#include <QDir>
#include <QDirIterator>

const QStringList& playlistMasks()
{
    static const QStringList masks{QStringLiteral("*.mp3"), QStringLiteral("*.avi"), QStringLiteral("*.wav"),
                                   QStringLiteral("*.mid"), QStringLiteral("*.cda"), QStringLiteral("*.mpg")};
    return masks;
}

bool matchesMask(const QString& name, const QString& mask)
{
    return name.endsWith(QStringView(mask).mid(1), Qt::CaseInsensitive);
}

PlaylistScan scanFolder(const QString& folder)
{
    // One pass over the folder serves every mask; hidden and system entries and folders count as the
    // platform's any-file attribute mask has them.
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        entries << it.fileName();
    }
    PlaylistScan scan;
    scan.names.reserve(entries.size());
    for (const QString& mask : playlistMasks()) {
        const bool video = mask == QLatin1String("*.avi") || mask == QLatin1String("*.mpg");
        for (const QString& name : entries) {
            if (matchesMask(name, mask)) {
                scan.names << name;
                scan.video = scan.video || video;
            }
        }
    }
    return scan;
}
