#include <QHeaderView>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "app/notesgrid.h"
#include "app/tapplication.h"
#include "closepaths.h"
#include "testworld.h"
#include "ui_RemindPage.h"

namespace {

// Types into a cell the way a user does: select it, open the in-place editor, type, press Enter; true when
// the cell then holds the text.
bool typeNote(TestWorld& world, int row, const QString& latinText)
{
    QTableWidget* grid = world.remindPage().StringGrid1;
    grid->setFocus();
    grid->setCurrentCell(row, 0);
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == grid)
        return false;
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, latinText);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the editor's text after the key press has been handled.
    return QTest::qWaitFor([&] { return grid->item(row, 0)->text() == latinText; });
}

/// Opens the cell's editor and types into it without ending the editing; the editor, or null.
QWidget* startTyping(TestWorld& world, int row, const QString& latinText)
{
    QTableWidget* grid = world.remindPage().StringGrid1;
    world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageRemind);
    grid->setFocus();
    grid->setCurrentCell(row, 0);
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == grid)
        return nullptr;
    QTest::keyClicks(editor, latinText);
    return editor;
}

} // namespace

class NotesTest : public QObject
{
    Q_OBJECT

private slots:
    void gridLooksAsDesigned()
    {
        TestWorld world;
        QVERIFY(world.start());
        QTableWidget* grid = world.remindPage().StringGrid1;
        QCOMPARE(world.remindPage().GroupBox18->title(), QStringLiteral("Заметки"));
        QCOMPARE(grid->rowCount(), NotesGrid::VisibleRows);
        QCOMPARE(grid->columnCount(), 1);
        QCOMPARE(grid->columnWidth(0), 502);
        QCOMPARE(grid->rowHeight(0), 25);
        QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(grid->horizontalHeader()->isHidden());
        QCOMPARE(grid->toolTip(), QStringLiteral("твай зАметкы"));
        QCOMPARE(grid->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(grid->font().bold());
        QCOMPARE(grid->palette().color(QPalette::Text), QColor(Qt::red));
        // Below the timer and the alarm clock.
        QVERIFY(world.remindPage().GroupBox18->y() > world.remindPage().GroupBox12->geometry().bottom());
    }

    void rowsAndColumnsResizeByDraggingTheirLines_data()
    {
        QTest::addColumn<bool>("column");
        QTest::addColumn<int>("by");
        QTest::newRow("row taller") << false << 12;
        QTest::newRow("row lower, not below the least height") << false << -100;
        QTest::newRow("column narrower") << true << -150;
        QTest::newRow("column wider") << true << 40;
    }

    void rowsAndColumnsResizeByDraggingTheirLines()
    {
        QFETCH(bool, column);
        QFETCH(int, by);
        TestWorld world;
        QVERIFY(world.start());
        QTableWidget* grid = world.remindPage().StringGrid1;
        QWidget* surface = grid->viewport();
        grid->setCurrentCell(8, 0);
        const int row1 = grid->rowHeight(1);
        const int before = column ? grid->columnWidth(0) : grid->rowHeight(2);
        // The line at the right of the column, or under row 2, a little inside the grid.
        const QPoint line = column ? QPoint(grid->columnWidth(0) - 1, grid->rowViewportPosition(4) + 5)
                                   : QPoint(40, grid->rowViewportPosition(2) + grid->rowHeight(2) - 1);
        const QPoint to = line + (column ? QPoint(by, 0) : QPoint(0, by));

        QTest::mouseMove(surface, line);
        QCOMPARE(surface->cursor().shape(), column ? Qt::SplitHCursor : Qt::SplitVCursor);
        QTest::mousePress(surface, Qt::LeftButton, {}, line);
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, to);

        const int after = column ? grid->columnWidth(0) : grid->rowHeight(2);
        QCOMPARE(after, std::max(4, before + by));
        QCOMPARE(grid->rowHeight(1), row1);
        // The press was the line's, not a cell's: the current cell stays.
        QCOMPARE(grid->currentRow(), 8);
        // Away from the lines the grid keeps its hand cursor, and a press there is a cell's own.
        const QPoint cell(40, grid->rowViewportPosition(5) + grid->rowHeight(5) / 2);
        QTest::mouseMove(surface, cell);
        QCOMPARE(surface->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(surface, Qt::LeftButton, {}, cell);
        QCOMPARE(grid->currentRow(), 5);
    }

    void noteTypedInRowThreeSurvivesCloseAndStart()
    {
        TestWorld first;
        QVERIFY(first.start());
        QVERIFY(typeNote(first, 3, QStringLiteral("buy bread")));
        QCOMPARE(first.remindPage().StringGrid1->item(3, 0)->text(), QStringLiteral("buy bread"));
        first.form1().close();
        QCOMPARE(first.stored(QStringLiteral("3"), MarkKey), QStringLiteral("buy bread"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.remindPage().StringGrid1->item(3, 0)->text(), QStringLiteral("buy bread"));
    }

    void noteStillBeingTypedIsStoredByEveryClosePath_data()
    {
        QTest::addColumn<ClosePath>("path");
        QTest::addColumn<bool>("asks");
        QTest::newRow("title bar or Alt+F4") << ClosePath::WindowClose << true;
        QTest::newRow("exit button") << ClosePath::ExitButton << true;
        QTest::newRow("menu \"Закрыть\"") << ClosePath::MenuClose << true;
        QTest::newRow("tray menu \"Закрыть\"") << ClosePath::TrayClose << true;
        QTest::newRow("console \"close\"") << ClosePath::ConsoleClose << true;
        QTest::newRow("console \"close 1\"") << ClosePath::ConsoleQuietClose << false;
    }

    void noteStillBeingTypedIsStoredByEveryClosePath()
    {
        QFETCH(ClosePath, path);
        QFETCH(bool, asks);
        TestWorld first;
        QVERIFY(first.start());
        QSignalSpy ending(&first.form1(), &TForm1::programEnding);
        QWidget* editor = startTyping(first, 3, QStringLiteral("buy milk"));
        QVERIFY(editor);
        QVERIFY(first.remindPage().StringGrid1->item(3, 0)->text().isEmpty());

        closeBy(first, path);

        QCOMPARE(first.dialogs.questions().size(), asks ? 1 : 0);
        QTRY_COMPARE(ending.count(), 1);
        QCOMPARE(first.stored(QStringLiteral("3"), MarkKey), QStringLiteral("buy milk"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.remindPage().StringGrid1->item(3, 0)->text(), QStringLiteral("buy milk"));
    }

    void noteBeingTypedIsStoredAndStaysInItsEditorWhenTheUserStays()
    {
        TestWorld world;
        QVERIFY(world.start());
        QPointer<QWidget> editor = startTyping(world, 6, QStringLiteral("half"));
        QVERIFY(editor);
        world.dialogs.answerNo();

        world.form1().windowHandle()->close();

        QCOMPARE(world.stored(QStringLiteral("6"), MarkKey), QStringLiteral("half"));
        // The user goes on typing where they were.
        QVERIFY(editor);
        QVERIFY(editor->hasFocus());
        QTest::keyClicks(editor, QStringLiteral(" more"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(world.remindPage().StringGrid1->item(6, 0)->text(), QStringLiteral("half more"));
    }

    void storedLineBreakShowsAndKeepsOnlyTheFirstLine()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("1"), QStringLiteral("первая\r\nвторая"), MarkKey);
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.remindPage().StringGrid1->item(1, 0)->text(), QStringLiteral("первая"));
        second.form1().close();
        QCOMPARE(second.stored(QStringLiteral("1"), MarkKey), QStringLiteral("первая"));
    }

    void hiddenRowNineSurvivesEveryStartAndClose()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("9"), QStringLiteral("девятая"), MarkKey);
        const QString folder = first.configDir();
        first.stop();
        for (int run = 0; run < 2; ++run) {
            TestWorld next({}, folder);
            QVERIFY(next.start());
            QVERIFY(typeNote(next, 8, QStringLiteral("x")));
            next.form1().close();
            QCOMPARE(next.stored(QStringLiteral("9"), MarkKey), QStringLiteral("девятая"));
        }
    }

    void returningToTheWindowReplacesUnsavedEdits()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.store(QStringLiteral("2"), QStringLiteral("stored"), MarkKey);
        QVERIFY(typeNote(world, 2, QStringLiteral("typed")));
        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));
        QCOMPARE(world.remindPage().StringGrid1->item(2, 0)->text(), QStringLiteral("stored"));
    }

    void withTheSaveSwitchOffOnlyTypedRowsAreStored()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("0"), QStringLiteral("keep me"), MarkKey);
        first.store(QStringLiteral("savesetting"), QStringLiteral("0"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(second.remindPage().StringGrid1->item(0, 0)->text().isEmpty());
        QVERIFY(typeNote(second, 4, QStringLiteral("fresh")));
        second.form1().close();
        QCOMPARE(second.stored(QStringLiteral("0"), MarkKey), QStringLiteral("keep me"));
        QCOMPARE(second.stored(QStringLiteral("4"), MarkKey), QStringLiteral("fresh"));
    }

    void clearingACellStoresAnEmptyRow()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("5"), QStringLiteral("old"), MarkKey);
        QVERIFY(returnToMainWindow(first, first.form1().aboutWindow()));
        QCOMPARE(first.remindPage().StringGrid1->item(5, 0)->text(), QStringLiteral("old"));
        QVERIFY(typeNote(first, 5, QString()));
        QCOMPARE(first.remindPage().StringGrid1->item(5, 0)->text(), QString());
        first.form1().close();
        QCOMPARE(first.stored(QStringLiteral("5"), MarkKey), QString());
        QVERIFY(first.storedNames(MarkKey).contains(QStringLiteral("5")));
    }
};

TROMBUS_GUI_TEST_MAIN(NotesTest)
#include "notes_test.moc"
