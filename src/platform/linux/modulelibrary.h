#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

namespace platform::detail {

/// Where the program's own modules may be: beside the program, in the installed program's library folder, in the
/// build folder; the first that holds a loadable module wins. Called on the GUI thread.
QStringList programModuleFolders();

/// Loads the module `name` (without its suffix) from the first of `folders` where it loads. Safe on any thread;
/// the module stays loaded for the rest of the run.
bool loadProgramModule(QLibrary& library, const QString& name, const QStringList& folders);

/// The same from the usual folders, on the GUI thread.
inline bool loadProgramModule(QLibrary& library, const QString& name)
{
    return loadProgramModule(library, name, programModuleFolders());
}

} // namespace platform::detail
