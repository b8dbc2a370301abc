#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

namespace platform::detail {

/// The entry `entry` of the program's own module `name` (without its suffix), looked for in the folders of
/// programModuleFolders; the first folder where the module loads wins. Null when no module loads or it lacks the entry.
/// The module stays loaded for the rest of the run.
QFunctionPointer programModuleEntry(const QString& name, const char* entry);

/// Where a program in `programFolder` looks for its modules, in order: its own folder, then the installed library
/// folder relative to it, then `buildFolder`, but only for a program that runs from inside that build folder (the
/// program and the tests there). An installed program never loads code from the folder it was built in, a path
/// of the building machine that anyone on another machine could have made.
QStringList programModuleFolders(const QString& programFolder, const QString& installedRelative,
                                 const QString& buildFolder);

} // namespace platform::detail
