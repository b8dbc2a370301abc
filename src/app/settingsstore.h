#pragma once

#include <QString>
#include <array>
#include <vector>

#include "common/storedvalue.h"

namespace platform {
class Platform;
}
class StoredValues;

inline const QString SettingsKey =
    QStringLiteral("Software\\Windows\\Microsoft\\Policies\\CurrentVersion\\System\\Brund\\Trombus");
inline const QString MarkKey = SettingsKey + QStringLiteral("\\Mark");
inline const QString MyProgiKey = SettingsKey + QStringLiteral("\\MyProgi");

struct UsageTotals
{
    int seconds = 0;
    int minutes = 0;
    int hours = 0;
    int days = 0;
};

constexpr int NoteRowCount = 10;
using NoteRows = std::array<QString, NoteRowCount>;

// The layout of the settings key: which values are written at the first run and at close and which are read
// back at activation, each an order of names; the values themselves are declared by the features that own
// them. Every write goes through TRegistry, so a failed write raises the default error report and ends the walk.
namespace SettingsStore {

/// The key's own values: the first-run mark and the save switch.
std::vector<StoredValue> ownValues();
/// True once the first run's defaults are written.
bool firstRunDone(platform::Platform& platform);
/// The save switch as stored: restore the stored state at activation.
bool saveSwitchOn(platform::Platform& platform);
void setSaveSwitch(platform::Platform& platform, bool on);

/// The first-run values, in their order, each taken from its owner at the moment of writing.
void writeFirstRunDefaults(platform::Platform& platform, const StoredValues& values);
/// Reads and applies the restore set, one value at a time in its order; a value that throws ends it there.
void restore(platform::Platform& platform, const StoredValues& values);
/// The close set in its order; a value whose owner has nothing to store (totals never loaded) is left as stored.
void writeCloseSet(platform::Platform& platform, const StoredValues& values);

/// Writes the rows whose flag is set into `MarkKey`, leaving the other stored rows alone.
void writeNotes(platform::Platform& platform, const NoteRows& rows, const std::array<bool, NoteRowCount>& which);

/// Reads the ten rows of `MarkKey` (creating the key); missing rows read as empty.
NoteRows readNotes(platform::Platform& platform);

/// One value of the settings key (creating the key); missing reads as empty.
QString read(platform::Platform& platform, const QString& name);
void write(platform::Platform& platform, const QString& name, const QString& value);

} // namespace SettingsStore
