#include "platform/linux/modulelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform::detail {

QStringList programModuleFolders(const QString& programFolder, const QString& installedRelative,
                                 const QString& buildFolder)
{
    QStringList folders{programFolder};
    if (!installedRelative.isEmpty())
        folders << QDir::cleanPath(QDir(programFolder).filePath(installedRelative));
    if (!buildFolder.isEmpty()) {
        // Compared as the system resolves them: the program's own folder comes from the running executable.
        const QString build = QFileInfo(buildFolder).canonicalFilePath();
        const QString program = QFileInfo(programFolder).canonicalFilePath();
        if (!build.isEmpty() && (program == build || program.startsWith(build + QLatin1Char('/'))))
            folders << build;
    }
    return folders;
}

namespace {

// The running executable's own folder. Known without an application object, which the unit tests that load
// modules do not make.
QString runningProgramFolder()
{
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return executable.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(executable).absolutePath();
}

} // namespace

QFunctionPointer programModuleEntry(const QString& name, const char* entry)
{
    QLibrary library;
    // A module's code runs until the program ends: unloading it while objects it made still live would crash.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    QString installedRelative;
    QString buildFolder;
#ifdef TROMBUS_INSTALLED_MODULE_DIR
    // An installed program finds its modules in its library folder, at the same place relative to it under any
    // prefix.
    installedRelative = QStringLiteral(TROMBUS_INSTALLED_MODULE_DIR);
#endif
#ifdef TROMBUS_MODULE_DIR
    buildFolder = QStringLiteral(TROMBUS_MODULE_DIR);
#endif
    for (const QString& folder : programModuleFolders(runningProgramFolder(), installedRelative, buildFolder)) {
        library.setFileName(QDir(folder).filePath(name));
        if (library.load())
            return library.resolve(entry);
    }
    return nullptr;
}

} // namespace platform::detail
