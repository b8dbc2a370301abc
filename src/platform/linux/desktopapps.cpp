#include "platform/linux/desktopapps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

#include <map>
#include <set>
#include <vector>

#include "platform/linux/execline.h"

namespace platform::detail {

namespace {

using Section = std::map<std::string, std::string>;
using KeyFile = std::map<std::string, Section>;

// Sections and keys of a desktop entry or mimeapps.list; localised keys ("Name[ru]") are kept as they are.
KeyFile readKeyFile(const QString& path)
{
    KeyFile file;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return file;
    Section* section = nullptr;
    for (const QByteArray& raw : source.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = &file[line.mid(1, line.size() - 2).toStdString()];
            continue;
        }
        const int equals = line.indexOf('=');
        if (!section || equals <= 0)
            continue;
        (*section)[line.left(equals).trimmed().toStdString()] = line.mid(equals + 1).trimmed().toStdString();
    }
    return file;
}

std::vector<std::string> listValue(const KeyFile& file, const std::string& section, const std::string& key)
{
    std::vector<std::string> items;
    const auto found = file.find(section);
    if (found == file.end())
        return items;
    const auto value = found->second.find(key);
    if (value == found->second.end())
        return items;
    for (const QString& item : QString::fromStdString(value->second).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        items.push_back(item.trimmed().toStdString());
    return items;
}

QStringList pathList(const char* variable, const QString& fallback)
{
    QString value = qEnvironmentVariable(variable);
    if (value.isEmpty())
        value = fallback;
    QStringList folders;
    for (const QString& folder : value.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(folder))
            folders << folder;
    return folders;
}

QString homeFolder(const char* variable, const QString& underHome)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : QDir::homePath() + underHome;
}

QStringList dataFolders()
{
    return QStringList{homeFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"))} +
           pathList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
}

// The mimeapps.list files, most important first: the user's and the system's configuration, then the data
// folders; in each folder the current desktop's own list before the common one.
std::vector<KeyFile> mimeAppsLists()
{
    QStringList desktops;
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        desktops << desktop.toLower();
    QStringList folders = QStringList{homeFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"))} +
                          pathList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    for (const QString& data : dataFolders())
        folders << data + QStringLiteral("/applications");
    std::vector<KeyFile> lists;
    for (const QString& folder : folders) {
        for (const QString& desktop : desktops)
            lists.push_back(readKeyFile(folder + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list")));
        lists.push_back(readKeyFile(folder + QStringLiteral("/mimeapps.list")));
    }
    return lists;
}

bool isExecutable(const QString& program)
{
    if (program.contains(QLatin1Char('/')))
        return QFileInfo(program).isExecutable() && QFileInfo(program).isFile();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The Exec value of an installed, visible application entry.
std::optional<std::string> usableExec(const QString& path)
{
    const KeyFile file = readKeyFile(path);
    const auto entry = file.find("Desktop Entry");
    if (entry == file.end())
        return std::nullopt;
    const Section& keys = entry->second;
    const auto value = [&](const char* key) {
        const auto found = keys.find(key);
        return found == keys.end() ? std::string() : found->second;
    };
    if (value("Hidden") == "true" || (!value("Type").empty() && value("Type") != "Application"))
        return std::nullopt;
    const std::string tryExec = unescapeDesktopString(value("TryExec"));
    if (!tryExec.empty() && !isExecutable(QString::fromStdString(tryExec)))
        return std::nullopt;
    const std::string exec = unescapeDesktopString(value("Exec"));
    if (exec.empty())
        return std::nullopt;
    return exec;
}

// A desktop file id ("org.gnome.gedit.desktop", or "kde-kate.desktop" for applications/kde/kate.desktop).
std::optional<std::string> execOfId(const std::string& id)
{
    const QString name = QString::fromStdString(id);
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return std::nullopt;
    for (const QString& data : dataFolders()) {
        const QString folder = data + QStringLiteral("/applications/");
        for (const QString& candidate : {name, QString(name).replace(QLatin1Char('-'), QLatin1Char('/'))}) {
            if (QFileInfo::exists(folder + candidate))
                return usableExec(folder + candidate);
        }
    }
    return std::nullopt;
}

// Applications whose entries list the type, in the order of the data folders and then of their file names.
std::vector<QString> entriesTaking(const std::string& mimeType)
{
    std::vector<QString> paths;
    for (const QString& data : dataFolders()) {
        QStringList found;
        QDirIterator files(data + QStringLiteral("/applications"), {QStringLiteral("*.desktop")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            found << files.next();
        found.sort();
        for (const QString& path : found) {
            for (const std::string& type : listValue(readKeyFile(path), "Desktop Entry", "MimeType"))
                if (type == mimeType) {
                    paths.push_back(path);
                    break;
                }
        }
    }
    return paths;
}

} // namespace

std::optional<std::string> defaultApplicationExec(const std::string& mimeType)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(QString::fromStdString(mimeType));
    std::vector<std::string> chain{mimeType};
    if (type.isValid())
        for (const QString& ancestor : type.allAncestors())
            if (ancestor != QLatin1String("application/octet-stream"))
                chain.push_back(ancestor.toStdString());

    const std::vector<KeyFile> lists = mimeAppsLists();
    const auto removedFor = [&](const std::string& mime) {
        std::set<std::string> removed;
        for (const KeyFile& list : lists)
            for (const std::string& id : listValue(list, "Removed Associations", mime))
                removed.insert(id);
        return removed;
    };
    for (const std::string& mime : chain) {
        const std::set<std::string> removed = removedFor(mime);
        for (const KeyFile& list : lists)
            for (const std::string& id : listValue(list, "Default Applications", mime))
                if (!removed.count(id))
                    if (auto exec = execOfId(id))
                        return exec;
    }
    for (const std::string& mime : chain) {
        const std::set<std::string> removed = removedFor(mime);
        for (const KeyFile& list : lists)
            for (const std::string& id : listValue(list, "Added Associations", mime))
                if (!removed.count(id))
                    if (auto exec = execOfId(id))
                        return exec;
        for (const QString& path : entriesTaking(mime))
            if (!removed.count(QFileInfo(path).fileName().toStdString()))
                if (auto exec = usableExec(path))
                    return exec;
    }
    return std::nullopt;
}

} // namespace platform::detail
