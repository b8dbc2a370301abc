#include "app/notesgrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <cstdlib>
#include <optional>

#include "common/colors.h"
#include "common/guardedconnect.h"
#include "ui_RemindPage.h"

namespace {

constexpr int ColumnWidth = 500;
constexpr int RowHeight = 23;
constexpr int GridLineWidth = 2;

// The grid's lines are two pixels wide, which the view's own one-pixel grid cannot draw. The delegate also
// knows the cell editor that is open, whose text the grid has not taken yet.
class WideGridLines final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_editor = editor;
        m_editing = index;
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor == m_editor)
            m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    /// The open editor's text goes into its cell, as Enter would put it there; the editor stays open.
    void commitOpenEditor(QAbstractItemModel* model) const
    {
        if (m_editor && m_editing.isValid())
            setModelData(m_editor, model, m_editing);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect cell = option.rect;
        const QColor line = option.palette.color(QPalette::Mid);
        painter->fillRect(cell.right() - GridLineWidth + 1, cell.top(), GridLineWidth, cell.height(), line);
        painter->fillRect(cell.left(), cell.bottom() - GridLineWidth + 1, cell.width(), GridLineWidth, line);
    }

private:
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editing;
};

// The grid has no fixed row or column to hold sizing handles, so its own lines are the handles: a press on a
// row's bottom line or a column's right line drags that line.
class GridLineSizer final : public QObject
{
public:
    // The viewport outlives the grid's own destructor and still gets events while the grid is taken apart, so the
    // filter keeps the viewport itself and asks the grid nothing until a mouse event comes.
    explicit GridLineSizer(QTableWidget& grid) : QObject(&grid), m_grid(grid), m_viewport(grid.viewport())
    {
        m_viewport->setMouseTracking(true);
        m_viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_viewport)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return press(static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return move(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            return release();
        case QEvent::Leave:
            if (!m_drag)
                m_viewport->unsetCursor();
            return false;
        default:
            return false;
        }
    }

private:
    struct Line
    {
        Qt::Orientation orientation; // Horizontal: a column's right line; Vertical: a row's bottom line
        int section;
    };
    struct Drag
    {
        Line line;
        int startPosition;
        int startSize;
    };

    static constexpr int Reach = 3;
    static constexpr int LeastSize = 4;

    std::optional<Line> lineAt(const QPoint& at) const
    {
        for (int column = 0; column < m_grid.columnCount(); ++column) {
            const int edge = m_grid.columnViewportPosition(column) + m_grid.columnWidth(column);
            if (std::abs(at.x() - edge) <= Reach)
                return Line{Qt::Horizontal, column};
        }
        for (int row = 0; row < m_grid.rowCount(); ++row) {
            const int edge = m_grid.rowViewportPosition(row) + m_grid.rowHeight(row);
            if (std::abs(at.y() - edge) <= Reach)
                return Line{Qt::Vertical, row};
        }
        return std::nullopt;
    }

    static int along(Qt::Orientation orientation, const QPoint& at)
    {
        return orientation == Qt::Horizontal ? at.x() : at.y();
    }

    int sizeOf(const Line& line) const
    {
        return line.orientation == Qt::Horizontal ? m_grid.columnWidth(line.section) : m_grid.rowHeight(line.section);
    }

    bool press(QMouseEvent* event)
    {
        const QPoint at = event->position().toPoint();
        const std::optional<Line> line = lineAt(at);
        if (event->button() != Qt::LeftButton || !line)
            return false;
        m_drag = Drag{*line, along(line->orientation, at), sizeOf(*line)};
        return true;
    }

    bool move(QMouseEvent* event)
    {
        const QPoint at = event->position().toPoint();
        if (!m_drag) {
            const std::optional<Line> line = lineAt(at);
            if (!line)
                m_viewport->unsetCursor();
            else
                m_viewport->setCursor(line->orientation == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
            return false;
        }
        const int size =
            std::max(LeastSize, m_drag->startSize + along(m_drag->line.orientation, at) - m_drag->startPosition);
        if (m_drag->line.orientation == Qt::Horizontal)
            m_grid.setColumnWidth(m_drag->line.section, size);
        else
            m_grid.setRowHeight(m_drag->line.section, size);
        return true;
    }

    bool release()
    {
        if (!m_drag)
            return false;
        m_drag.reset();
        return true;
    }

    QTableWidget& m_grid;
    QWidget* const m_viewport;
    std::optional<Drag> m_drag;
};

} // namespace

QString noteFromStored(const QString& stored)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return stored.section(lineBreak, 0, 0);
}

NotesGrid::NotesGrid(Ui::RemindPage& ui) : m_ui(ui)
{
    QTableWidget& grid = *ui.StringGrid1;
    grid.setRowCount(VisibleRows);
    grid.setColumnCount(1);
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.setShowGrid(false);
    m_delegate = new WideGridLines(&grid);
    grid.setItemDelegate(m_delegate);
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
    new GridLineSizer(grid);
    connectGuarded(&grid, &QTableWidget::itemChanged, this,
                   [this](QTableWidgetItem* item) { cellEdited(item->row()); });
}

void NotesGrid::load(const NoteRows& stored)
{
    rows = stored;
    rowsToStore.fill(true);
}

void NotesGrid::showRows()
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

void NotesGrid::collectRows()
{
    // A cell still being typed in counts with what it shows: closing the window does not end its editing.
    static_cast<WideGridLines*>(m_delegate)->commitOpenEditor(m_ui.StringGrid1->model());
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
    rowsToStore[row] = true;
}
