#include <QFile>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTreeWidget>

#include "app/tapplication.h"
#include "platform/linux/livesystem.h"
#include "recordingcddoor.h"
#include "recordingsound.h"
#include "system/informationpage.h"
#include "testworld.h"
#include "ui_InfoPage.h"

namespace {

const QString ScanQuestion = QStringLiteral("Просканировать Винду если да -=OK=- если нет -=Cancel=-");
const QString Formatted = QStringLiteral("Все диски успешно Форматированы.");
const QString Goggles =
    QStringLiteral("Это очень ОПАСНО диск может попасть в глаз\nпо этому в ваших же интересах оденьте защитные очки!");
const QString NoGoggles = QStringLiteral("НЕЕТ без очко не+зя");
const QString Dunce = QStringLiteral("Коль такой дурак гони пятак !!ты слеп!!");

QString scanText(int count, const char* word)
{
    return QStringLiteral("Все \"лишние\" файлы система удалит через -> ") + QString::number(count) +
           QString::fromUtf8(word);
}

// A program run on the information page whose CD drive and sounds are recorded instead of used.
struct InfoWorld
{
    InfoWorld()
    {
        world.platform->replace<platform::CdDoor>(cdDoor);
        world.platform->replace<platform::Sound>(sound);
    }

    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageInfo);
        world.dialogs.clear();
        return true;
    }

    Ui::InfoPage& page() { return world.infoPage(); }
    TForm1& form() { return world.form1(); }
    static void tick(QTimer& timer) { QMetaObject::invokeMethod(&timer, "timeout"); }

    /// The service command typed into the console, as its user would.
    void switchServiceMode()
    {
        world.ui().console->setText(QStringLiteral("-=Kr@nTOS_314=- 1"));
        world.ui().conbut->click();
    }

    std::shared_ptr<CdDoorRecorder> cdDoor = std::make_shared<CdDoorRecorder>();
    std::shared_ptr<RecordingSound> sound = std::make_shared<RecordingSound>();
    TestWorld world;
};

} // namespace

class InfoPageTest : public QObject
{
    Q_OBJECT

private slots:
    // The button reads the host name and the processor through the registry's view of the running system, then
    // starts the scan: the countdown already runs behind the question, and the scan's sound plays after it.
    void infoButtonShowsTheMachineAndStartsTheScan()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        QCOMPARE(page.LabelComputerValue->text(), QStringLiteral("Галимый"));
        QVERIFY(page.Animate8->isHidden());
        bool timRanDuringQuestion = false;
        Dialogs::setHook([&](const Dialogs::Request& request) {
            run.world.dialogs.requests << request;
            timRanDuringQuestion = run.form().features().Tim.isActive() && run.sound->requests.isEmpty();
            return Dialogs::Reply{};
        });
        page.InfoButton->click();
        QCOMPARE(page.LabelComputerValue->text(),
                 QString::fromStdString(platform::detail::hostName().value_or(std::string())));
        QVERIFY(!page.LabelComputerValue->text().isEmpty());
        QCOMPARE(page.LabelProcessorValue->text(),
                 QString::fromStdString(platform::detail::processorName().value_or(std::string())) +
                     QStringLiteral("   ") +
                     QString::fromStdString(platform::detail::processorIdentifier().value_or(std::string())));
        QCOMPARE(page.LabelMakerValue->text(), QStringLiteral("Брундуков"));
        QVERIFY(!page.Animate8->isHidden());
        QCOMPARE(run.world.dialogs.messages(), QStringList{ScanQuestion});
        QVERIFY(timRanDuringQuestion);
        QCOMPARE(run.sound->requests,
                 QStringList{QStringLiteral("play C:\\Windows\\Media\\Windows XP - завершение.wav")});
        QCOMPARE(run.form().features().Tim.interval(), 1000);
        // Reading the live system writes nothing into the user's registry file.
        QFile store(run.world.configDir() + QStringLiteral("/registry.reg"));
        QVERIFY(store.open(QIODevice::ReadOnly));
        QVERIFY(!store.readAll().contains("HKEY_LOCAL_MACHINE"));
    }

    void scanCountsDownThirtySecondsThenFormats()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.InfoButton->click();
        QStringList shown;
        for (int tick = 1; tick <= 31; ++tick) {
            QVERIFY2(run.form().features().Tim.isActive(), qPrintable(QString::number(tick)));
            InfoWorld::tick(run.form().features().Tim);
            shown << page.Label41->text();
        }
        QCOMPARE(shown.first(), scanText(30, " секунд"));
        QCOMPARE(shown[25], scanText(5, " секунд"));
        QCOMPARE(shown[26], scanText(4, " секунды"));
        QCOMPARE(shown[28], scanText(2, " секунды"));
        QCOMPARE(shown[29], scanText(1, " секунда"));
        QCOMPARE(shown[30], Formatted);
        QVERIFY(!run.form().features().Tim.isActive());
        QVERIFY(page.Animate8->isHidden());

        // A second scan in the same run is over at its first tick.
        run.world.dialogs.clear();
        page.InfoButton->click();
        QCOMPARE(run.world.dialogs.messages(), QStringList{ScanQuestion});
        QVERIFY(run.form().features().Tim.isActive());
        QVERIFY(!page.Animate8->isHidden());
        InfoWorld::tick(run.form().features().Tim);
        QCOMPARE(page.Label41->text(), Formatted);
        QVERIFY(!run.form().features().Tim.isActive());
        QVERIFY(page.Animate8->isHidden());
    }

    // Pressing the button again while the scan runs does not start the countdown over.
    void pressDuringTheScanKeepsTheCount()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.InfoButton->click();
        InfoWorld::tick(run.form().features().Tim);
        InfoWorld::tick(run.form().features().Tim);
        page.InfoButton->click();
        InfoWorld::tick(run.form().features().Tim);
        QCOMPARE(page.Label41->text(), scanText(28, " секунд"));
    }

    void closingDuringTheScanIsRefused()
    {
        InfoWorld run;
        QVERIFY(run.start());
        run.page().InfoButton->click();
        run.world.dialogs.clear();
        run.form().close();
        QVERIFY(run.form().isVisible());
        QCOMPARE(run.world.dialogs.messages().size(), 1);
        QVERIFY(run.world.dialogs.messages().constFirst().startsWith(
            QStringLiteral("Вирус пытается блокировать систему защиты, но она не лыком сшита, ХА ХА, осталось ")));
        QVERIFY(run.world.dialogs.questions().isEmpty());
        QVERIFY(run.form().features().Tim.isActive());
    }

    void serviceModeGreetsInsteadOfScanning()
    {
        InfoWorld run;
        QVERIFY(run.start());
        run.switchServiceMode();
        QVERIFY(run.form().serviceMode());
        run.world.dialogs.clear();
        Ui::InfoPage& page = run.page();
        page.InfoButton->click();
        QVERIFY(!page.LabelComputerValue->text().isEmpty());
        QVERIFY(page.LabelProcessorValue->text().contains(QStringLiteral("   ")));
        QVERIFY(!page.Animate8->isHidden());
        QCOMPARE(page.Label41->text(), QStringLiteral("Вечно мой господин!"));
        QVERIFY(!run.form().features().Tim.isActive());
        QVERIFY(run.world.dialogs.requests.isEmpty());
        QVERIFY(run.sound->requests.isEmpty());
        // Nothing holds the window: closing reaches the exit question.
        run.world.dialogs.answerNo();
        run.form().close();
        QCOMPARE(run.world.dialogs.questions(), QStringList{QStringLiteral("Вы хотите выйти?")});
    }

    void checkRevealsThePanelAndRunsTheEquation()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        QLabel* const equation[] = {page.LabelEquation1, page.LabelEquation2, page.LabelEquation3, page.LabelEquation4,
                                    page.LabelEquation5};
        QVERIFY(!run.form().features().pp.isActive());
        QVERIFY(page.TrackBarMultiplier->isHidden());
        QCOMPARE(page.OverclockHeading->text(), QStringLiteral("------------------------"));
        page.OverclockButton->click();
        QVERIFY(run.form().features().pp.isActive());
        QCOMPARE(run.form().features().pp.interval(), 1000);
        QCOMPARE(page.OverclockHeading->text(), QStringLiteral("MOHA TOKA OCTAPO >|< HA"));
        for (QWidget* shown : {static_cast<QWidget*>(page.TrackBarMultiplier), static_cast<QWidget*>(page.TrackBarCd),
                               static_cast<QWidget*>(page.LabelMultiplier), static_cast<QWidget*>(page.LabelCdDrive),
                               static_cast<QWidget*>(page.LabelCheck), static_cast<QWidget*>(page.LabelWarning1),
                               static_cast<QWidget*>(page.LabelWarning4), static_cast<QWidget*>(page.LabelX),
                               static_cast<QWidget*>(page.MaskEditBrain), static_cast<QWidget*>(page.BrainButton)})
            QVERIFY2(!shown->isHidden(), qPrintable(shown->objectName()));
        for (QLabel* label : equation)
            QVERIFY(label->isHidden());
        QVERIFY(page.LabelResult2->isHidden());

        // Each tick reveals the next part of "2 х 2 = 4"; the sixth hides them all and the cycle starts over.
        for (int tick = 1; tick <= 5; ++tick) {
            InfoWorld::tick(run.form().features().pp);
            for (int n = 0; n < 5; ++n)
                QCOMPARE(!equation[n]->isHidden(), n < tick);
        }
        InfoWorld::tick(run.form().features().pp);
        for (QLabel* label : equation)
            QVERIFY(label->isHidden());
        InfoWorld::tick(run.form().features().pp);
        QVERIFY(!equation[0]->isHidden());
        QVERIFY(equation[1]->isHidden());
    }

    void multiplierSetsTheAnimationSpeed_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("interval");
        QTest::newRow("1") << 1 << 630;
        QTest::newRow("5") << 5 << 350;
        QTest::newRow("8") << 8 << 140;
    }

    void multiplierSetsTheAnimationSpeed()
    {
        QFETCH(int, position);
        QFETCH(int, interval);
        InfoWorld run;
        QVERIFY(run.start());
        run.page().OverclockButton->click();
        run.page().TrackBarMultiplier->setValue(8);
        run.page().TrackBarMultiplier->setValue(position);
        QCOMPARE(run.form().features().pp.interval(), interval);
        QVERIFY(run.form().features().pp.isActive());
    }

    // Dragging the CD-drive slider from 1 to 10 through every position: goggles once, the tray at 2, 3 and 4
    // through the CD door button (which alternates open and close), the dunce notice at 5, then nothing.
    void cdSliderWarnsAndPopsTheTray()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.OverclockButton->click();
        QStringList seen;
        Dialogs::setHook([&](const Dialogs::Request& request) {
            seen << QStringLiteral("%1 %2 %3").arg(int(request.kind)).arg(int(request.icon)).arg(request.text);
            // The tray moves after the notice is closed.
            if (request.text == NoGoggles)
                seen << QStringLiteral("door so far: ") + run.cdDoor->requests.join(QLatin1Char(','));
            return Dialogs::Reply{};
        });
        for (int position = 2; position <= 10; ++position)
            page.TrackBarCd->setValue(position);
        const auto box = [](Dialogs::Kind kind, QMessageBox::Icon icon, const QString& text) {
            return QStringLiteral("%1 %2 %3").arg(int(kind)).arg(int(icon)).arg(text);
        };
        const QString information = box(Dialogs::Kind::Message, QMessageBox::Information, NoGoggles);
        QCOMPARE(seen, (QStringList{box(Dialogs::Kind::Error, QMessageBox::Critical, Goggles), information,
                                    QStringLiteral("door so far: "), information, QStringLiteral("door so far: open"),
                                    information, QStringLiteral("door so far: open,close"),
                                    box(Dialogs::Kind::Message, QMessageBox::Information, Dunce)}));
        QCOMPARE(run.cdDoor->requests,
                 (QStringList{QStringLiteral("open"), QStringLiteral("close"), QStringLiteral("open")}));
        // Back to the start: the goggles warning was given once and for all.
        seen.clear();
        page.TrackBarCd->setValue(1);
        QVERIFY(seen.isEmpty());
        page.TrackBarCd->setValue(2);
        QCOMPARE(seen.size(), 2);
        QVERIFY(seen.constFirst().endsWith(NoGoggles));
    }

    // A box that opens under a mouse press takes the button's release: the press ends with the slider where the
    // box found it, instead of stepping on toward the pointer and warning again at every step.
    void cdSliderPressedWithTheMouseStopsAtItsWarnings()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.OverclockButton->click();
        QSlider* slider = page.TrackBarCd;
        // Near the groove's far end, which is where a press steps the slider toward the pointer.
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.tickPosition = slider->tickPosition();
        option.subControls = QStyle::SC_All;
        const QRect groove =
            slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
        const QPoint end(groove.right() - 2, groove.center().y());
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, end);
        QTRY_COMPARE(run.world.dialogs.requests.size(), 2);
        QCOMPARE(slider->value(), 2);
        QCOMPARE(run.cdDoor->requests, QStringList{QStringLiteral("open")});
        // Longer than the slider waits before it repeats a press (half a second), and then some.
        bool waited = false;
        QTimer::singleShot(900, this, [&] { waited = true; });
        QTRY_VERIFY_WITH_TIMEOUT(waited, 5000);
        QCOMPARE(slider->value(), 2);
        QCOMPARE(run.world.dialogs.requests.size(), 2);
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, end);
    }

    void brainsTimesAnyMultiplierIsZero()
    {
        InfoWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.OverclockButton->click();
        QVERIFY(run.world.ui().ErroR->isHidden());
        page.MaskEditBrain->setFocus();
        page.MaskEditBrain->selectAll();
        QTest::keyClicks(page.MaskEditBrain, QStringLiteral("7"));
        page.BrainButton->click();
        QVERIFY(!run.world.ui().ErroR->isHidden());
        QCOMPARE(run.world.dialogs.messages(),
                 QStringList{QStringLiteral("Т.К. математике умножение на ноль равно ноль следует.")});
        QStringList result;
        for (QLabel* label : {page.LabelResult1, page.LabelResult2, page.LabelResult3, page.LabelResult4,
                              page.LabelResult5, page.LabelResult6}) {
            QVERIFY(!label->isHidden());
            result << label->text();
        }
        QCOMPARE(result, (QStringList{QStringLiteral("Проверка"), QStringLiteral("Мозги"), QStringLiteral("*"),
                                      QStringLiteral("7"), QStringLiteral("="), QStringLiteral(" 0")}));
        // The edit takes two digits at most.
        QTest::keyClicks(page.MaskEditBrain, QStringLiteral("123"));
        QVERIFY(page.MaskEditBrain->text().size() <= 2);
    }

    void treeShowsTheIndicatorOnClickAndHidesItOnMovement()
    {
        InfoWorld run;
        QVERIFY(run.start());
        QTreeWidget* tree = run.page().TreeView1;
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("КОМП"));
        QCOMPARE(tree->topLevelItem(0)->childCount(), 4);
        QCOMPARE(tree->topLevelItem(0)->child(3)->text(0), QStringLiteral("ДР. Г."));
        QWidget* viewport = tree->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
        QVERIFY(!run.world.ui().ErroR->isHidden());
        QTest::mouseMove(viewport, QPoint(20, 30));
        QTRY_VERIFY(run.world.ui().ErroR->isHidden());
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(60, 80));
        QVERIFY(!run.world.ui().ErroR->isHidden());
    }
};

TROMBUS_GUI_TEST_MAIN(InfoPageTest)
#include "infopage_test.moc"
