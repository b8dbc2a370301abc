#pragma once

#include <QObject>

#include "console/runbox.h"

namespace Ui {
class RunBoxGroup;
}
class Shell;

// The run box at the top of the main page: what is typed or picked is opened as one name, the way the shell's
// "open" verb takes it; a command not listed yet joins the list and the run history first.
class RunBoxController final : public QObject
{
    Q_OBJECT
public:
    RunBoxController(Ui::RunBoxGroup& form, Shell& shell, QObject* parent = nullptr);

    /// Appends the run history's commands to the list (once, at the end of the window's creation).
    void loadHistory();

    /// "ДА": runs the box's text.
    void Button2Click();
    /// The colour switch "1"/"2".
    void conslClick();
    /// A row picked in the box's open list: runs it at once. Rows reached by moving through the closed box
    /// with the arrow keys or the wheel start nothing.
    void ComboBox1Picked();

    const RunBox& runBox() const { return m_box; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::RunBoxGroup& m_form;
    Shell& m_shell;
    RunBox m_box;
    // True from the moment the open list closes until the events of that moment are handled.
    bool m_listJustClosed = false;
};
