#include "platform/linux/classesroot.h"

#include <QMimeDatabase>

#include "platform/linux/caseless.h"
#include "platform/linux/desktopapps.h"
#include "platform/linux/execline.h"
#include "platform/linux/icontheme.h"

namespace platform::detail {

namespace {

constexpr int kLargeIconSize = 32;

// The file type named by a class: a MIME type, or the development environment's name for C++ source units.
QMimeType typeOfClass(const std::string& className)
{
    const QString name = QString::fromStdString(className).toLower();
    if (name == QLatin1String("bcbunit"))
        return QMimeDatabase().mimeTypeForName(QStringLiteral("text/x-c++src"));
    if (!name.contains(QLatin1Char('/')))
        return {};
    return QMimeDatabase().mimeTypeForName(name);
}

QMimeType typeOfExtension(const std::string& extension)
{
    const QString name = QString::fromStdString(extension);
    if (name.size() < 2 || !name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/')))
        return {};
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QStringLiteral("x") + name);
    return types.isEmpty() ? QMimeType() : types.first();
}

std::optional<std::string> iconLocation(const QMimeType& type)
{
    std::vector<std::string> names{type.iconName().toStdString(), type.genericIconName().toStdString()};
    const std::optional<std::string> file = findDesktopIcon(names, kLargeIconSize);
    if (!file)
        return std::nullopt;
    return *file + ",0";
}

std::optional<std::string> openCommand(const QMimeType& type)
{
    const std::optional<std::string> exec = defaultApplicationExec(type.name().toStdString());
    if (!exec)
        return std::nullopt;
    return execWithoutFieldCodes(*exec);
}

bool isPart(const std::string& part, const char* name)
{
    return equalsCaseless(part, name);
}

enum class Key
{
    None,
    Extension,
    Class,
    DefaultIcon,
    Shell,
    Open,
    Command
};

Key keyOf(const std::vector<std::string>& path, QMimeType& type)
{
    if (path.empty())
        return Key::None;
    if (path.size() == 1 && path[0].starts_with('.')) {
        type = typeOfExtension(path[0]);
        return type.isValid() ? Key::Extension : Key::None;
    }
    type = typeOfClass(path[0]);
    if (!type.isValid())
        return Key::None;
    if (path.size() == 1)
        return Key::Class;
    if (path.size() == 2 && isPart(path[1], "DefaultIcon"))
        return Key::DefaultIcon;
    if (!isPart(path[1], "shell"))
        return Key::None;
    if (path.size() == 2)
        return Key::Shell;
    if (!isPart(path[2], "open"))
        return Key::None;
    if (path.size() == 3)
        return Key::Open;
    return path.size() == 4 && isPart(path[3], "command") ? Key::Command : Key::None;
}

} // namespace

bool classesKeyExists(const std::vector<std::string>& path)
{
    QMimeType type;
    switch (keyOf(path, type)) {
    case Key::None:
        return false;
    case Key::Extension:
    case Key::Class:
        return true;
    case Key::DefaultIcon:
        return iconLocation(type).has_value();
    case Key::Shell:
    case Key::Open:
    case Key::Command:
        return openCommand(type).has_value();
    }
    return false;
}

std::optional<std::string> classesDefaultValue(const std::vector<std::string>& path)
{
    QMimeType type;
    switch (keyOf(path, type)) {
    case Key::None:
    case Key::Shell:
    case Key::Open:
        return std::nullopt;
    case Key::Extension:
        return type.name().toStdString();
    case Key::Class:
        return type.comment().toStdString();
    case Key::DefaultIcon:
        return iconLocation(type);
    case Key::Command:
        return openCommand(type);
    }
    return std::nullopt;
}

} // namespace platform::detail
