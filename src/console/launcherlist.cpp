#include "console/launcherlist.h"

const QString LauncherList::AutomaticLabelPrefix = QStringLiteral("Программа_");

LauncherList::LauncherList(platform::Platform& platform) : m_store(platform) {}

void LauncherList::ReloadLauncherList()
{
    m_entries = m_store.entries();
    m_nextProgramNumber = int(m_entries.size()) + 1;
}

QString LauncherList::automaticLabel() const
{
    int number = m_nextProgramNumber;
    QString label = AutomaticLabelPrefix + QString::number(number);
    while (m_store.contains(label))
        label = AutomaticLabelPrefix + QString::number(++number);
    return label;
}

bool LauncherList::beginAdd(const QString& chosenPath)
{
    m_pendingProgramPath = chosenPath;
    return !m_pendingProgramPath.isEmpty();
}

QString LauncherList::acceptLabel(const QString& typed)
{
    const QString label = typed.isEmpty() ? automaticLabel() : typed;
    m_store.store(label, m_pendingProgramPath);
    ReloadLauncherList();
    return label;
}

std::optional<QString> LauncherList::launchTarget() const
{
    if (m_selectedLauncherLabel.isEmpty() || m_entries.isEmpty())
        return std::nullopt;
    return m_store.pathOf(m_selectedLauncherLabel);
}

bool LauncherList::deleteSelected()
{
    if (m_selectedLauncherLabel.isEmpty())
        return false;
    m_store.remove(m_selectedLauncherLabel);
    ReloadLauncherList();
    return true;
}
