// Any name a file may have in the folder the playlist is opened from. A name joins the playlist exactly once
// when it ends in one of the playlist's types (letter case ignored), and never otherwise; a video type sets
// the video flag. Names that a folder cannot hold are checked against the masks alone.
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "media/playlistscan.h"

namespace {

// The type after the last dot, compared as the platform's wildcards do.
int maskOf(const QString& name)
{
    const QStringList& masks = playlistMasks();
    for (int i = 0; i < masks.size(); ++i) {
        const QString type = masks[i].mid(1);
        if (name.size() >= type.size() && name.right(type.size()).compare(type, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int mask = maskOf(name);
    int matching = 0;
    for (int i = 0; i < playlistMasks().size(); ++i) {
        if (matchesMask(name, playlistMasks()[i])) {
            ++matching;
            if (i != mask)
                std::abort();
        }
    }
    if (matching != (mask >= 0 ? 1 : 0))
        std::abort();

    const QByteArray encoded = QFile::encodeName(name);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QChar(0)) || encoded.size() > 255)
        return 0;
    // Joined by hand: QDir would take a name opening with ":" for a resource path.
    const QString path = folder.path() + QLatin1Char('/') + name;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
    }
    const PlaylistScan scan = scanFolder(folder.path());
    QFile::remove(path);
    const QString type = mask >= 0 ? playlistMasks()[mask] : QString();
    const bool video = type == QLatin1String("*.avi") || type == QLatin1String("*.mpg");
    if (scan.names != (mask >= 0 ? QStringList{name} : QStringList()) || scan.video != video)
        std::abort();
    return 0;
}
