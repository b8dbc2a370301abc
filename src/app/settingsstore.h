#pragma once

#include <QString>
#include <array>
#include <optional>

#include "common/colors.h"
#include "console/launcherlook.h"

namespace platform {
class Platform;
}

inline const QString SettingsKey =
    QStringLiteral("Software\\Windows\\Microsoft\\Policies\\CurrentVersion\\System\\Brund\\Trombus");
inline const QString MarkKey = SettingsKey + QStringLiteral("\\Mark");
inline const QString MyProgiKey = SettingsKey + QStringLiteral("\\MyProgi");

// The window values that go to the store, taken from the live window at the moment of writing.
struct WindowSettings
{
    qint32 color = 0;
    QString scaleText; // the text of the scale edit, as typed
    int left = 0;
    int top = 0;
    int height = 0;
    int width = 0;
    QString keyboardLayoutId;
    int pageIndex = 0;
    LauncherAppearance launcher;
};

struct UsageTotals
{
    int seconds = 0;
    int minutes = 0;
    int hours = 0;
    int days = 0;
};

constexpr int NoteRowCount = 10;
using NoteRows = std::array<QString, NoteRowCount>;

// The layout of the settings key: which values are written at the first run and at close, in order.
// Every write goes through TRegistry, so a failed write raises the default error report.
namespace SettingsStore {

/// The 21 first-run values, in their order; "Запускалси" starts at "0".
void writeFirstRunDefaults(platform::Platform& platform, const WindowSettings& window);

/// The close set in its order. Totals that were never loaded in this run are left as stored.
void writeCloseSet(platform::Platform& platform, const WindowSettings& window, bool closeToTray,
                   const std::optional<UsageTotals>& totals);

/// Writes the rows whose flag is set into `MarkKey`, leaving the other stored rows alone.
void writeNotes(platform::Platform& platform, const NoteRows& rows, const std::array<bool, NoteRowCount>& which);

/// Reads the ten rows of `MarkKey` (creating the key); missing rows read as empty.
NoteRows readNotes(platform::Platform& platform);

/// Reads "Запускалси", adds one and writes it back; throws ConvertError when it is not an integer.
int countLaunch(platform::Platform& platform);

/// One value of the settings key (creating the key); missing reads as empty.
QString read(platform::Platform& platform, const QString& name);
void write(platform::Platform& platform, const QString& name, const QString& value);

} // namespace SettingsStore
