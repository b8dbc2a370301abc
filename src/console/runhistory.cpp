#include "console/runhistory.h"

#include "common/tregistry.h"

const QString RunHistory::KeyPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU");
const QString RunHistory::MruListName = QStringLiteral("MRUList");
const QString RunHistory::NamePrefix = QStringLiteral("Brund_");
const QString RunHistory::Marker = QStringLiteral(":)");

namespace {

TRegistry openHistory(platform::Platform& platform)
{
    TRegistry registry(platform);
    registry.setRootKey(platform::Hive::CurrentUser);
    registry.OpenKey(RunHistory::KeyPath, true);
    return registry;
}

} // namespace

RunHistory::RunHistory(platform::Platform& platform) : m_platform(platform) {}

QStringList RunHistory::commands() const
{
    const TRegistry registry = openHistory(m_platform);
    QStringList commands;
    for (const QString& name : registry.GetValueNames()) {
        if (name == MruListName)
            continue;
        QString data = registry.ReadString(name);
        data.chop(2);
        commands.append(data);
    }
    return commands;
}

QString RunHistory::remember(const QString& command)
{
    TRegistry registry = openHistory(m_platform);
    qsizetype number = registry.GetValueNames().size();
    QString name = NamePrefix + QString::number(number);
    while (registry.ValueExists(name))
        name = NamePrefix + QString::number(++number);
    registry.WriteString(name, command + Marker);
    return name;
}
