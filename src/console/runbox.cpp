#include "console/runbox.h"

const QString RunBox::InitialText = QStringLiteral("taskmgr");

QStringList RunBox::designItems()
{
    return {QStringLiteral("regedit"), QStringLiteral("dxdiag"), QStringLiteral("msconfig"), QStringLiteral("cmd"),
            QStringLiteral("explorer")};
}

RunBox::RunBox(platform::Platform& platform) : m_history(platform), m_items(designItems()) {}

void RunBox::loadHistory()
{
    for (const QString& command : m_history.commands()) {
        if (!m_items.contains(command))
            m_items.append(command);
    }
}

bool RunBox::run(const QString& text)
{
    if (m_items.contains(text))
        return false;
    m_history.remember(text);
    m_items.append(text);
    return true;
}

RunBox::Look RunBox::look(bool inverted)
{
    constexpr qint32 black = 0;
    constexpr qint32 white = 16777215;
    if (inverted)
        return {QStringLiteral("2"), black, white};
    return {QStringLiteral("1"), white, black};
}
