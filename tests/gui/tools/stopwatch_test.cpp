#include <QTest>

#include "app/tapplication.h"
#include "fakeclock.h"
#include "testworld.h"
#include "ui_HelpPage.h"

namespace {

void showStopwatch(TestWorld& world)
{
    world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
    world.helpPage().PageControl1->setCurrentWidget(world.helpPage().TabSheet4);
}

// One tick of Timer3, as the message loop would deliver it.
bool tick(TestWorld& world)
{
    return QMetaObject::invokeMethod(&world.features().Timer3, "timeout");
}

} // namespace

class StopwatchTest : public QObject
{
    Q_OBJECT

private slots:
    void startsStoppedAtItsTab()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        QCOMPARE(ui.PageControl1->currentWidget(), ui.TabSheet4);
        QCOMPARE(ui.PageControl1->tabText(3), QStringLiteral("МИЛИсекундомер"));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00.00.00.00"));
        QCOMPARE(ui.BitBtn4->text(), QStringLiteral("запуск"));
        QVERIFY(!world.features().Timer3.isActive());
        QCOMPARE(world.features().Timer3.interval(), 10);
    }

    void lateTicksDoNotMakeItFallBehind()
    {
        FakeClock clock;
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        showStopwatch(world);
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        QCOMPARE(ui.BitBtn4->text(), QStringLiteral("стоп"));
        QVERIFY(world.features().Timer3.isActive());

        clock.advanceMs(10);
        QVERIFY(tick(world));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:00:00:01"));
        // Hours pass between two refreshes: the reading is the clock's, not a count of ticks.
        clock.advanceMs(3 * 3'600'000 + 25 * 60'000 + 7'430);
        QVERIFY(tick(world));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("03:25:07:44"));
        clock.advanceMs(97 * 3'600'000);
        QVERIFY(tick(world));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("100:25:07:44"));
    }

    void marksNumberedFromZeroAndStopFreezesTheReading()
    {
        FakeClock clock;
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        showStopwatch(world);
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        clock.advanceMs(1'200);
        QVERIFY(tick(world));
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        clock.advanceMs(61'000);
        QVERIFY(tick(world));
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        QCOMPARE(ui.BitBtn4->text(), QStringLiteral("запуск"));
        QVERIFY(!world.features().Timer3.isActive());
        clock.advanceMs(5'000);
        QVERIFY(tick(world));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:01:02:20"));
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("0 - 00.00.00.00\n1 - 00:00:01:20\n2 - 00:01:02:20"));

        // The next start counts from zero again.
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        clock.advanceMs(10);
        QVERIFY(tick(world));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:00:00:01"));
    }

    // The window may be too busy for ticks (a modal box, a long handler): stop and mark read the clock
    // themselves instead of copying whatever the last tick showed.
    void stopAndMarkReadTheClockWhenTicksWereLate()
    {
        FakeClock clock;
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        showStopwatch(world);
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        clock.advanceMs(29'990);
        QVERIFY(tick(world));
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:00:29:99"));
        clock.advanceMs(1'510);
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("0 - 00:00:31:50"));
        clock.advanceMs(1'500);
        QTest::mouseClick(ui.BitBtn4, Qt::LeftButton);
        QCOMPARE(ui.StaticText2->text(), QStringLiteral("00:00:33:00"));
        clock.advanceMs(2'000);
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("0 - 00:00:31:50\n1 - 00:00:33:00"));
    }

    void markAfterTextTypedIntoTheList()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        showStopwatch(world);
        ui.Memo4->setPlainText(QStringLiteral("typed\n"));
        QTest::mouseClick(ui.BitBtn5, Qt::LeftButton);
        QCOMPARE(ui.Memo4->toPlainText(), QStringLiteral("typed\n1 - 00.00.00.00"));
    }

    void resetBoxClearsTheMarksAndUnticksItself()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        showStopwatch(world);
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
