#include "platform/linux/modulelibrary.h"

#include <QCoreApplication>
#include <QDir>

namespace platform::detail {

namespace {

QStringList programModuleFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders{programFolder};
#ifdef TROMBUS_INSTALLED_MODULE_DIR
    // An installed program finds its modules in its library folder, at the same place relative to it under any
    // prefix.
    folders << QDir(programFolder).filePath(QStringLiteral(TROMBUS_INSTALLED_MODULE_DIR));
#endif
#ifdef TROMBUS_MODULE_DIR
    folders << QStringLiteral(TROMBUS_MODULE_DIR);
#endif
    return folders;
}

} // namespace

QFunctionPointer programModuleEntry(const QString& name, const char* entry)
{
    QLibrary library;
    // A module's code runs until the program ends: unloading it while objects it made still live would crash.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    for (const QString& folder : programModuleFolders()) {
        library.setFileName(QDir(folder).filePath(name));
        if (library.load())
            return library.resolve(entry);
    }
    return nullptr;
}

} // namespace platform::detail
