#include "app/notesgrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>

#include "app/tform1.h"
#include "common/colors.h"
#include "ui_Form1.h"

namespace {

constexpr int ColumnWidth = 500;
constexpr int RowHeight = 23;
constexpr int GridLineWidth = 2;

// The grid's lines are two pixels wide, which the view's own one-pixel grid cannot draw.
class WideGridLines final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect cell = option.rect;
        const QColor line = option.palette.color(QPalette::Mid);
        painter->fillRect(cell.right() - GridLineWidth + 1, cell.top(), GridLineWidth, cell.height(), line);
        painter->fillRect(cell.left(), cell.bottom() - GridLineWidth + 1, cell.width(), GridLineWidth, line);
    }
};

} // namespace

QString noteFromStored(const QString& stored)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return stored.section(lineBreak, 0, 0);
}

NotesGrid::NotesGrid(TForm1& form, Ui::Form1& ui) : m_form(form), m_ui(ui)
{
    QTableWidget& grid = *ui.StringGrid1;
    grid.setRowCount(VisibleRows);
    grid.setColumnCount(1);
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.setShowGrid(false);
    grid.setItemDelegate(new WideGridLines(&grid));
    grid.setColumnWidth(0, ColumnWidth + GridLineWidth);
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setDefaultSectionSize(RowHeight + GridLineWidth);
    for (int row = 0; row < VisibleRows; ++row) {
        grid.setRowHeight(row, RowHeight + GridLineWidth);
        grid.setItem(row, 0, new QTableWidgetItem());
    }
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Base, colorFromTColor(clInactiveCaptionText));
    palette.setColor(QPalette::Text, Qt::red);
    grid.setPalette(palette);
    connect(&grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { cellEdited(item->row()); });
}

void NotesGrid::showRows(NoteRows& rows)
{
    m_filling = true;
    m_edited.fill(false);
    for (int i = 0; i < NoteRowCount; ++i) {
        rows[i] = noteFromStored(rows[i]);
        if (i < VisibleRows)
            m_ui.StringGrid1->item(i, 0)->setText(rows[i]);
    }
    m_filling = false;
}

void NotesGrid::collectRows(NoteRows& rows) const
{
    for (int i = 0; i < VisibleRows; ++i) {
        if (m_edited[i])
            rows[i] = m_ui.StringGrid1->item(i, 0)->text();
    }
}

void NotesGrid::cellEdited(int row)
{
    if (m_filling || row < 0 || row >= VisibleRows)
        return;
    m_edited[row] = true;
    // A row typed in this run is stored at close even when the rows were never loaded.
    m_form.noteRowsToStore[row] = true;
}
