#pragma once

#include <QString>
#include <QStringList>

// What a folder gives the playlist: the names that lie directly in it (folders whose names match included),
// type by type in the order of the masks, each type in the order the file system lists them.
struct PlaylistScan
{
    QStringList names;
    /// A video type (avi or mpg) was found.
    bool video = false;
};

/// The masks in the order their names join the playlist.
const QStringList& playlistMasks();
/// Whether a bare name matches a mask of the form "*.ext" (letter case ignored, as the platform's own
/// wildcards do).
bool matchesMask(const QString& name, const QString& mask);
PlaylistScan scanFolder(const QString& folder);
