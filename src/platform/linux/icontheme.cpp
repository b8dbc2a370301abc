#include "platform/linux/icontheme.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QSettings>

#include <climits>
#include <cstdlib>

namespace platform::detail {

namespace {

struct ThemeFolder
{
    QString path;
    int size = 0;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;
    QString type;
};

struct Theme
{
    QStringList inherits;
    std::vector<ThemeFolder> folders;
};

QStringList toQStrings(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}

QStringList extensions()
{
    QStringList list{QStringLiteral("png"), QStringLiteral("xpm")};
    if (QImageReader::supportedImageFormats().contains("svg"))
        list << QStringLiteral("svg");
    return list;
}

// The theme's index in the first base folder that has one; nothing when the theme is not installed.
std::optional<Theme> readTheme(const QString& name, const QStringList& bases)
{
    for (const QString& base : bases) {
        const QString index = base + QLatin1Char('/') + name + QStringLiteral("/index.theme");
        if (!QFileInfo::exists(index))
            continue;
        QSettings file(index, QSettings::IniFormat);
        Theme theme;
        file.beginGroup(QStringLiteral("Icon Theme"));
        theme.inherits = file.value(QStringLiteral("Inherits")).toStringList();
        const QStringList folders = file.value(QStringLiteral("Directories")).toStringList();
        file.endGroup();
        for (const QString& path : folders) {
            file.beginGroup(path);
            ThemeFolder folder;
            folder.path = path;
            folder.size = file.value(QStringLiteral("Size")).toInt();
            folder.minSize = file.value(QStringLiteral("MinSize"), folder.size).toInt();
            folder.maxSize = file.value(QStringLiteral("MaxSize"), folder.size).toInt();
            folder.threshold = file.value(QStringLiteral("Threshold"), 2).toInt();
            folder.type = file.value(QStringLiteral("Type"), QStringLiteral("Threshold")).toString();
            const int scale = file.value(QStringLiteral("Scale"), 1).toInt();
            file.endGroup();
            if (scale == 1 && folder.size > 0)
                theme.folders.push_back(folder);
        }
        return theme;
    }
    return std::nullopt;
}

bool matchesSize(const ThemeFolder& folder, int size)
{
    if (folder.type == QLatin1String("Fixed"))
        return folder.size == size;
    if (folder.type == QLatin1String("Scalable"))
        return folder.minSize <= size && size <= folder.maxSize;
    return folder.size - folder.threshold <= size && size <= folder.size + folder.threshold;
}

int sizeDistance(const ThemeFolder& folder, int size)
{
    int low = folder.size;
    int high = folder.size;
    if (folder.type == QLatin1String("Scalable")) {
        low = folder.minSize;
        high = folder.maxSize;
    } else if (folder.type != QLatin1String("Fixed")) {
        low = folder.size - folder.threshold;
        high = folder.size + folder.threshold;
    }
    return size < low ? low - size : size > high ? size - high : 0;
}

QString fileIn(const QString& folder, const QString& name)
{
    for (const QString& extension : extensions()) {
        const QString path = folder + QLatin1Char('/') + name + QLatin1Char('.') + extension;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString lookUp(const Theme& theme, const QString& themeName, const QString& name, int size, const QStringList& bases)
{
    for (const ThemeFolder& folder : theme.folders) {
        if (!matchesSize(folder, size))
            continue;
        for (const QString& base : bases)
            if (QString path = fileIn(base + QLatin1Char('/') + themeName + QLatin1Char('/') + folder.path, name);
                !path.isEmpty())
                return path;
    }
    QString closest;
    int best = INT_MAX;
    for (const ThemeFolder& folder : theme.folders) {
        const int distance = sizeDistance(folder, size);
        if (distance >= best)
            continue;
        for (const QString& base : bases)
            if (QString path = fileIn(base + QLatin1Char('/') + themeName + QLatin1Char('/') + folder.path, name);
                !path.isEmpty()) {
                closest = path;
                best = distance;
                break;
            }
    }
    return closest;
}

// The theme and everything it inherits, depth first, then hicolor, each once.
void addWithParents(const QString& name, const QStringList& bases, QStringList& chain)
{
    if (name.isEmpty() || chain.contains(name) || name == QLatin1String("hicolor"))
        return;
    const std::optional<Theme> theme = readTheme(name, bases);
    if (!theme)
        return;
    chain << name;
    for (const QString& parent : theme->inherits)
        addWithParents(parent, bases, chain);
}

} // namespace

std::optional<std::string> findThemeIcon(const std::vector<std::string>& names, int size, const std::string& theme,
                                         const std::vector<std::string>& baseFolders)
{
    const QStringList bases = toQStrings(baseFolders);
    const QStringList wanted = toQStrings(names);
    QStringList chain;
    addWithParents(QString::fromStdString(theme), bases, chain);
    chain << QStringLiteral("hicolor");
    for (const QString& themeName : chain) {
        const std::optional<Theme> read = readTheme(themeName, bases);
        if (!read)
            continue;
        for (const QString& name : wanted)
            if (const QString path = lookUp(*read, themeName, name, size, bases); !path.isEmpty())
                return path.toStdString();
    }
    for (const QString& name : wanted)
        for (const QString& base : bases)
            if (const QString path = fileIn(base, name); !path.isEmpty())
                return path.toStdString();
    return std::nullopt;
}

std::optional<std::string> findDesktopIcon(const std::vector<std::string>& names, int size)
{
    std::vector<std::string> bases{QDir::homePath().toStdString() + "/.icons"};
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& folder : QStringList{dataHome} + dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(folder))
            bases.push_back(folder.toStdString() + "/icons");
    bases.push_back("/usr/share/pixmaps");
    // Without a desktop, Qt names only the bare hicolor theme; the system's default theme then stands in, and
    // where the system names none either, the themes the common desktops install.
    std::string theme;
    if (qGuiApp)
        theme = QIcon::themeName().toStdString();
    if (theme.empty() || theme == "hicolor")
        theme = "default";
    for (const std::string& candidate : {theme, std::string("Adwaita"), std::string("breeze")}) {
        if (auto file = findThemeIcon(names, size, candidate, bases))
            return file;
    }
    return std::nullopt;
}

} // namespace platform::detail
