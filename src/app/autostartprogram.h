#pragma once

#include <QString>
#include <QStringList>

/// The program an autostart entry starts. When this process runs an installed copy (one of
/// `installedPrograms`, compared as files, so links in the prefix count), the installed path as written there:
/// it stays valid when a link in the prefix moves or an upgrade replaces the file. Otherwise the running file
/// itself, a build folder's copy.
QString autostartProgram(const QString& runningProgram, const QStringList& installedPrograms);

/// Where installations of this build put the program: `cmake --install` with the configured prefix, and the
/// Debian package.
QStringList installedProgramPaths();
