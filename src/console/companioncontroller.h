#pragma once

#include <QObject>
#include <QString>

#include "console/companionlist.h"

namespace Ui {
class CompanionGroup;
}
class Shell;

// The group "Врубать вместе с прогой": programs and files opened together with this program, once per run,
// when the window has faded in. The list lives in start.ini beside the settings file.
class CompanionController final : public QObject
{
    Q_OBJECT
public:
    CompanionController(Ui::CompanionGroup& form, Shell& shell, QObject* parent = nullptr);

    /// Reads start.ini into the list (once, while the window is made).
    void load();
    /// Opens every entry of the list, first to last, each as one name; once per run.
    void RunCompanions();

    /// Chooses a file and applies it.
    void add();
    /// Adds the box's text to the list and to start.ini; empty text shows the error indicator.
    void apply();
    /// Empties the list and removes start.ini.
    void deleteAll();

    const CompanionList& list() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::CompanionGroup& m_form;
    Shell& m_shell;
    CompanionList m_list;
    // The last file chosen in this run; a cancelled choice puts it into the box again.
    QString m_lastChosen;
    bool m_ran = false;
};
