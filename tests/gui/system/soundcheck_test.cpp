#include <QTest>

#include "app/tapplication.h"
#include "recordingsound.h"
#include "system/noteplayer.h"
#include "system/soundcheck.h"
#include "testworld.h"
#include "ui_InfoPage.h"

namespace {

const QStringList ChainBeforeTune{
    QStringLiteral("Супер Стерео система обнаружена ,Вы желаете её проверить? есив Да \"OK\" а на Нет и кнопок нет)"),
    QStringLiteral("Загрузить супер пупер драйвер звука?"),
    QStringLiteral("Понял!"),
    QStringLiteral("У Вас в системе нет такого драйвера"),
    QStringLiteral("Для дальнейшей работы вам придется создать этот драйвер"),
    QStringLiteral("Ладно УЖ не надо создавать но купить его следует!"),
    QStringLiteral("О БОЖЕ!!! да увас Windows пиратский ВЫ ЗНАЛИ ЭТО?!"),
    QStringLiteral("Всё запускаю Супер Стерио Систему (Кароче для более удобного понимания и затраты времени на чтение "
                   "этих строк можно просто ССС не подумайте это не \"СССР\" Союз Советских Сацыалистищестких "
                   "Риспудлик кстати ща этава нет ща есть РФ - Российская ФедяРацыя ну ладно, а то мы от темы отошли "
                   "СССР развалилось, и много каллХозов тоже и т.д)..."),
    QStringLiteral("Для запуска необходимо Ваше вмешательство, а то ни как нажмите на _> ОК <_ шоб заустить Супер "
                   "Стерио Систему или как было ранее сказано для более удобного понимания и затраты времени на "
                   "чтение просто ССС"),
};
const QStringList ChainAfterTune{QStringLiteral("Ну что АЙС."), QStringLiteral("ТРБ обнаружила новое устройство"),
                                 QStringLiteral("Этож пианино!")};
const QString First = QStringLiteral("Внимание ТРБ проверит наличие Стерео Систем!");
const QString PianoHint = QStringLiteral("с 1 до 7 (для особо одаренных 7-нот до ре ми фа силь лямбда труляля и ууу)");

// The tune as the beeper gets it.
const QStringList TuneBeeps{"beep 784 200", "beep 523 200", "beep 523 200", "beep 659 200", "beep 784 200",
                            "beep 698 200", "beep 784 200", "beep 698 100", "beep 659 100", "beep 587 200",
                            "beep 523 200", "beep 523 200", "beep 587 200", "beep 659 200", "beep 880 200",
                            "beep 987 200", "beep 784 200"};

// A key as the keyboard sends it, press and release, to the widget with the focus.
void type(QWidget* focus, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(focus, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(focus, &release);
}

// A program run whose tones are recorded instead of played.
struct SoundWorld
{
    SoundWorld() { world.platform->replace<platform::Sound>(sound); }

    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageInfo);
        world.dialogs.clear();
        return true;
    }

    Ui::InfoPage& page() { return world.infoPage(); }
    SoundCheck& check() { return world.features().soundCheck(); }
    /// The sounding note's time is up.
    void endNote() { QMetaObject::invokeMethod(&check().player().noteTimer(), "timeout"); }
    /// Lets every queued note sound out.
    void endAllNotes()
    {
        for (int guard = 0; guard < 100 && check().player().busy(); ++guard)
            endNote();
    }
    void switchServiceMode()
    {
        world.ui().console->setText(QStringLiteral("-=Kr@nTOS_314=- 1"));
        world.ui().conbut->click();
    }

    std::shared_ptr<RecordingSound> sound = std::make_shared<RecordingSound>();
    TestWorld world;
};

} // namespace

class SoundCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void atStartOnlyTheCheckButtonAndTheBarShow()
    {
        SoundWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        QVERIFY(page.Panel14->isHidden());
        QVERIFY(page.Panel15->isHidden());
        QVERIFY(page.CheckBox18->isHidden());
        QVERIFY(!page.CheckBox18->isChecked());
        QVERIFY(!page.ProgressBar2->isHidden());
        QCOMPARE(page.ProgressBar2->orientation(), Qt::Vertical);
        QCOMPARE(page.ProgressBar2->value(), 100);
        QCOMPARE(page.ProgressBar2->maximum(), 6000);
    }

    // The whole check: its first message, a pause, nine messages, the tune note by note (the window answering
    // all the while), three messages and the piano.
    void checkRunsItsChainAndRevealsThePiano()
    {
        SoundWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.SoundCheckButton->click();
        QCOMPARE(run.world.dialogs.messages(), QStringList{First});
        QVERIFY(run.check().pauseTimer().isActive());
        QCOMPARE(run.check().pauseTimer().interval(), 1000);
        QVERIFY(run.sound->requests.isEmpty());

        QMetaObject::invokeMethod(&run.check().pauseTimer(), "timeout");
        QCOMPARE(run.world.dialogs.messages(), QStringList{First} + ChainBeforeTune);
        // The tune plays one note at a time, each for its own duration.
        QCOMPARE(run.sound->requests, QStringList{TuneBeeps.first()});
        QCOMPARE(run.check().player().noteTimer().interval(), 200);
        QList<int> bar;
        QList<int> durations;
        for (int note = 1; note < TuneBeeps.size(); ++note) {
            // While a note sounds, the window takes other work: the overclocking panel opens at once.
            if (note == 5) {
                page.OverclockButton->click();
                QVERIFY(!page.TrackBarCd->isHidden());
            }
            durations << run.check().player().noteTimer().interval();
            run.endNote();
            bar << page.ProgressBar2->value();
            QCOMPARE(run.sound->requests.size(), note + 1);
        }
        QCOMPARE(run.sound->requests, TuneBeeps);
        QCOMPARE(durations.mid(6, 3), (QList<int>{200, 100, 100}));
        QCOMPARE(bar.mid(0, 4), (QList<int>{3840, 1232, 1232, 2592}));
        QVERIFY(page.Panel14->isHidden());
        QCOMPARE(run.world.dialogs.messages().size(), 10);

        run.endNote();
        QCOMPARE(page.ProgressBar2->value(), 3840);
        QCOMPARE(run.world.dialogs.messages(), QStringList{First} + ChainBeforeTune + ChainAfterTune);
        QVERIFY(!page.Panel14->isHidden());
        QVERIFY(!page.CheckBox18->isHidden());
        QVERIFY(page.Panel15->isHidden());
        QVERIFY(!run.check().checkRunning());
    }

    // A press while the check runs (the old check held the window, so the press waited) runs it once more after.
    void pressDuringTheCheckRunsItAgainAfter()
    {
        SoundWorld run;
        QVERIFY(run.start());
        run.page().SoundCheckButton->click();
        QMetaObject::invokeMethod(&run.check().pauseTimer(), "timeout");
        run.page().SoundCheckButton->click();
        run.endAllNotes();
        QCOMPARE(run.world.dialogs.messages().size(), 1 + ChainBeforeTune.size() + ChainAfterTune.size() + 1);
        QCOMPARE(run.world.dialogs.messages().constLast(), First);
        QVERIFY(run.check().pauseTimer().isActive());
        QMetaObject::invokeMethod(&run.check().pauseTimer(), "timeout");
        run.endAllNotes();
        QCOMPARE(run.world.dialogs.messages().size(), 2 * (1 + ChainBeforeTune.size() + ChainAfterTune.size()));
        QVERIFY(!run.check().checkRunning());
    }

    void keysPlayTheirNotes_data()
    {
        QTest::addColumn<int>("note");
        QTest::addColumn<QString>("beep");
        QTest::addColumn<int>("bar");
        QTest::newRow("ДО") << 0 << "beep 523 200" << 1232;
        QTest::newRow("ФА") << 3 << "beep 698 200" << 2985;
        QTest::newRow("ЛЯ") << 5 << "beep 880 200" << 4800;
        QTest::newRow("СИ") << 6 << "beep 987 200" << 5877;
    }

    void keysPlayTheirNotes()
    {
        QFETCH(int, note);
        QFETCH(QString, beep);
        QFETCH(int, bar);
        SoundWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        QToolButton* const keys[] = {page.KeyDo,  page.KeyRe,  page.KeyMi, page.KeyFa,
                                     page.KeySol, page.KeyLya, page.KeySi};
        keys[note]->click();
        QCOMPARE(run.sound->requests, QStringList{beep});
        // The bar follows the note once it has sounded.
        QCOMPARE(page.ProgressBar2->value(), 100);
        QCOMPARE(run.check().player().noteTimer().interval(), 200);
        run.endNote();
        QCOMPARE(page.ProgressBar2->value(), bar);
    }

    // Notes asked for while one sounds wait their turn, in order, as they did behind the blocking beeper.
    void notesQueueBehindTheSoundingOne()
    {
        SoundWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        page.KeyDo->click();
        page.KeyMi->click();
        page.KeySol->click();
        QCOMPARE(run.sound->requests, QStringList{QStringLiteral("beep 523 200")});
        run.endNote();
        QCOMPARE(page.ProgressBar2->value(), 1232);
        QCOMPARE(run.sound->requests.constLast(), QStringLiteral("beep 659 200"));
        run.endNote();
        run.endNote();
        QCOMPARE(run.sound->requests, (QStringList{QStringLiteral("beep 523 200"), QStringLiteral("beep 659 200"),
                                                   QStringLiteral("beep 784 200")}));
        QCOMPARE(page.ProgressBar2->value(), 3840);
        QVERIFY(!run.check().player().busy());
    }

    void digitsPlayOnlyWhileTheKeyboardPianoIsTicked()
    {
        SoundWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        QLineEdit* edit = run.world.ui().console;
        run.world.ui().Button21->click();
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        type(edit, Qt::Key_1, QStringLiteral("1"));
        QVERIFY(run.sound->requests.isEmpty());

        page.CheckBox18->click();
        QVERIFY(page.CheckBox18->isChecked());
        QCOMPARE(run.world.dialogs.messages(), QStringList{PianoHint});
        edit->clear();
        for (const char* digit : {"8", "9", "0"})
            type(edit, Qt::Key_8, QString::fromLatin1(digit));
        QVERIFY(run.sound->requests.isEmpty());
        type(edit, Qt::Key_1, QStringLiteral("1"));
        type(edit, Qt::Key_7, QStringLiteral("7"));
        run.endAllNotes();
        QCOMPARE(run.sound->requests, (QStringList{QStringLiteral("beep 523 200"), QStringLiteral("beep 987 200")}));
        // The characters still reach the control that has the focus.
        QCOMPARE(edit->text(), QStringLiteral("89017"));

        // A key that its control leaves unused travels up to the window, and still plays once.
        run.sound->requests.clear();
        page.KeyRe->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), page.KeyRe);
        type(page.KeyRe, Qt::Key_2, QStringLiteral("2"));
        run.endAllNotes();
        QCOMPARE(run.sound->requests, QStringList{QStringLiteral("beep 587 200")});

        run.world.dialogs.clear();
        page.CheckBox18->click();
        QVERIFY(!page.CheckBox18->isChecked());
        QVERIFY(run.world.dialogs.requests.isEmpty());
        run.sound->requests.clear();
        edit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        type(edit, Qt::Key_3, QStringLiteral("3"));
        QVERIFY(run.sound->requests.isEmpty());
    }

    // Service mode inverts the piano and the record panel: before a check it shows both, after one it hides
    // the piano the check had shown.
    void serviceModeInvertsThePianoAndTheRecordPanel()
    {
        SoundWorld run;
        QVERIFY(run.start());
        Ui::InfoPage& page = run.page();
        run.switchServiceMode();
        QVERIFY(!page.Panel14->isHidden());
        QVERIFY(!page.Panel15->isHidden());
        QVERIFY(page.CheckBox18->isHidden());
        // The record panel's buttons do nothing.
        run.world.dialogs.clear();
        for (QPushButton* button : {page.RecordButton, page.PlayBackButton, page.DeleteButton, page.NotesButton})
            button->click();
        QVERIFY(run.world.dialogs.requests.isEmpty());
        QVERIFY(run.sound->requests.isEmpty());
        run.switchServiceMode();
        QVERIFY(page.Panel14->isHidden());
        QVERIFY(page.Panel15->isHidden());

        page.SoundCheckButton->click();
        QMetaObject::invokeMethod(&run.check().pauseTimer(), "timeout");
        run.endAllNotes();
        QVERIFY(!page.Panel14->isHidden());
        run.switchServiceMode();
        QVERIFY(page.Panel14->isHidden());
        QVERIFY(!page.Panel15->isHidden());
        QVERIFY(!page.CheckBox18->isHidden());
    }
};

TROMBUS_GUI_TEST_MAIN(SoundCheckTest)
#include "soundcheck_test.moc"
