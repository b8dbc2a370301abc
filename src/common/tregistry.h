#pragma once

#include <QString>
#include <QStringList>

#include "platform/registry.h"

// The accessor every feature uses for the registry: set the root, open a key, read or write string
// values, close. Nothing is held open between events; each handler makes its own accessor.
class TRegistry final
{
public:
    explicit TRegistry(platform::Platform& platform);

    void setRootKey(platform::Hive hive) { m_hive = hive; }
    /// Opens a key relative to the open key (or the hive when none is open); a leading "\" makes the path
    /// absolute. With canCreate a missing key is created. False when the key is missing or cannot be made.
    bool OpenKey(const QString& path, bool canCreate);
    void CloseKey();
    bool hasCurrentKey() const { return m_open; }
    QString currentPath() const { return m_path; }

    /// A missing value reads as empty text.
    QString ReadString(const QString& name) const;
    /// Creates or replaces a string value; throws RegistryError when it cannot be written.
    void WriteString(const QString& name, const QString& value);
    bool DeleteValue(const QString& name);
    bool ValueExists(const QString& name) const;
    QStringList GetValueNames() const;
    QStringList GetKeyNames() const;

private:
    platform::Registry& m_registry;
    platform::Hive m_hive = platform::Hive::CurrentUser;
    QString m_path;
    bool m_open = false;
};
