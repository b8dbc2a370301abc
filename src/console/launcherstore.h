#pragma once

#include <QList>
#include <QString>

namespace platform {
class Platform;
}

struct LauncherEntry
{
    QString label;
    QString path;
    bool operator==(const LauncherEntry&) const = default;
};

// The launcher's entries in the registry: the subkey "MyProgi" of the settings key, one string value per
// entry named by its label (compared without regard to case, as value names are) with the path as data.
// Every call opens the key, creating it when missing, and drops it again.
class LauncherStore final
{
public:
    static const QString KeyPath;

    explicit LauncherStore(platform::Platform& platform);

    /// The entries in the order the key lists its values.
    QList<LauncherEntry> entries() const;
    /// Creates the entry or replaces the path of the entry of that label; throws RegistryError
    /// "Failed to set data for '<label>'" when it cannot be written.
    void store(const QString& label, const QString& path);
    /// The stored path, empty when there is no such entry.
    QString pathOf(const QString& label) const;
    bool contains(const QString& label) const;
    /// False when there was no such entry.
    bool remove(const QString& label);

private:
    platform::Platform& m_platform;
};
