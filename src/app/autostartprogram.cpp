#include "app/autostartprogram.h"

#include <QFileInfo>

#include "installlayout.h"

QString autostartProgram(const QString& runningProgram, const QStringList& installedPrograms)
{
    const QString running = QFileInfo(runningProgram).canonicalFilePath();
    if (running.isEmpty())
        return runningProgram;
    for (const QString& installed : installedPrograms) {
        if (QFileInfo(installed).canonicalFilePath() == running)
            return installed;
    }
    return runningProgram;
}

QStringList installedProgramPaths()
{
    QStringList paths{QStringLiteral(TROMBUS_INSTALLED_PROGRAM)};
    if (!paths.contains(QStringLiteral(TROMBUS_PACKAGED_PROGRAM)))
        paths << QStringLiteral(TROMBUS_PACKAGED_PROGRAM);
    return paths;
}
