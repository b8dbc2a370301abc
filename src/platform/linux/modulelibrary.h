#pragma once

#include <QLibrary>
#include <QString>

namespace platform::detail {

/// The entry `entry` of the program's own module `name` (without its suffix), looked for beside the program, in
/// the installed program's library folder and in the build folder; the first folder where the module loads
/// wins. Null when no module loads or it lacks the entry. The module stays loaded for the rest of the run.
QFunctionPointer programModuleEntry(const QString& name, const char* entry);

} // namespace platform::detail
