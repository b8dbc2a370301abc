#include "common/tregistry.h"

#include "common/errors.h"
#include "common/stringlists.h"

TRegistry::TRegistry(platform::Platform& platform) : m_registry(platform.get<platform::Registry>()) {}

bool TRegistry::OpenKey(const QString& path, bool canCreate)
{
    QString full;
    if (path.startsWith(QLatin1Char('\\')))
        full = path.mid(1);
    else if (m_open && !m_path.isEmpty())
        full = path.isEmpty() ? m_path : m_path + QLatin1Char('\\') + path;
    else
        full = path;
    while (full.endsWith(QLatin1Char('\\')))
        full.chop(1);

    const std::string key = full.toStdString();
    const bool ok = canCreate ? m_registry.createKey(m_hive, key) : m_registry.keyExists(m_hive, key);
    if (ok) {
        m_path = full;
        m_open = true;
    }
    return ok;
}

void TRegistry::CloseKey()
{
    m_open = false;
    m_path.clear();
}

QString TRegistry::ReadString(const QString& name) const
{
    if (!m_open)
        return {};
    const auto value = m_registry.readString(m_hive, m_path.toStdString(), name.toStdString());
    return value ? QString::fromStdString(*value) : QString();
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    if (!m_open || !m_registry.writeString(m_hive, m_path.toStdString(), name.toStdString(), value.toStdString()))
        throw RegistryError(QStringLiteral("Failed to set data for '%1'").arg(name));
}

bool TRegistry::DeleteValue(const QString& name)
{
    return m_open && m_registry.deleteValue(m_hive, m_path.toStdString(), name.toStdString());
}

bool TRegistry::ValueExists(const QString& name) const
{
    return m_open && m_registry.valueExists(m_hive, m_path.toStdString(), name.toStdString());
}

QStringList TRegistry::GetValueNames() const
{
    return m_open ? toQStringList(m_registry.valueNames(m_hive, m_path.toStdString())) : QStringList();
}

QStringList TRegistry::GetKeyNames() const
{
    return m_open ? toQStringList(m_registry.subkeys(m_hive, m_path.toStdString())) : QStringList();
}
