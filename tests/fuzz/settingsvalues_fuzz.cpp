// Any bytes may stand in registry.reg, where the run history and the launcher's entries are read back from.
// Reading them must not fail; every launcher entry read is found again by its label with the same path; a
// command remembered in the history comes back last without touching the commands before it; an entry
// stored in the launcher reads back and leaves the others as they were.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "console/launcherstore.h"
#include "console/runhistory.h"
#include "platform/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    QDir(folder.path()).removeRecursively();
    QDir().mkpath(folder.path());
    {
        QFile file(QDir(folder.path()).filePath(QStringLiteral("registry.reg")));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
            std::abort();
    }
    platform::Context context;
    context.configDir = folder.path().toStdString();
    context.notifyUser = [](const std::string&) {};
    platform::Platform platform(context);

    RunHistory history(platform);
    const QStringList commands = history.commands();
    const QString command = QStringLiteral("notepad %1").arg(commands.size());
    const QString written = history.remember(command);
    if (!written.startsWith(RunHistory::NamePrefix) || history.commands() != commands + QStringList{command})
        std::abort();

    LauncherStore launcher(platform);
    const QList<LauncherEntry> entries = launcher.entries();
    for (const LauncherEntry& entry : entries) {
        // A label repeated in another letter case is one value; the first of them is the one found.
        const LauncherEntry* first = &entry;
        for (const LauncherEntry& other : entries) {
            if (other.label.compare(entry.label, Qt::CaseInsensitive) == 0) {
                first = &other;
                break;
            }
        }
        if (!launcher.contains(entry.label) || launcher.pathOf(entry.label) != first->path)
            std::abort();
    }
    const LauncherEntry added{QStringLiteral("Блокнот ") + QString::number(entries.size()),
                              QStringLiteral("/usr/bin/x")};
    launcher.store(added.label, added.path);
    QList<LauncherEntry> expected = entries;
    bool replaced = false;
    for (LauncherEntry& entry : expected) {
        if (entry.label.compare(added.label, Qt::CaseInsensitive) == 0) {
            entry.path = added.path;
            replaced = true;
        }
    }
    if (!replaced)
        expected.append(added);
    if (launcher.entries() != expected)
        std::abort();
    return 0;
}
