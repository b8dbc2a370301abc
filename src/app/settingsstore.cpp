#include "app/settingsstore.h"

#include "app/storedvalues.h"
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

// The three orders of the key. A value's place here is part of what the program does: a restore that meets
// a value that is not a number stops there, so the values before it are applied and the ones after it not.
// clang-format off
constexpr std::array FirstRunOrder = {
    "color", "maschtab", "left", "top", "height", "width", "izik", "str", "ne1raz",
    "MyPrViewStyle", "MyPrColor", "MyPrFontColor", "MyPrFontSize", "MyPrFontName",
    "Запускалси", "savesetting", "MyPrWL", "rs", "rm", "rh", "rd",
};
constexpr std::array RestoreOrder = {
    "rs", "rd", "rm", "rh", "maschtab", "str", "MyPrWL", "color", "left", "top", "height", "width", "izik",
    "MyPrColor", "MyPrFontColor", "MyPrFontSize", "MyPrViewStyle", "MyPrFontName",
};
constexpr std::array CloseOrder = {
    "color", "maschtab", "left", "top", "height", "width", "izik", "str", "noclose",
    "MyPrViewStyle", "MyPrColor", "MyPrFontColor", "MyPrFontSize", "MyPrFontName", "MyPrWL",
    "rs", "rm", "rh", "rd",
};
// clang-format on

constexpr char FirstRunMark[] = "ne1raz";
constexpr char SaveSwitch[] = "savesetting";

QString switchText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

void writeOrder(platform::Platform& platform, const StoredValues& values, StoredValues::Order order,
                StoredValues::Occasion occasion)
{
    TRegistry registry = openSettings(platform);
    values.store(order, occasion,
                 [&registry](const QString& name, const QString& text) { registry.WriteString(name, text); });
}

} // namespace

std::vector<StoredValue> ownValues()
{
    // Both only ever written as the first run's "1" here; the save switch's box and the restore write it too.
    return {
        {.name = FirstRunMark, .firstRunText = "1"},
        {.name = SaveSwitch, .firstRunText = "1"},
    };
}

bool firstRunDone(platform::Platform& platform)
{
    return read(platform, QString::fromUtf8(FirstRunMark)) == QLatin1String("1");
}

bool saveSwitchOn(platform::Platform& platform)
{
    return read(platform, QString::fromUtf8(SaveSwitch)) == QLatin1String("1");
}

void setSaveSwitch(platform::Platform& platform, bool on)
{
    write(platform, QString::fromUtf8(SaveSwitch), switchText(on));
}

void writeFirstRunDefaults(platform::Platform& platform, const StoredValues& values)
{
    writeOrder(platform, values, FirstRunOrder, StoredValues::Occasion::FirstRun);
}

void restore(platform::Platform& platform, const StoredValues& values)
{
    TRegistry registry = openSettings(platform);
    values.restore(RestoreOrder, [&registry](const QString& name) { return registry.ReadString(name); });
}

void writeCloseSet(platform::Platform& platform, const StoredValues& values)
{
    writeOrder(platform, values, CloseOrder, StoredValues::Occasion::Now);
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
