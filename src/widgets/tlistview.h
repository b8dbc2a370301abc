#pragma once

#include <QColor>
#include <QIcon>
#include <QStringList>
#include <QWidget>

class QListView;
class QStackedLayout;
class QStandardItemModel;
class QTreeView;

// A list of rows with several columns, shown in one of four styles: large icons, small icons, a list, or a
// report with column headers. The rows and the selection are the same whichever style is shown. Keys and
// double-clicks are reported wherever they happen in the list, also over its empty part, so that the feature
// decides what they mean.
class TListView final : public QWidget
{
    Q_OBJECT
public:
    /// Numbered as the classic list view numbers its styles.
    enum class ViewStyle : int
    {
        Icon = 0,
        SmallIcon = 1,
        List = 2,
        Report = 3
    };

    explicit TListView(QWidget* parent = nullptr);
    ~TListView() override;

    void setColumns(const QStringList& captions);
    QStringList columns() const;
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;

    void setViewStyle(ViewStyle style);
    ViewStyle viewStyle() const { return m_style; }
    /// Thin lines between the report's cells.
    void setGridLines(bool on);
    bool gridLines() const { return m_gridLines; }
    /// Background and text colours of the rows.
    void setColors(const QColor& background, const QColor& text);

    void clear();
    /// Appends a row: the first text is the caption shown in every style, the others the report's columns.
    void addItem(const QStringList& texts, const QIcon& icon = QIcon());
    int count() const;
    QString text(int row, int column = 0) const;

    /// The selected row, -1 when none is.
    int selectedRow() const;
    /// Selects the row (and makes it current), or clears the selection for -1.
    void selectRow(int row);

    /// The view of the style shown now, and the two views behind the styles.
    QWidget* currentView() const;
    QTreeView* reportView() const { return m_report; }
    QListView* iconView() const { return m_icons; }

signals:
    /// The selection changed; -1 when no row is selected any more.
    void selectionChanged(int row);
    /// A double-click anywhere in the list, on a row or not.
    void doubleClicked();
    /// A key pressed while the list has the focus.
    void keyPressed(int key);
    /// The right button asked for a menu at this point on the screen.
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void emitSelection();

    QStandardItemModel* m_model;
    QTreeView* m_report;
    QListView* m_icons;
    QStackedLayout* m_stack;
    ViewStyle m_style = ViewStyle::Report;
    bool m_gridLines = false;
};
