#include "console/launcherstore.h"

#include "common/tregistry.h"

const QString LauncherStore::KeyPath =
    QStringLiteral("Software\\Windows\\Microsoft\\Policies\\CurrentVersion\\System\\Brund\\Trombus\\MyProgi");

namespace {

TRegistry openEntries(platform::Platform& platform)
{
    TRegistry registry(platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    registry.OpenKey(LauncherStore::KeyPath, true);
    return registry;
}

} // namespace

LauncherStore::LauncherStore(platform::Platform& platform) : m_platform(platform) {}

QList<LauncherEntry> LauncherStore::entries() const
{
    const TRegistry registry = openEntries(m_platform);
    QList<LauncherEntry> entries;
    for (const QString& label : registry.GetValueNames())
        entries.append({label, registry.ReadString(label)});
    return entries;
}

void LauncherStore::store(const QString& label, const QString& path)
{
    TRegistry registry = openEntries(m_platform);
    registry.WriteString(label, path);
}

QString LauncherStore::pathOf(const QString& label) const
{
    return openEntries(m_platform).ReadString(label);
}

bool LauncherStore::contains(const QString& label) const
{
    return openEntries(m_platform).ValueExists(label);
}

bool LauncherStore::remove(const QString& label)
{
    TRegistry registry = openEntries(m_platform);
    return registry.DeleteValue(label);
}
