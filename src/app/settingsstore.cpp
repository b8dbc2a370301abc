#include "app/settingsstore.h"

#include "common/strtoint.h"
#include "common/tregistry.h"

namespace SettingsStore {
namespace {

TRegistry openSettings(platform::Platform& platform, const QString& key = SettingsKey)
{
    TRegistry registry(platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    registry.OpenKey(key, true);
    return registry;
}

void writeLauncher(TRegistry& registry, const LauncherAppearance& launcher, bool widthToo)
{
    registry.WriteString(QStringLiteral("MyPrViewStyle"), QString::number(launcher.viewStyle));
    registry.WriteString(QStringLiteral("MyPrColor"), QString::number(launcher.color));
    registry.WriteString(QStringLiteral("MyPrFontColor"), QString::number(launcher.fontColor));
    registry.WriteString(QStringLiteral("MyPrFontSize"), QString::number(launcher.fontSize));
    registry.WriteString(QStringLiteral("MyPrFontName"), launcher.fontName);
    if (widthToo)
        registry.WriteString(QStringLiteral("MyPrWL"), QString::number(launcher.firstColumnWidth));
}

void writeBounds(TRegistry& registry, const WindowSettings& window)
{
    registry.WriteString(QStringLiteral("color"), QString::number(window.color));
    registry.WriteString(QStringLiteral("maschtab"), window.scaleText);
    registry.WriteString(QStringLiteral("left"), QString::number(window.left));
    registry.WriteString(QStringLiteral("top"), QString::number(window.top));
    registry.WriteString(QStringLiteral("height"), QString::number(window.height));
    registry.WriteString(QStringLiteral("width"), QString::number(window.width));
    registry.WriteString(QStringLiteral("izik"), window.keyboardLayoutId);
    registry.WriteString(QStringLiteral("str"), QString::number(window.pageIndex));
}

} // namespace

void writeFirstRunDefaults(platform::Platform& platform, const WindowSettings& window)
{
    TRegistry registry = openSettings(platform);
    writeBounds(registry, window);
    registry.WriteString(QStringLiteral("ne1raz"), QStringLiteral("1"));
    writeLauncher(registry, window.launcher, false);
    registry.WriteString(QStringLiteral("Запускалси"), QStringLiteral("0"));
    registry.WriteString(QStringLiteral("savesetting"), QStringLiteral("1"));
    registry.WriteString(QStringLiteral("MyPrWL"), QString::number(window.launcher.firstColumnWidth));
    for (const char* name : {"rs", "rm", "rh", "rd"})
        registry.WriteString(QString::fromLatin1(name), QStringLiteral("0"));
}

void writeCloseSet(platform::Platform& platform, const WindowSettings& window, bool closeToTray,
                   const std::optional<UsageTotals>& totals)
{
    TRegistry registry = openSettings(platform);
    writeBounds(registry, window);
    registry.WriteString(QStringLiteral("noclose"), closeToTray ? QStringLiteral("1") : QStringLiteral("0"));
    writeLauncher(registry, window.launcher, true);
    if (totals) {
        registry.WriteString(QStringLiteral("rs"), QString::number(totals->seconds));
        registry.WriteString(QStringLiteral("rm"), QString::number(totals->minutes));
        registry.WriteString(QStringLiteral("rh"), QString::number(totals->hours));
        registry.WriteString(QStringLiteral("rd"), QString::number(totals->days));
    }
}

void writeNotes(platform::Platform& platform, const NoteRows& rows, const std::array<bool, NoteRowCount>& which)
{
    TRegistry registry = openSettings(platform, MarkKey);
    for (int i = 0; i < NoteRowCount; ++i) {
        if (which[i])
            registry.WriteString(QString::number(i), rows[i]);
    }
}

NoteRows readNotes(platform::Platform& platform)
{
    TRegistry registry = openSettings(platform, MarkKey);
    NoteRows rows;
    for (int i = 0; i < NoteRowCount; ++i)
        rows[i] = registry.ReadString(QString::number(i));
    return rows;
}

int countLaunch(platform::Platform& platform)
{
    TRegistry registry = openSettings(platform);
    const int count = StrToInt(registry.ReadString(QStringLiteral("Запускалси"))) + 1;
    registry.WriteString(QStringLiteral("Запускалси"), QString::number(count));
    return count;
}

QString read(platform::Platform& platform, const QString& name)
{
    return openSettings(platform).ReadString(name);
}

void write(platform::Platform& platform, const QString& name, const QString& value)
{
    TRegistry registry = openSettings(platform);
    registry.WriteString(name, value);
}

} // namespace SettingsStore
