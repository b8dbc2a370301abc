#include <QTest>

#include "app/tapplication.h"
#include "fakeclock.h"
#include "testworld.h"

namespace {

void showStopwatch(Ui::Form1& ui)
{
    ui.TabbedNotebook1->setCurrentWidget(ui.PageHelp);
    ui.PageControl1->setCurrentWidget(ui.TabSheet4);
}

// Lets the real Timer3 deliver whatever ticks it manages in a few milliseconds.
void refresh()
{
    QTest::qWait(40);
}

} // namespace

class StopwatchTest : public QObject
{
    Q_OBJECT

private slots:
    void startsStoppedAtItsTab()
    {
        TestWorld world;
        world.start();
        Ui::Form1& ui = world.ui();
        QCOMPARE(ui.PageControl1->currentWidget(), ui.TabSheet4);
        QCOMPARE(ui.PageControl1->tabText(3), QStringLiteral("МИЛИсекундомер"));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00.00.00.00"));
        QCOMPARE(ui.BitBtn4->text(), QStringLiteral("запуск"));
        QVERIFY(!world.form1().Timer3.isActive());
        QCOMPARE(world.form1().Timer3.interval(), 10);
    }

    void lateTicksDoNotMakeItFallBehind()
    {
        FakeClock clock;
        TestWorld world;
        world.start();
        Ui::Form1& ui = world.ui();
        showStopwatch(ui);
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        QCOMPARE(ui.BitBtn4->text(), QStringLiteral("стоп"));
        QVERIFY(world.form1().Timer3.isActive());

        clock.advanceMs(10);
        refresh();
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:00:00:01"));
        // Hours pass between two refreshes: the reading is the clock's, not a count of ticks.
        clock.advanceMs(3 * 3'600'000 + 25 * 60'000 + 7'430);
        refresh();
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("03:25:07:44"));
        clock.advanceMs(97 * 3'600'000);
        refresh();
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("100:25:07:44"));
    }

    void marksNumberedFromZeroAndStopFreezesTheReading()
    {
        FakeClock clock;
        TestWorld world;
        world.start();
        Ui::Form1& ui = world.ui();
        showStopwatch(ui);
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        clock.advanceMs(1'200);
        refresh();
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        clock.advanceMs(61'000);
        refresh();
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        QCOMPARE(ui.BitBtn4->text(), QStringLiteral("запуск"));
        QVERIFY(!world.form1().Timer3.isActive());
        clock.advanceMs(5'000);
        refresh();
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:01:02:20"));
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("0 - 00.00.00.00\n1 - 00:00:01:20\n2 - 00:01:02:20"));

        // The next start counts from zero again.
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        clock.advanceMs(10);
        refresh();
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:00:00:01"));
    }

    void markAfterTextTypedIntoTheList()
    {
        TestWorld world;
        world.start();
        Ui::Form1& ui = world.ui();
        showStopwatch(ui);
        ui.Memo4->setPlainText(QStringLiteral("typed\n"));
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("typed\n1 - 00.00.00.00"));
    }

    void resetBoxClearsTheMarksAndUnticksItself()
    {
        TestWorld world;
        world.start();
        Ui::Form1& ui = world.ui();
        showStopwatch(ui);
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QTest::mouseClick(ui.CheckBox9, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QString());
        QVERIFY(!ui.CheckBox9->isChecked());
        QTest::mouseClick(ui.CheckBox9, Qt::LeftButton);
        QVERIFY(!ui.CheckBox9->isChecked());
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("0 - 00.00.00.00"));
    }
};

TROMBUS_GUI_TEST_MAIN(StopwatchTest)
#include "stopwatch_test.moc"
