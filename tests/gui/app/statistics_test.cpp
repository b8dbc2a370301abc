#include <QTest>

#include "app/statistics.h"
#include "app/tapplication.h"
#include "testworld.h"
#include "ui_InfoPage.h"

class StatisticsTest : public QObject
{
    Q_OBJECT

private slots:
    void sixtyOneTicksShowOneMinuteOneSecond()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.features().Timer8.stop();
        QCOMPARE(world.infoPage().Label85->text(), QStringLiteral("0000д00ч00м00с"));
        for (int tick = 0; tick < 61; ++tick)
            world.features().statistics().Timer8Timer();
        QCOMPARE(world.infoPage().Label85->text(), QStringLiteral("0 д 0 ч 1 м 1 с"));
        QCOMPARE(world.features().statistics().totals.minutes, 1);
        QCOMPARE(world.features().statistics().totals.seconds, 1);
    }

    void storedSecondsRollOverAtTheFirstTick()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.store(QStringLiteral("rs"), QStringLiteral("59"));
        world.store(QStringLiteral("rm"), QStringLiteral("59"));
        world.store(QStringLiteral("rh"), QStringLiteral("23"));
        world.store(QStringLiteral("rd"), QStringLiteral("6"));
        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));
        world.features().Timer8.stop();

        world.features().statistics().Timer8Timer();

        const UsageTotals& totals = world.features().statistics().totals;
        QCOMPARE(totals.seconds, 0);
        QCOMPARE(totals.minutes, 0);
        QCOMPARE(totals.hours, 0);
        QCOMPARE(totals.days, 7);
        QCOMPARE(world.infoPage().Label85->text(), QStringLiteral("0 д 0 ч 0 м 1 с"));
    }

    void timerRunsWithTheSaveSwitchAndCountsRealSeconds()
    {
        TestWorld world;
        QVERIFY(world.start());
        QTimer& timer8 = world.features().Timer8;
        QVERIFY(timer8.isActive());
        QCOMPARE(timer8.interval(), 1000);
        // Its own ticks drive it, each a second of running time, however fast they come.
        timer8.setInterval(1);
        QTRY_VERIFY(world.features().statistics().run.seconds >= 2);
        timer8.stop();
        const UsageTotals& run = world.features().statistics().run;
        QCOMPARE(world.infoPage().Label85->text(),
                 QStringLiteral("0 д 0 ч %1 м %2 с").arg(run.minutes).arg(run.seconds));
    }

    void totalsAreStoredAtCloseAndReadBack()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.features().Timer8.stop();
        for (int tick = 0; tick < 125; ++tick)
            first.features().statistics().Timer8Timer();
        first.form1().close();
        QCOMPARE(first.stored(QStringLiteral("rs")), QStringLiteral("5"));
        QCOMPARE(first.stored(QStringLiteral("rm")), QStringLiteral("2"));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.features().statistics().totals.minutes, 2);
        QCOMPARE(second.features().statistics().totals.seconds, 5);
    }

    void refreshShowsTheStoredCountAndBothDurations()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.features().Timer8.stop();
        for (int tick = 0; tick < 3; ++tick)
            world.features().statistics().Timer8Timer();
        // Read afresh: a count changed behind the program's back shows as stored.
        world.store(QStringLiteral("Запускалси"), QStringLiteral("41"));
        world.features().statistics().totals = UsageTotals{30, 5, 1, 2};

        world.features().statistics().refresh();

        QCOMPARE(world.infoPage().Label83->text(), QStringLiteral("41 раз"));
        QCOMPARE(world.infoPage().Label82->text(), QStringLiteral("2 д 1 ч 5 м 30 с"));
        QCOMPARE(world.infoPage().Label85->text(), QStringLiteral("0 д 0 ч 0 м 3 с"));
    }

    void firstRunCountShowsOne()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.features().statistics().refresh();
        QCOMPARE(world.infoPage().Label83->text(), QStringLiteral("1 раз"));
    }

    void saveSwitchOffLeavesTheTimerOffAndTheDesignText()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("savesetting"), QStringLiteral("0"));
        const QString folder = first.configDir();
        first.stop();
        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(!second.features().Timer8.isActive());
        QVERIFY(processQueuedEvents());
        QCOMPARE(second.infoPage().Label85->text(), QStringLiteral("0000д00ч00м00с"));
    }

    void panelHoldsTheDesignTexts()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(world.infoPage().Panel13->isHidden());
        QCOMPARE(world.infoPage().Panel13->text(), QStringLiteral("Приветъ -=Kr@nTOS_314=-"));
        QCOMPARE(world.infoPage().GroupBox19->title(), QStringLiteral("О Тромбус"));
        QCOMPARE(world.infoPage().GroupBoxOverclock->title(), QStringLiteral("Возможность разгона"));
        QCOMPARE(world.infoPage().Label80->text(), QStringLiteral("Врубалась раз          -> "));
        QCOMPARE(world.infoPage().Label84->text(), QStringLiteral("Времени работает -> "));
        QCOMPARE(world.infoPage().Label81->text(), QStringLiteral("Всего времени работала -> "));
        QCOMPARE(world.infoPage().Label83->text(), QStringLiteral("0 раз"));
        QCOMPARE(world.infoPage().Label82->text(), QStringLiteral("0000д00ч00м00с"));
        QCOMPARE(world.infoPage().Edit7->text(), QStringLiteral("Брунд Супер Программист "));
        QVERIFY(world.infoPage().Edit7->font().bold());
    }

    void clickOnTheEditListsTheCommandWords()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.infoPage().Panel13->show();
        QTest::mouseClick(world.infoPage().Edit7, Qt::LeftButton);
        QCOMPARE(world.infoPage().Edit7->text(),
                 QStringLiteral("ZQ5, Form_name, Brundan, Form_color, close, hide, Con_color, help, -=Kr@nTOS_314=-, "
                                "cd, "));
        // A second click lists them once, not twice.
        QTest::mouseClick(world.infoPage().Edit7, Qt::LeftButton);
        QCOMPARE(world.infoPage().Edit7->text().count(QStringLiteral("ZQ5")), 1);
    }
};

TROMBUS_GUI_TEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
