#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "console/launcherstore.h"

// The launcher list's state: the entries as last read from the registry, the number for the next automatic
// label, the path waiting for its label and the label the user last selected.
class LauncherList final
{
public:
    static const QString AutomaticLabelPrefix;

    explicit LauncherList(platform::Platform& platform);

    /// Reads the entries again; the next number becomes their count plus 1. The selection is kept.
    void ReloadLauncherList();
    const QList<LauncherEntry>& entries() const { return m_entries; }
    int NextProgramNumber() const { return m_nextProgramNumber; }

    /// "Программа_" and the next number; a number whose label is already stored (after an entry before it was
    /// deleted) is passed over, so that accepting the proposal never replaces another entry.
    QString automaticLabel() const;

    /// Takes the path the file dialog returned; false when it is empty (the dialog was cancelled).
    bool beginAdd(const QString& chosenPath);
    const QString& PendingProgramPath() const { return m_pendingProgramPath; }
    /// Stores the pending path under the typed label, or under the automatic label when none was typed, then
    /// reloads. Returns the label used. A label typed as one already stored replaces that entry's path.
    /// Throws RegistryError when the entry cannot be written; the list is then not reloaded.
    QString acceptLabel(const QString& typed);

    void select(const QString& label) { m_selectedLauncherLabel = label; }
    const QString& SelectedLauncherLabel() const { return m_selectedLauncherLabel; }

    /// The stored path of the selected entry, empty when it is no longer stored; nothing when no entry was
    /// selected or the list is empty (the error indicator is shown instead).
    std::optional<QString> launchTarget() const;
    /// Deletes the selected entry without asking and reloads; false, deleting nothing, when no entry was
    /// selected (the error indicator is shown instead). The selection keeps the deleted label.
    bool deleteSelected();

private:
    LauncherStore m_store;
    QList<LauncherEntry> m_entries;
    int m_nextProgramNumber = 1;
    QString m_pendingProgramPath;
    QString m_selectedLauncherLabel;
};
