#include "widgets/tlistview.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

// Draws a cell and, when the list asks for grid lines, a thin line along its right and bottom edges.
class GridDelegate final : public QStyledItemDelegate
{
public:
    GridDelegate(const TListView* list, QObject* parent) : QStyledItemDelegate(parent), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!m_list->gridLines())
            return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect cell = option.rect;
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->restore();
    }

private:
    const TListView* m_list;
};

} // namespace

TListView::TListView(QWidget* parent)
    : QWidget(parent), m_model(new QStandardItemModel(0, 1, this)), m_report(new QTreeView(this)),
      m_icons(new QListView(this)), m_stack(new QStackedLayout(this))
{
    m_report->setObjectName(QStringLiteral("reportView"));
    m_icons->setObjectName(QStringLiteral("iconView"));
    m_report->setModel(m_model);
    m_icons->setModel(m_model);
    // One selection for both styles, so a row chosen in one is the row chosen in the other.
    m_icons->setSelectionModel(m_report->selectionModel());
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setContextMenuPolicy(Qt::NoContextMenu);
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setItemDelegate(new GridDelegate(this, m_report));
    m_report->header()->setStretchLastSection(true);
    m_report->header()->setSectionsMovable(false);
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setWrapping(true);
    m_icons->setUniformItemSizes(true);

    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_icons);
    setFocusProxy(m_report);
    connect(m_report->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TListView::emitSelection);
    setViewStyle(ViewStyle::Report);
}

TListView::~TListView() = default;

void TListView::setColumns(const QStringList& captions)
{
    m_model->setColumnCount(int(captions.size()));
    m_model->setHorizontalHeaderLabels(captions);
}

QStringList TListView::columns() const
{
    QStringList captions;
    for (int column = 0; column < m_model->columnCount(); ++column)
        captions << m_model->headerData(column, Qt::Horizontal).toString();
    return captions;
}

void TListView::setColumnWidth(int column, int width)
{
    m_report->setColumnWidth(column, width);
}

int TListView::columnWidth(int column) const
{
    return m_report->columnWidth(column);
}

void TListView::setViewStyle(ViewStyle style)
{
    m_style = style;
    if (style == ViewStyle::Report) {
        m_stack->setCurrentWidget(m_report);
        setFocusProxy(m_report);
        return;
    }
    const int small = style == ViewStyle::Icon ? 32 : 16;
    m_icons->setIconSize(QSize(small, small));
    m_icons->setViewMode(style == ViewStyle::Icon ? QListView::IconMode : QListView::ListMode);
    // Small icons run across and then down; the list runs down and then across, in columns.
    m_icons->setFlow(style == ViewStyle::List ? QListView::TopToBottom : QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setWordWrap(style == ViewStyle::Icon);
    m_icons->setSpacing(style == ViewStyle::Icon ? 6 : 2);
    // Changing the mode resets these.
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_stack->setCurrentWidget(m_icons);
    setFocusProxy(m_icons);
}

void TListView::setGridLines(bool on)
{
    m_gridLines = on;
    m_report->viewport()->update();
}

void TListView::setColors(const QColor& background, const QColor& text)
{
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, background);
        palette.setColor(QPalette::Text, text);
        view->setPalette(palette);
    }
}

void TListView::clear()
{
    m_model->removeRows(0, m_model->rowCount());
}

void TListView::addItem(const QStringList& texts, const QIcon& icon)
{
    QList<QStandardItem*> row;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        auto* item = new QStandardItem(texts.value(column));
        item->setEditable(false);
        if (column == 0 && !icon.isNull())
            item->setIcon(icon);
        row << item;
    }
    m_model->appendRow(row);
}

int TListView::count() const
{
    return m_model->rowCount();
}

QString TListView::text(int row, int column) const
{
    return m_model->index(row, column).data().toString();
}

int TListView::selectedRow() const
{
    const QModelIndexList rows = m_report->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TListView::selectRow(int row)
{
    QItemSelectionModel* selection = m_report->selectionModel();
    if (row < 0 || row >= count()) {
        selection->clearSelection();
        return;
    }
    selection->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QWidget* TListView::currentView() const
{
    return m_stack->currentWidget();
}

void TListView::emitSelection()
{
    emit selectionChanged(selectedRow());
}

bool TListView::eventFilter(QObject* watched, QEvent* event)
{
    const bool onView = watched == m_report || watched == m_icons;
    const bool onSurface = watched == m_report->viewport() || watched == m_icons->viewport();
    if (onView && event->type() == QEvent::KeyPress) {
        emit keyPressed(static_cast<QKeyEvent*>(event)->key());
    } else if (onSurface && event->type() == QEvent::MouseButtonDblClick) {
        emit doubleClicked();
    } else if ((onView || onSurface) && event->type() == QEvent::ContextMenu) {
        emit contextMenuRequested(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
