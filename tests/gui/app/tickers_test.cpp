#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include "app/tapplication.h"
#include "app/tickers.h"
#include "fakeclock.h"
#include "modalboxcloser.h"
#include "testworld.h"

class TickersTest : public QObject
{
    Q_OBJECT

private slots:
    void clockShowsTheTime_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("morning") << QTime(9, 5, 7) << QStringLiteral(" 9:05:07") << QStringLiteral("9")
                                 << QStringLiteral("05");
        QTest::newRow("midnight") << QTime(0, 0, 0) << QStringLiteral(" 0:00:00") << QStringLiteral("0")
                                  << QStringLiteral("00");
        QTest::newRow("second before midnight")
            << QTime(23, 59, 59) << QStringLiteral(" 23:59:59") << QStringLiteral("23") << QStringLiteral("59");
    }

    void clockShowsTheTime()
    {
        QFETCH(QTime, time);
        QFETCH(QString, panel);
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        FakeClock clock;
        TestWorld world;
        QVERIFY(world.start());
        clock.setTimeOfDay(time);

        world.features().tickers().Timer1Timer();

        QCOMPARE(world.ui().StatusBar1->panelText(0), panel);
        QCOMPARE(world.ui().Label33->text(), hours);
        QCOMPARE(world.ui().Label35->text(), minutes);
    }

    void colonBlinksOncePerSecond()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(world.features().Timer1.isActive());
        QCOMPARE(world.features().Timer1.interval(), 500);
        const bool before = world.ui().Label34->isHidden();
        world.features().tickers().Timer1Timer();
        QCOMPARE(world.ui().Label34->isHidden(), !before);
        world.features().tickers().Timer1Timer();
        QCOMPARE(world.ui().Label34->isHidden(), before);
    }

    void fadeInRaisesTheOpacityInFourteenStepsThenStops()
    {
        TestWorld world;
        QVERIFY(world.start());
        Tickers& tickers = world.features().tickers();
        world.features().Timer2.stop();
        // As FormCreate left it.
        tickers.startFadeIn();
        tickers.RunningLinePos = 1;
        QCOMPARE(tickers.opacityAlpha(), 76);
        world.features().Timer2.start();

        const QList<int> expected{89, 102, 114, 127, 140, 153, 165, 178, 191, 204, 216, 229, 242, 255};
        QList<int> seen;
        for (int tick = 0; tick < expected.size(); ++tick) {
            QVERIFY(world.features().Timer2.isActive());
            tickers.Timer2Timer();
            seen << tickers.opacityAlpha();
        }
        QCOMPARE(seen, expected);
        QVERIFY(!world.features().Timer2.isActive());
        QCOMPARE(tickers.FadeLevel, 100);
        QVERIFY(qAbs(world.form1().windowOpacity() - 1.0) < 0.01);
        // One running-line step per tick: fourteen steps from position 1.
        QCOMPARE(tickers.RunningLinePos, 15);
        QCOMPARE(world.ui().Label6->text(), QStringLiteral("рограммист Брунд Супер п"));
    }

    void fadeInRunsOnItsOwnAtStart()
    {
        TestWorld world;
        QVERIFY(world.start());
        QTimer& timer2 = world.features().Timer2;
        QVERIFY(timer2.isActive());
        QCOMPARE(timer2.interval(), 200);
        // Its own ticks drive it: at once rather than 200 ms apart.
        timer2.setInterval(0);
        QTRY_VERIFY(!timer2.isActive());
        QCOMPARE(world.features().tickers().opacityAlpha(), 255);
        QCOMPARE(world.ui().Label6->text().size(), 24);
    }

    void pressOnTheRunningLineTogglesTheAnimation()
    {
        TestWorld world;
        QVERIFY(world.start());
        QTimer& timer6 = world.features().Timer6;
        QVERIFY(!timer6.isActive());
        QCOMPARE(timer6.interval(), 300);

        QTest::mousePress(world.ui().Shape1, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(timer6.isActive());
        // The label lies over the shape; a press on it still reaches the shape.
        QTest::mousePress(world.ui().Shape1, Qt::LeftButton, {}, world.ui().Label6->geometry().center());
        QVERIFY(!timer6.isActive());
    }

    void animationTickMovesLineButtonAndCaption()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.features().Timer2.stop();
        Tickers& tickers = world.features().tickers();
        tickers.RunningLinePos = 1;

        tickers.Timer6Timer();
        QCOMPARE(world.ui().Label6->text(), QStringLiteral("Брунд Супер программист "));
        QCOMPARE(world.ui().BitBtn3->text(), QStringLiteral("||"));
        QCOMPARE(world.form1().windowTitle(),
                 QString(10, QLatin1Char(' ')) + QStringLiteral("-=/Тромбус\\=-") + QString(89, QLatin1Char(' ')));
        tickers.Timer6Timer();
        QCOMPARE(world.ui().BitBtn3->text(), QStringLiteral("|><|"));
        QCOMPARE(world.form1().windowTitle(),
                 QString(11, QLatin1Char(' ')) + QStringLiteral("-=/Тромбус\\=-") + QString(88, QLatin1Char(' ')));

        // Switching off and on again continues from the stored positions.
        QTest::mousePress(world.ui().Shape1, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mousePress(world.ui().Shape1, Qt::LeftButton, {}, QPoint(3, 3));
        tickers.Timer6Timer();
        QCOMPARE(world.ui().BitBtn3->text(), QStringLiteral("|>  <|"));
        QCOMPARE(tickers.RunningLinePos, 4);
    }

    void timersKeepTickingWhileAModalBoxIsOpen()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy clockTicks(&world.features().Timer1, &QTimer::timeout);
        // A real box this time, closed from inside its own loop once the clock has ticked there: the one
        // case here that waits for a real timer, since the box's loop delivering it is what is tested.
        Dialogs::setHook({});
        ModalBoxCloser closer([&] { return clockTicks.count() >= 1; });
        Dialogs::message(QStringLiteral("проверка"));
        QCOMPARE(closer.closedTexts, QStringList{QStringLiteral("проверка")});
        QVERIFY(clockTicks.count() >= 1);
    }
};

TROMBUS_GUI_TEST_MAIN(TickersTest)
#include "tickers_test.moc"
