#pragma once

#include <QObject>

#include "app/settingsstore.h"

namespace Ui {
class Form1;
}
class TForm1;

/// A stored note as its row shows it: the text up to the first line break.
QString noteFromStored(const QString& stored);

// The notes grid: one column of rows the user types into, loaded from and stored to the settings store
// by the main window's activation and close.
class NotesGrid final : public QObject
{
    Q_OBJECT
public:
    static constexpr int VisibleRows = 9;

    NotesGrid(TForm1& form, Ui::Form1& ui);

    /// The rows take their first lines; the visible ones go into the cells.
    void showRows(NoteRows& rows);
    /// The cells' texts go back into the visible rows; the hidden last row keeps its text.
    void collectRows(NoteRows& rows) const;

private:
    void cellEdited(int row);

    TForm1& m_form;
    Ui::Form1& m_ui;
    bool m_filling = false;
};
