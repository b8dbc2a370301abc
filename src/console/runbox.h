#pragma once

#include <QString>
#include <QStringList>

#include "console/runhistory.h"

namespace platform {
class Platform;
}

// The run box's list: five system tools, then the commands of the run history, then the commands run in this
// session. A command not yet listed is added and remembered in the run history when it is run.
class RunBox final
{
public:
    /// The box's text at start, not one of the items.
    static const QString InitialText;
    static QStringList designItems();

    explicit RunBox(platform::Platform& platform);

    /// Appends the run history's commands that are not items yet (exact comparison).
    void loadHistory();
    const QStringList& items() const { return m_items; }

    /// For a text that is not an item: remembers it in the run history, then appends it, and returns true
    /// (the box is then emptied). A known text changes nothing and returns false. Either way the caller then
    /// opens the text. When the history cannot be written the RegistryError leaves the items unchanged.
    bool run(const QString& text);

    /// The box's colours for the state of its colour check box.
    struct Look
    {
        QString checkCaption;
        qint32 background;
        qint32 text;
    };
    static Look look(bool inverted);

private:
    RunHistory m_history;
    QStringList m_items;
};
