#pragma once

#include <QObject>

#include "app/settingsstore.h"

namespace Ui {
class RemindPage;
}
class QStyledItemDelegate;

/// A stored note as its row shows it: the text up to the first line break.
QString noteFromStored(const QString& stored);

// The notes grid: one column of rows the user types into, loaded from and stored to the settings store
// by the main window's activation and close.
class NotesGrid final : public QObject
{
    Q_OBJECT
public:
    static constexpr int VisibleRows = 9;

    explicit NotesGrid(Ui::RemindPage& ui);

    /// The stored rows replace the current ones, and all of them are written back at close.
    void load(const NoteRows& stored);
    /// The rows take their first lines; the visible ones go into the cells.
    void showRows();
    /// The texts of the cells typed into since the rows were shown, an open cell editor's included, go back
    /// into their rows; the others, and the hidden last row, keep their texts.
    void collectRows();

    NoteRows rows;
    /// Rows written at close: all after a load, otherwise only those typed into in this run.
    std::array<bool, NoteRowCount> rowsToStore{};

private:
    void cellEdited(int row);

    Ui::RemindPage& m_ui;
    QStyledItemDelegate* m_delegate = nullptr;
    bool m_filling = false;
    std::array<bool, VisibleRows> m_edited{};
};
