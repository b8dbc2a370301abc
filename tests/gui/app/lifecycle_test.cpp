#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <functional>

#include "app/notesgrid.h"
#include "app/statistics.h"
#include "app/tapplication.h"
#include "app/trayicon.h"
#include "closepaths.h"
#include "common/apptitle.h"
#include "common/colors.h"
#include "console/launchercontroller.h"
#include "modalboxcloser.h"
#include "readonlyfolder.h"
#include "testworld.h"
#include "ui_MainPage.h"

namespace {

const QStringList FirstRunValues = {
    QStringLiteral("color"),        QStringLiteral("maschtab"),
    QStringLiteral("left"),         QStringLiteral("top"),
    QStringLiteral("height"),       QStringLiteral("width"),
    QStringLiteral("izik"),         QStringLiteral("str"),
    QStringLiteral("ne1raz"),       QStringLiteral("MyPrViewStyle"),
    QStringLiteral("MyPrColor"),    QStringLiteral("MyPrFontColor"),
    QStringLiteral("MyPrFontSize"), QStringLiteral("MyPrFontName"),
    QStringLiteral("Запускалси"),   QStringLiteral("savesetting"),
    QStringLiteral("MyPrWL"),       QStringLiteral("rs"),
    QStringLiteral("rm"),           QStringLiteral("rh"),
    QStringLiteral("rd"),
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class LifecycleTest : public QObject
{
    Q_OBJECT

private slots:
    void firstRunWritesTheDefaultsFromTheLiveWindow()
    {
        TestWorld world;
        QVERIFY(world.start());

        QCOMPARE(world.storedNames(), FirstRunValues);
        QCOMPARE(world.stored(QStringLiteral("Запускалси")), QStringLiteral("1"));
        QCOMPARE(world.stored(QStringLiteral("color")), QStringLiteral("4227072"));
        QCOMPARE(world.stored(QStringLiteral("str")), QStringLiteral("4"));
        QCOMPARE(world.stored(QStringLiteral("width")), QString::number(world.form1().width()));
        QCOMPARE(world.stored(QStringLiteral("MyPrColor")), QStringLiteral("-2147483643"));
        QCOMPARE(world.stored(QStringLiteral("MyPrFontName")), QStringLiteral("MS Sans Serif"));
        QCOMPARE(world.ui().TabbedNotebook1->currentIndex(), 4);
        QCOMPARE(world.ui().TabbedNotebook1->tabText(4), QStringLiteral("Не забудь"));
        QCOMPARE(world.form1().windowColor(), 0x408000);
        QVERIFY(world.keyExists(MarkKey));
        QVERIFY(world.keyExists(MyProgiKey));
        QVERIFY(world.storedNames(MarkKey).isEmpty());
        QVERIFY(world.features().Timer8.isActive());
        QVERIFY(world.dialogs.requests.isEmpty());
    }

    void returningFromAnotherProgramWindowRunsTheActivationAgain()
    {
        TestWorld world;
        QVERIFY(world.start());
        const QPoint storedPosition = world.form1().pos();
        world.store(QStringLiteral("3"), QStringLiteral("заметка"), MarkKey);
        world.form1().move(storedPosition + QPoint(40, 30));
        world.ui().TabbedNotebook1->setCurrentIndex(1);

        QVERIFY(returnToMainWindow(world, world.form1().aboutWindow()));

        QCOMPARE(world.stored(QStringLiteral("Запускалси")), QStringLiteral("2"));
        QCOMPARE(world.form1().pos(), storedPosition);
        QCOMPARE(world.ui().TabbedNotebook1->currentIndex(), 4);
        QCOMPARE(world.features().notesGrid().rows[3], QStringLiteral("заметка"));
    }

    void modalBoxesAndOtherApplicationsAreNoActivation()
    {
        TestWorld world;
        QVERIFY(world.start());
        // A box shown by the program: the recorder answers it, but a real modal box must not count either.
        ModalBoxCloser closer;
        Dialogs::setHook({});
        Dialogs::message(QStringLiteral("проверка"));
        QCOMPARE(closer.closedTexts, QStringList{QStringLiteral("проверка")});
        world.form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&world.form1()));
        QVERIFY(processQueuedEvents());
        QCOMPARE(world.stored(QStringLiteral("Запускалси")), QStringLiteral("1"));
    }

    void saveSwitchOffRestoresNothingAndKeepsStoredTotalsAndNotes()
    {
        TestWorld first;
        QVERIFY(first.start());
        const QString folder = first.configDir();
        first.store(QStringLiteral("rs"), QStringLiteral("17"));
        first.store(QStringLiteral("rd"), QStringLiteral("3"));
        first.store(QStringLiteral("2"), QStringLiteral("старая заметка"), MarkKey);
        first.store(QStringLiteral("savesetting"), QStringLiteral("0"));
        first.store(QStringLiteral("left"), QStringLiteral("5"));
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(!second.features().Timer8.isActive());
        QVERIFY(second.form1().pos() != QPoint(5, second.form1().y()));
        QVERIFY(second.features().notesGrid().rows[2].isEmpty());
        QVERIFY(second.mainPage().CheckBox8->isChecked());

        second.features().notesGrid().rows[5] = QStringLiteral("новая");
        second.features().notesGrid().rowsToStore[5] = true;
        second.form1().close();

        QCOMPARE(second.stored(QStringLiteral("rs")), QStringLiteral("17"));
        QCOMPARE(second.stored(QStringLiteral("rd")), QStringLiteral("3"));
        QCOMPARE(second.stored(QStringLiteral("2"), MarkKey), QStringLiteral("старая заметка"));
        QCOMPARE(second.stored(QStringLiteral("5"), MarkKey), QStringLiteral("новая"));
        QCOMPARE(second.stored(QStringLiteral("left")), QString::number(second.form1().x()));
    }

    void closeWithYesStoresTheCloseSetAndEndsTheProgram()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        world.form1().move(77, 66);
        world.ui().TabbedNotebook1->setCurrentIndex(2);

        world.ui().BitBtn3->click();

        QCOMPARE(world.dialogs.questions(), QStringList{QStringLiteral("Вы хотите выйти?")});
        QCOMPARE(world.dialogs.requests.last().icon, QMessageBox::Warning);
        QTRY_COMPARE(ending.count(), 1);
        QVERIFY(!world.form1().isVisible());
        QCOMPARE(world.form1().windowTitle(), QStringLiteral("NNNNNOOOOOTTTTT!!!!!!"));
        QCOMPARE(applicationTitle(), QStringLiteral("NNNNNOOOOOTTTTT!!!!!!"));
        QVERIFY(!world.form1().trayIcon().isVisible());
        QCOMPARE(world.stored(QStringLiteral("left")), QStringLiteral("77"));
        QCOMPARE(world.stored(QStringLiteral("top")), QStringLiteral("66"));
        QCOMPARE(world.stored(QStringLiteral("str")), QStringLiteral("2"));
        QCOMPARE(world.stored(QStringLiteral("noclose")), QStringLiteral("0"));
        QCOMPARE(world.storedNames(MarkKey).size(), 10);
    }

    void farewellIsOneCloseThatEndsAfterItsCaption()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);

        world.ui().BitBtn3->click();
        // The caption is up and the window still open until the farewell's moment is over.
        QVERIFY(world.form1().closing());
        QVERIFY(world.form1().isVisible());
        QCOMPARE(ending.count(), 0);
        // Closing again meanwhile (Alt+F4 pressed twice) is the same close: no second question, one end.
        world.form1().close();
        world.ui().N9->trigger();

        QTRY_COMPARE(ending.count(), 1);
        QCOMPARE(world.dialogs.questions().size(), 1);
        QVERIFY(!world.form1().isVisible());
        QVERIFY(processQueuedEvents());
        QCOMPARE(ending.count(), 1);
    }

    void closeWithNoKeepsEverythingRunningButHasStoredAlready()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        world.form1().move(90, 80);
        world.dialogs.answerNo();

        world.ui().N9->trigger();

        QCOMPARE(ending.count(), 0);
        QVERIFY(world.form1().isVisible());
        QCOMPARE(world.form1().windowTitle(), QStringLiteral("Тромбус"));
        QCOMPARE(world.stored(QStringLiteral("left")), QStringLiteral("90"));
        QVERIFY(world.form1().trayIcon().isVisible());

        world.ui().BitBtn3->click();
        QTRY_COMPARE(ending.count(), 1);
    }

    void closeToTraySwitchSendsTitleBarCloseToTrayButTrayCloseAsks()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        world.mainPage().CheckBox11->setChecked(true);

        world.form1().close();
        QVERIFY(world.dialogs.questions().isEmpty());
        QVERIFY(world.form1().inTray());
        QVERIFY(!world.form1().isVisible());
        QVERIFY(world.form1().trayIcon().isVisible());
        QCOMPARE(world.stored(QStringLiteral("noclose")), QStringLiteral("1"));

        world.form1().restoreFromTray();
        QVERIFY(world.form1().isVisible());
        world.dialogs.answerNo();
        world.ui().N2->trigger();
        QCOMPARE(world.dialogs.questions(), QStringList{QStringLiteral("Вы хотите выйти?")});
        QVERIFY(!world.mainPage().CheckBox11->isChecked());
        QCOMPARE(ending.count(), 0);
    }

    void quietCloseEndsWithoutQuestionButStillStores()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        world.form1().move(55, 44);
        world.form1().requestClose(true);
        QVERIFY(world.dialogs.questions().isEmpty());
        // No farewell: the program ends at once.
        QCOMPARE(ending.count(), 1);
        QCOMPARE(world.form1().windowTitle(), QStringLiteral("Тромбус"));
        QCOMPARE(world.stored(QStringLiteral("left")), QStringLiteral("55"));
    }

    void settingsThatCannotBeWrittenAreReportedAndTheUserStillLeaves_data()
    {
        QTest::addColumn<ClosePath>("path");
        QTest::addColumn<bool>("asks");
        QTest::newRow("title bar or Alt+F4") << ClosePath::WindowClose << true;
        QTest::newRow("exit button") << ClosePath::ExitButton << true;
        QTest::newRow("tray menu \"Закрыть\"") << ClosePath::TrayClose << true;
        QTest::newRow("console \"close 1\"") << ClosePath::ConsoleQuietClose << false;
    }

    void settingsThatCannotBeWrittenAreReportedAndTheUserStillLeaves()
    {
        QFETCH(ClosePath, path);
        QFETCH(bool, asks);
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        // Something to store: the window was moved.
        world.form1().move(77, 66);
        const QString file = QDir(world.configDir()).filePath(QStringLiteral("registry.reg"));
        const QByteArray before = fileBytes(file);
        QVERIFY(!before.isEmpty());

        {
            ReadOnlyFolder readOnly(QFile::encodeName(world.configDir()).toStdString());
            if (!readOnly.active())
                QSKIP("this file system cannot make a folder read-only");
            closeBy(world, path);
            QCOMPARE(world.dialogs.errors(), QStringList{QStringLiteral("Failed to set data for 'left'")});
            QCOMPARE(world.dialogs.questions().size(), asks ? 1 : 0);
            QTRY_COMPARE(ending.count(), 1);
        }
        QCOMPARE(fileBytes(file), before);
        QVERIFY(!world.form1().isVisible());
    }

    void failedStoreAndNoLeaveTheWindowAsItWas()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        world.form1().move(77, 66);
        // The error box is answered first, then the question.
        world.dialogs.answerNext({});
        world.dialogs.answerNo();
        {
            ReadOnlyFolder readOnly(QFile::encodeName(world.configDir()).toStdString());
            if (!readOnly.active())
                QSKIP("this file system cannot make a folder read-only");
            world.ui().BitBtn3->click();
        }
        QCOMPARE(world.dialogs.errors().size(), 1);
        QCOMPARE(world.dialogs.questions(), QStringList{QStringLiteral("Вы хотите выйти?")});
        QVERIFY(processQueuedEvents());
        QCOMPARE(ending.count(), 0);
        QVERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().closing());
        // Once the folder can be written again, the next close stores.
        world.dialogs.clear();
        world.ui().BitBtn3->click();
        QVERIFY(world.dialogs.errors().isEmpty());
        QTRY_COMPARE(ending.count(), 1);
        QCOMPARE(world.stored(QStringLiteral("left")), QStringLiteral("77"));
    }

    void colourNeverAppliedIsStoredAsTheWindowShowsIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("save switch off") << QStringLiteral("savesetting") << QStringLiteral("0");
        QTest::newRow("activation stopped before the colour") << QStringLiteral("str") << QStringLiteral("x");
    }

    void colourNeverAppliedIsStoredAsTheWindowShowsIt()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        TestWorld first;
        QVERIFY(first.start());
        first.store(name, value);
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        const QColor shown = second.form1().palette().color(QPalette::Window);
        QVERIFY(shown != QColor(Qt::black));
        second.form1().close();
        QCOMPARE(second.stored(QStringLiteral("color")), QString::number(tcolorFromColor(shown)));
        second.store(QStringLiteral("savesetting"), QStringLiteral("1"));
        second.stop();

        TestWorld third({}, folder);
        QVERIFY(third.start());
        QCOMPARE(third.form1().palette().color(QPalette::Window), shown);
    }

    // A value that is not a number stops the restore at its place in the order: what comes before it is
    // applied, what comes after it is not. Each row puts the bad value elsewhere and looks at values on both
    // sides of it, so a value moved to another place in the order fails a row.
    void nonNumericValueStopsTheActivationAtItsPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("appliedBefore"); // how many of the probes (in restore order) come before it
        QTest::newRow("early totals value \"rd\"") << QStringLiteral("rd") << 0;
        QTest::newRow("scale \"maschtab\"") << QStringLiteral("maschtab") << 1;
        QTest::newRow("launcher column \"MyPrWL\"") << QStringLiteral("MyPrWL") << 2;
        QTest::newRow("late launcher value \"MyPrFontSize\"") << QStringLiteral("MyPrFontSize") << 5;
    }

    void nonNumericValueStopsTheActivationAtItsPlace()
    {
        QFETCH(QString, name);
        QFETCH(int, appliedBefore);
        TestWorld first;
        QVERIFY(first.start());
        const QString folder = first.configDir();
        // The probes, in the order the restore reads them; none of them is what a start shows without them.
        struct Probe
        {
            const char* name;
            const char* stored;
            std::function<bool(TestWorld&)> applied;
        };
        const Probe probes[] = {
            {"rh", "3", [](TestWorld& world) { return world.features().statistics().totals.seconds == 42; }},
            {"str", "1", [](TestWorld& world) { return world.ui().TabbedNotebook1->currentIndex() == 1; }},
            {"MyPrWL", "150",
             [](TestWorld& world) { return world.features().launcher().look().firstColumnWidth == 150; }},
            {"color", "1193046", [](TestWorld& world) { return world.form1().windowColor() == 0x123456; }},
            {"MyPrColor", "255", [](TestWorld& world) { return world.features().launcher().look().color == 255; }},
            {"MyPrViewStyle", "0", [](TestWorld& world) { return world.features().launcher().look().viewStyle == 0; }},
        };
        first.store(QStringLiteral("rs"), QStringLiteral("42"));
        for (const Probe& probe : probes)
            first.store(QString::fromUtf8(probe.name), QString::fromUtf8(probe.stored));
        first.store(name, QStringLiteral("abc"));
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.dialogs.errors(), QStringList{QStringLiteral("'abc' is not a valid integer value.")});
        QCOMPARE(second.dialogs.requests.last().icon, QMessageBox::Critical);
        QCOMPARE(second.dialogs.requests.last().title, QStringLiteral("Тромбус"));
        for (int i = 0; i < int(std::size(probes)); ++i) {
            if (probes[i].name == name)
                continue;
            const bool expected = i < appliedBefore;
            const QString fault = expected ? QStringLiteral("\"%1\" was not applied, though it comes before")
                                           : QStringLiteral("\"%1\" was applied, though it comes after");
            QVERIFY2(probes[i].applied(second) == expected, qPrintable(fault.arg(QString::fromUtf8(probes[i].name))));
        }
        QCOMPARE(second.stored(QStringLiteral("Запускалси")), QStringLiteral("2"));
        QVERIFY(second.form1().isVisible());
        // The stored text is left as it was, so the next activation fails the same way.
        QCOMPARE(second.stored(name), QStringLiteral("abc"));
    }

    void scanGagRefusesToCloseAndStoresNothing()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        const QString storedLeft = world.stored(QStringLiteral("left"));
        world.form1().move(world.form1().pos() + QPoint(13, 0));
        world.features().Tim.start();

        world.ui().BitBtn3->click();

        QCOMPARE(world.dialogs.messages().size(), 1);
        const QString text = world.dialogs.messages().first();
        static const QRegularExpression refusal(
            QStringLiteral("^Вирус пытается блокировать систему защиты, но она не лыком сшита, ХА ХА, осталось (\\d+) "
                           "больных филов\\.$"));
        const auto match = refusal.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        QVERIFY(match.captured(1).toInt() < 8000);
        QVERIFY(world.dialogs.questions().isEmpty());
        QCOMPARE(ending.count(), 0);
        QCOMPARE(world.stored(QStringLiteral("left")), storedLeft);
        world.features().Tim.stop();
    }

    void nextStartRestoresPositionSizeColourAndPage()
    {
        TestWorld first;
        QVERIFY(first.start());
        const QString folder = first.configDir();
        first.form1().setWindowColor(0x123456);
        first.form1().move(101, 102);
        first.form1().resize(600, 560);
        first.ui().TabbedNotebook1->setCurrentIndex(5);
        first.form1().close();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QCOMPARE(second.form1().windowColor(), 0x123456);
        QCOMPARE(second.form1().pos(), QPoint(101, 102));
        QCOMPARE(second.form1().size(), QSize(600, 560));
        QCOMPARE(second.ui().TabbedNotebook1->currentIndex(), 5);
        QCOMPARE(second.stored(QStringLiteral("Запускалси")), QStringLiteral("2"));
    }

    void checkBoxesWriteTheirSwitchAtOnce()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.mainPage().CheckBox8->click();
        QCOMPARE(world.stored(QStringLiteral("savesetting")), QStringLiteral("0"));
        world.mainPage().CheckBox7->click();
        QCOMPARE(world.stored(QStringLiteral("vtrey")), QStringLiteral("1"));
        world.mainPage().CheckBox7->click();
        QCOMPARE(world.stored(QStringLiteral("vtrey")), QStringLiteral("0"));

        // Unchecked save switch: the close stores nothing of the close set.
        world.form1().move(world.form1().pos() + QPoint(9, 9));
        const QString storedLeft = world.stored(QStringLiteral("left"));
        world.form1().close();
        QCOMPARE(world.stored(QStringLiteral("left")), storedLeft);
        QVERIFY(world.stored(QStringLiteral("noclose")).isEmpty());
    }

    void storedTrayStartMinimisesAtActivation()
    {
        TestWorld first;
        QVERIFY(first.start());
        const QString folder = first.configDir();
        first.store(QStringLiteral("vtrey"), QStringLiteral("1"));
        first.stop();

        TestWorld second({}, folder);
        second.startWithoutWaiting();
        QTRY_VERIFY(second.form1().inTray());
        QVERIFY(second.mainPage().CheckBox7->isChecked());
        QVERIFY(second.form1().trayIcon().isVisible());
        QCOMPARE(second.stored(QStringLiteral("vtrey")), QStringLiteral("1"));
    }

    void quartziteArgumentPutsTheServiceCommandIntoTheConsole()
    {
        TestWorld world({QStringLiteral("quartzite")});
        QVERIFY(world.start());
        QCOMPARE(world.ui().console->text(), QStringLiteral("-=Kr@nTOS_314=- 1"));
    }

    void helpPictureWindowsAreMadeAnewByEachClick()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.ui().TabbedNotebook1->setCurrentIndex(0);
        QTest::mouseClick(world.mainPage().Panel5, Qt::LeftButton);
        QTest::mouseClick(world.mainPage().Panel5, Qt::LeftButton);
        int shown = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            shown += window->windowTitle() == QStringLiteral("Для справки") && window->isVisible();
        QCOMPARE(shown, 2);
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->windowTitle() == QStringLiteral("Для справки"))
                window->close();
    }
};

TROMBUS_GUI_TEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
