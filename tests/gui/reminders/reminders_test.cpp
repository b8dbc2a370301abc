#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/tapplication.h"
#include "common/errorreport.h"
#include "common/errors.h"
#include "digitentry.h"
#include "fakeclock.h"
#include "recordingservices.h"
#include "reminders/tmessia.h"
#include "testworld.h"
#include "ui_Messia.h"
#include "ui_RemindPage.h"
#include "widgets/tnumedit.h"

namespace {

const QString Start = QStringLiteral("ЗАПУСК");
const QString Stop = QStringLiteral("СТОП");
const QString Accept = QStringLiteral("ПРИНЯТЬ");
const QString Cancel = QStringLiteral("ОТМЕНА");
const QString Untouched = QStringLiteral("Текст сообщения");

// One program run with recording stand-ins for everything a firing does to the machine.
struct Run
{
    explicit Run(const QTime& timeOfDay = QTime(12, 0, 0)) : clock(QDateTime(QDate(2026, 12, 9), timeOfDay))
    {
        world.platform->replace<platform::Power>(std::make_shared<RecordingPower>(log));
        world.platform->replace<platform::Sound>(std::make_shared<RecordingSound>(log));
        world.platform->replace<platform::Opener>(std::make_shared<RecordingOpener>(log));
        started = world.start();
        ui().TabbedNotebook1->setCurrentWidget(ui().PageRemind);
    }
    /// Whether the window came up; every test checks it first, since a constructor cannot fail a test.
    bool started = false;
    Ui::Form1& ui() { return world.ui(); }
    Ui::RemindPage& remindPage() { return world.remindPage(); }
    TMessia& messia() { return *qobject_cast<TMessia*>(world.form1().messiaWindow()); }

    void timerTick(int ms = 1000)
    {
        clock.advanceMs(ms);
        QMetaObject::invokeMethod(&world.features().TIMER, "timeout");
    }
    void alarmTickAt(const QTime& time)
    {
        clock.setTimeOfDay(time);
        QMetaObject::invokeMethod(&world.features().BUDIL, "timeout");
    }

    FakeClock clock;
    ReminderLog log;
    TestWorld world;
};

QStringList texts(TNumEdit* h, TNumEdit* m, TNumEdit* s)
{
    return {h->text(), m->text(), s->text()};
}

// Types any text (Cyrillic too) one key event per character.
void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void setTimer(Run& run, const QString& h, const QString& m, const QString& s)
{
    typeInto(run.remindPage().NumEdit1, h);
    typeInto(run.remindPage().NumEdit2, m);
    typeInto(run.remindPage().NumEdit3, s);
}

void setAlarm(Run& run, const QString& h, const QString& m, const QString& s)
{
    typeInto(run.remindPage().NumEdit4, h);
    typeInto(run.remindPage().NumEdit5, m);
    typeInto(run.remindPage().NumEdit6, s);
}

QColor fillOf(QWidget* shape)
{
    return shape->grab().toImage().pixelColor(shape->width() / 2, shape->height() / 2);
}

// A key as a user presses it: a character, or Ctrl with a letter for the control codes.
void pressKey(QWidget* widget, QChar key)
{
    if (key == QChar(8))
        QTest::keyClick(widget, Qt::Key_Backspace);
    else if (key.unicode() < 32)
        QTest::keyClick(widget, Qt::Key(Qt::Key_A + key.unicode() - 1), Qt::ControlModifier);
    else
        QTest::keyClick(widget, key.toLatin1());
}

} // namespace

class RemindersTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void numEditFiltersTypedKeys_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<bool>("isUnsigned");
        QTest::addColumn<bool>("enableFloat");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret"); // -1: whole text selected
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");

        QTest::newRow("max 23: 2 then 5 gives the bound") << 0.f << 23.f << true << true << "C"
                                                          << "" << 0 << "25"
                                                          << "23";
        QTest::newRow("whole selection still appends: 593") << 0.f << 59.f << true << true << "C"
                                                            << "59" << -1 << "3"
                                                            << "59";
        QTest::newRow("caret before 0: 07 passes, 70 results") << 0.f << 59.f << true << true << "C"
                                                               << "0" << 0 << "7"
                                                               << "70";
        QTest::newRow("below min gives the min") << 10.f << 99.f << false << true << "C"
                                                 << "" << 0 << "5"
                                                 << "10";
        QTest::newRow("minus into empty when allowed") << -10.f << 10.f << false << true << "C"
                                                       << "" << 0 << "-5"
                                                       << "-5";
        QTest::newRow("minus never with min 0") << 0.f << 10.f << false << true << "C"
                                                << "" << 0 << "-5"
                                                << "5";
        QTest::newRow("minus never when unsigned") << -10.f << 10.f << true << true << "C"
                                                   << "" << 0 << "-5"
                                                   << "5";
        QTest::newRow("minus only into empty text") << -10.f << 10.f << false << true << "C"
                                                    << "5" << 1 << "-"
                                                    << "5";
        QTest::newRow("dot under comma locale") << 0.f << 59.f << true << true << "ru_RU"
                                                << "5" << 1 << "."
                                                << "5,";
        QTest::newRow("one separator only") << 0.f << 59.f << true << true << "ru_RU"
                                            << "5" << 1 << ".,."
                                            << "5,";
        QTest::newRow("comma under dot locale") << 0.f << 59.f << true << true << "C"
                                                << "5" << 1 << ","
                                                << "5.";
        QTest::newRow("no separator without floats") << 0.f << 59.f << true << false << "C"
                                                     << "5" << 1 << ".,"
                                                     << "5";
        QTest::newRow("letters, space, Enter, Escape") << 0.f << 59.f << true << true << "C"
                                                       << "5" << 1 << "a \r\x1b"
                                                       << "5";
        QTest::newRow("backspace passes") << 0.f << 59.f << true << true << "C"
                                          << "12" << 2 << "\b"
                                          << "1";
        QTest::newRow("ctrl+v typed does not paste") << 0.f << 59.f << true << true << "C"
                                                     << "5" << 1 << "\x16"
                                                     << "5";
        QTest::newRow("ctrl+x typed does not cut") << 0.f << 59.f << true << true << "C"
                                                   << "5" << -1 << "\x18"
                                                   << "5";
        QTest::newRow("ctrl+z typed does not undo") << 0.f << 59.f << true << true << "C"
                                                    << "1" << 1 << "2\x1a"
                                                    << "12";
    }

    void numEditFiltersTypedKeys()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        QFETCH(bool, isUnsigned);
        QFETCH(bool, enableFloat);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, keys);
        QFETCH(QString, expected);

        QLocale::setDefault(QLocale(locale));
        QApplication::clipboard()->setText(QStringLiteral("7"));
        DialogRecorder dialogs;
        TNumEdit edit;
        edit.setMax(max);
        edit.setMin(min);
        edit.setUnsigned(isUnsigned);
        edit.setEnableFloat(enableFloat);
        edit.setText(text);
        if (caret < 0)
            edit.selectAll();
        else
            edit.setCursorPosition(caret);
        for (QChar key : keys)
            pressKey(&edit, key);
        QCOMPARE(edit.text(), expected);
        QVERIFY(dialogs.requests.isEmpty());
    }

    void numEditReadsAndWritesNumbers()
    {
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        TNumEdit edit;
        QCOMPARE(edit.text(), QStringLiteral("0"));
        QCOMPARE(edit.Max(), 1000.f);
        QVERIFY(!edit.SetMin(2000));
        QVERIFY(edit.SetMax(23));
        QVERIFY(!edit.SetMin(50));
        QCOMPARE(edit.Min(), 0.f);
        QVERIFY(!edit.SetMax(-1));
        QCOMPARE(edit.Max(), 23.f);

        edit.setText(QString());
        QCOMPARE(edit.GetNumb(), 0.f);
        edit.SetNumb(7);
        QCOMPARE(edit.text(), QStringLiteral("7"));
        QCOMPARE(edit.GetNumb(), 7.f);
        edit.SetNumb(-3); // below Min: not checked
        QCOMPARE(edit.text(), QStringLiteral("-3"));
        QCOMPARE(edit.GetNumb(), -3.f);
        edit.SetNumb(2.5f);
        QCOMPARE(edit.text(), QStringLiteral("2,5"));
        QVERIFY_THROWS_EXCEPTION(ConvertError, edit.GetNumb());
        edit.setText(QStringLiteral("5,"));
        QVERIFY_THROWS_EXCEPTION(ConvertError, edit.GetNumb());
    }

    void numEditDigitAfterPastedTextReportsTheError()
    {
        DialogRecorder dialogs;
        TNumEdit edit;
        edit.setText(QStringLiteral("ab"));
        edit.setCursorPosition(2);
        QTest::keyClick(&edit, '1');
        QCOMPARE(edit.text(), QStringLiteral("ab"));
        QCOMPARE(dialogs.errors(),
                 QStringList{errorReportText(QStringLiteral("'ab1' is not a valid floating point value"))});
    }

    // The indicators stay circles through scale steps, idle (red) and running (green).
    void indicatorsStayRoundWhenScaled()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        ui.NumEdit3->setText(QStringLiteral("5"));
        ui.BitBtn13->click();
        for (const auto& [percent, divisor] : {std::pair{150, 100}, std::pair{100, 150}, std::pair{200, 100}}) {
            run.world.form1().scaleBy(percent, divisor);
            for (QFrame* indicator : {ui.Shape5, ui.Shape6}) {
                QCOMPARE(indicator->width(), indicator->height());
                const QString radius = QStringLiteral("border-radius: %1px").arg(indicator->width() / 2);
                QVERIFY2(indicator->styleSheet().contains(radius), qPrintable(indicator->styleSheet()));
            }
        }
        QVERIFY(ui.Shape5->styleSheet().contains(QLatin1String("#00ff00")) ||
                ui.Shape6->styleSheet().contains(QLatin1String("#00ff00")));
    }

    void groupsShowTheirFieldsAndButtons()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        QCOMPARE(ui.GroupBox12->parentWidget(), run.ui().PageRemind);
        QCOMPARE(ui.GroupBox17->parentWidget(), run.ui().PageRemind);
        QVERIFY(ui.GroupBox12->geometry().right() < ui.GroupBox17->geometry().left());
        QVERIFY(ui.GroupBox12->geometry().bottom() < ui.GroupBox18->y() &&
                ui.GroupBox17->geometry().bottom() < ui.GroupBox18->y());
        const QList<TNumEdit*> fields = {ui.NumEdit1, ui.NumEdit2, ui.NumEdit3, ui.NumEdit4, ui.NumEdit5, ui.NumEdit6};
        const QList<QScrollBar*> bars = {ui.ScrollBar1, ui.ScrollBar2, ui.ScrollBar3,
                                         ui.ScrollBar4, ui.ScrollBar5, ui.ScrollBar6};
        for (int i = 0; i < 6; ++i) {
            const int max = i % 3 == 0 ? 23 : 59;
            QCOMPARE(fields[i]->maxLength(), 2);
            QCOMPARE(fields[i]->Max(), float(max));
            QCOMPARE(fields[i]->Min(), 0.f);
            QVERIFY(fields[i]->Unsigned() && fields[i]->EnableFloat() && fields[i]->font().bold());
            QCOMPARE(bars[i]->minimum(), -max);
            QCOMPARE(bars[i]->maximum(), 0);
            QCOMPARE(bars[i]->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(ui.NumEdit6->text(), QStringLiteral("0"));
        for (QComboBox* box : {ui.ComboBox9, ui.ComboBox8}) {
            QCOMPARE(box->currentText(), QStringLiteral("не надо"));
            QCOMPARE(box->currentIndex(), -1);
            QCOMPARE(box->count(), 4);
        }
        QCOMPARE(ui.Label78->text(), QStringLiteral("C:\\WINDOWS\\Media\\town.mid"));
        QCOMPARE(ui.Label79->text(), QStringLiteral("C:\\WINDOWS\\Media\\flourish.mid"));
        QCOMPARE(ui.CheckBox17->text(), QStringLiteral("Запустить файл   V"));
        QVERIFY(ui.Panel11->isVisible() && ui.Panel12->isVisible());
        QCOMPARE(fillOf(ui.Shape6), QColor(Qt::red));
        QCOMPARE(fillOf(ui.Shape5), QColor(Qt::red));

        QTest::mouseClick(ui.Panel11, Qt::LeftButton);
        QVERIFY(!ui.Panel11->isVisible());
        QVERIFY(ui.CheckBox14->isVisible());
        QVERIFY(ui.Panel12->isVisible());
    }

    void timerCountsDownAndFires_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("fired");
        QTest::newRow("0:0:1 fires at the first tick")
            << QStringList{"0", "0", "1"} << 1 << QStringList{"0", "0", "0"} << true;
        QTest::newRow("0:1:0 after one tick")
            << QStringList{"0", "1", "0"} << 1 << QStringList{"0", "0", "59"} << false;
        QTest::newRow("0:1:0 after 59 ticks")
            << QStringList{"0", "1", "0"} << 59 << QStringList{"0", "0", "1"} << false;
        QTest::newRow("0:1:0 fires after 60") << QStringList{"0", "1", "0"} << 60 << QStringList{"0", "0", "0"} << true;
        QTest::newRow("1:0:0 after one tick")
            << QStringList{"1", "0", "0"} << 1 << QStringList{"0", "59", "59"} << false;
        QTest::newRow("05 minutes after one tick")
            << QStringList{"0", "05", "0"} << 1 << QStringList{"0", "4", "59"} << false;
    }

    void timerCountsDownAndFires()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, ticks);
        QFETCH(QStringList, shown);
        QFETCH(bool, fired);
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        setTimer(run, typed[0], typed[1], typed[2]);
        QCOMPARE(texts(ui.NumEdit1, ui.NumEdit2, ui.NumEdit3), typed);
        ui.BitBtn13->click();
        QCOMPARE(ui.GroupBox12->title(),
                 QStringLiteral("Таймер установлен на -> %1ч %2м %3с.").arg(typed[0], typed[1], typed[2]));
        QCOMPARE(ui.BitBtn13->text(), Stop);
        QCOMPARE(ui.BitBtn13->property("Tag").toInt(), 1);
        QVERIFY(!ui.NumEdit2->isEnabled());
        QVERIFY(run.world.features().TIMER.isActive());
        QCOMPARE(fillOf(ui.Shape6), QColor(Qt::green));

        for (int i = 0; i < ticks; ++i)
            run.timerTick();
        QCOMPARE(texts(ui.NumEdit1, ui.NumEdit2, ui.NumEdit3), shown);
        QCOMPARE(run.log.events, fired ? QStringList{"beep"} : QStringList{});
        QCOMPARE(ui.BitBtn13->text(), fired ? Start : Stop);
        QCOMPARE(run.world.features().TIMER.isActive(), !fired);
        if (fired) {
            QCOMPARE(ui.GroupBox12->title(), QStringLiteral("Таймер"));
            QCOMPARE(ui.BitBtn13->property("Tag").toInt(), 0);
            QVERIFY(ui.NumEdit2->isEnabled());
            QCOMPARE(fillOf(ui.Shape6), QColor(Qt::red));
        }
    }

    void stoppedTimerContinuesFromTheRemainingTime()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        setTimer(run, "0", "0", "45");
        ui.BitBtn13->click();
        for (int i = 0; i < 3; ++i)
            run.timerTick();
        ui.BitBtn13->click();
        QCOMPARE(ui.BitBtn13->text(), Start);
        QVERIFY(!run.world.features().TIMER.isActive());
        run.clock.advanceMs(5000); // time passes while it is stopped
        QCOMPARE(ui.NumEdit3->text(), QStringLiteral("42"));
        ui.BitBtn13->click();
        QCOMPARE(ui.GroupBox12->title(), QStringLiteral("Таймер установлен на -> 0ч 0м 42с."));
        run.timerTick();
        QCOMPARE(texts(ui.NumEdit1, ui.NumEdit2, ui.NumEdit3), (QStringList{"0", "0", "41"}));
    }

    void lateTickStillFiresOnTime()
    {
        Run run;
        QVERIFY(run.started);
        setTimer(run, "0", "0", "10");
        run.remindPage().BitBtn13->click();
        run.timerTick(4000);
        QCOMPARE(run.remindPage().NumEdit3->text(), QStringLiteral("6"));
        run.timerTick(6000);
        QCOMPARE(run.log.events, QStringList{"beep"});
        QCOMPARE(run.remindPage().BitBtn13->text(), Start);
    }

    void allZeroTimerOnlyShowsTheErrorIndicator()
    {
        Run run;
        QVERIFY(run.started);
        run.remindPage().BitBtn13->click();
        QVERIFY(run.ui().ErroR->isVisible());
        QCOMPARE(run.remindPage().BitBtn13->text(), Start);
        QVERIFY(!run.world.features().TIMER.isActive());
        QTest::mouseMove(run.remindPage().GroupBox12, QPoint(200, 30));
        QTRY_VERIFY(!run.ui().ErroR->isVisible());
        QVERIFY(run.world.dialogs.requests.isEmpty());
    }

    void scrollBarsSetTheirFieldOnlyWhileIdle()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        for (int i = 0; i < 7; ++i)
            ui.ScrollBar3->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(ui.NumEdit3->text(), QStringLiteral("7"));
        ui.ScrollBar1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(ui.NumEdit1->text(), QStringLiteral("1"));
        typeInto(ui.NumEdit3, "30"); // the bar does not follow typed values
        ui.ScrollBar3->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(ui.NumEdit3->text(), QStringLiteral("6"));

        ui.BitBtn13->click();
        ui.ScrollBar3->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(ui.ScrollBar3->value(), -7);
        QCOMPARE(ui.NumEdit3->text(), QStringLiteral("6"));
    }

    void commaIsRejectedInEveryField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("expected");
        for (const char* field : {"NumEdit1", "NumEdit2", "NumEdit3", "NumEdit4", "NumEdit5", "NumEdit6"}) {
            QTest::addRow("%s comma, comma locale", field) << field << "ru_RU" << ',' << "5";
            QTest::addRow("%s dot, comma locale", field) << field << "ru_RU" << '.' << "5";
            QTest::addRow("%s comma, dot locale", field) << field << "C" << ',' << "5.";
        }
    }

    void commaIsRejectedInEveryField()
    {
        QFETCH(QString, field);
        QFETCH(QString, locale);
        QFETCH(char, key);
        QFETCH(QString, expected);
        Run run;
        QVERIFY(run.started);
        QLocale::setDefault(QLocale(locale));
        auto* edit = run.world.form1().findChild<TNumEdit*>(field);
        QVERIFY(edit);
        typeInto(edit, "5");
        QTest::keyClick(edit, key);
        QCOMPARE(edit->text(), expected);
    }

    void firingShowsTheMessageBeforeTheSystemAction()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        QTest::mouseClick(ui.Panel11, Qt::LeftButton);
        ui.CheckBox14->click();
        QLineEdit* t = run.messia().form().T;
        QVERIFY(run.messia().isVisible());
        t->selectAll();
        typeText(t, QStringLiteral("Чайник!"));
        QTest::keyClick(t, Qt::Key_Return);
        QVERIFY(!run.messia().isVisible());
        ui.ComboBox9->setCurrentIndex(2);
        QCOMPARE(ui.ComboBox9->currentText(), QStringLiteral("перезагрузка"));

        QStringList stateAtEvents;
        run.log.onEvent = [&](const QString&) { stateAtEvents << ui.BitBtn13->text(); };
        Dialogs::setHook([&](const Dialogs::Request& request) {
            run.log.add(QStringLiteral("message:") + request.text);
            return Dialogs::Reply{};
        });
        setTimer(run, "0", "0", "1");
        ui.BitBtn13->click();
        run.timerTick();
        QCOMPARE(run.log.events, (QStringList{"message:Чайник!", "power:restart"}));
        QCOMPARE(stateAtEvents, (QStringList{Start, Start}));
        QCOMPARE(texts(ui.NumEdit1, ui.NumEdit2, ui.NumEdit3), (QStringList{"0", "0", "0"}));
    }

    void firingOpensTheChosenFile()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        QTest::mouseClick(ui.Panel11, Qt::LeftButton);
        const QString chosen = run.world.configDir() + QStringLiteral("/звонок.ogg");
        run.world.dialogs.answerNext(Dialogs::Reply{true, {}, chosen, {}});
        QTest::mouseClick(ui.Label78, Qt::LeftButton);
        QCOMPARE(ui.Label78->text(), chosen);
        run.world.dialogs.answerNo();
        QTest::mouseClick(ui.Label78, Qt::LeftButton);
        QCOMPARE(ui.Label78->text(), chosen);
        const Dialogs::Request& asked = run.world.dialogs.requests.first();
        QCOMPARE(asked.kind, Dialogs::Kind::OpenFile);
        QCOMPARE(asked.text, QStringLiteral("Чо Врубить"));
        QCOMPARE(asked.filter, QStringLiteral("Все файлы|*.*"));

        ui.CheckBox17->click();
        setTimer(run, "0", "0", "1");
        ui.BitBtn13->click();
        run.timerTick();
        QCOMPARE(run.log.events, QStringList{QStringLiteral("open:") + chosen});
    }

    void actionBoxWithoutAPickedActionDoesNothing_data()
    {
        QTest::addColumn<int>("picked");
        QTest::addColumn<QString>("typed");
        QTest::newRow("initial text") << -2 << QString();
        QTest::newRow("picked не надо") << 0 << QString();
        QTest::newRow("typed перезагрузка") << -2 << QStringLiteral("перезагрузка");
        QTest::newRow("typed не надо over a picked выключение") << 3 << QStringLiteral("не надо");
    }

    void actionBoxWithoutAPickedActionDoesNothing()
    {
        QFETCH(int, picked);
        QFETCH(QString, typed);
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        if (picked >= 0)
            ui.ComboBox9->setCurrentIndex(picked);
        if (!typed.isEmpty()) {
            QLineEdit* edit = ui.ComboBox9->lineEdit();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            typeText(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(ui.ComboBox9->currentText(), typed);
        }
        setTimer(run, "0", "0", "1");
        ui.BitBtn13->click();
        run.timerTick();
        QCOMPARE(run.log.events, QStringList{"beep"});
    }

    void alarmFieldsStartAtTheCurrentTime()
    {
        Run run(QTime(9, 41, 27));
        QVERIFY(run.started);
        QCOMPARE(texts(run.remindPage().NumEdit4, run.remindPage().NumEdit5, run.remindPage().NumEdit6),
                 (QStringList{"9", "41", "0"}));
        QCOMPARE(run.remindPage().ScrollBar4->value(), -9);
        QCOMPARE(run.remindPage().ScrollBar5->value(), -41);
    }

    void alarmFiresAtItsSecondOnly_data()
    {
        QTest::addColumn<QTime>("armedAt");
        QTest::addColumn<QList<QTime>>("ticks");
        QTest::addColumn<int>("firesAt");
        QTest::newRow("07:30:00 fires") << QTime(7, 29, 58) << QList<QTime>{QTime(7, 29, 59), QTime(7, 30, 0)} << 1;
        QTest::newRow("07:30:01 does not") << QTime(7, 30, 1) << QList<QTime>{QTime(7, 30, 2), QTime(7, 31, 0)} << -1;
        QTest::newRow("late tick past the second")
            << QTime(7, 29, 58) << QList<QTime>{QTime(7, 29, 59), QTime(7, 30, 1), QTime(7, 30, 2)} << 1;
    }

    void alarmFiresAtItsSecondOnly()
    {
        QFETCH(QTime, armedAt);
        QFETCH(QList<QTime>, ticks);
        QFETCH(int, firesAt);
        Run run(armedAt);
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        setAlarm(run, "7", "30", "0");
        ui.BitBtn14->click();
        QCOMPARE(ui.GroupBox17->title(), QStringLiteral("Будильник установлен на -> 7ч 30м 0с."));
        QCOMPARE(ui.BitBtn14->text(), Cancel);
        QVERIFY(!ui.ScrollBar4->isVisible() && !ui.ScrollBar6->isVisible());
        QVERIFY(!ui.NumEdit5->isEnabled());
        QCOMPARE(fillOf(ui.Shape5), QColor(Qt::green));
        QVERIFY(run.world.features().BUDIL.isActive());
        for (int i = 0; i < ticks.size(); ++i) {
            run.alarmTickAt(ticks[i]);
            QCOMPARE(run.log.events.size(), i >= firesAt && firesAt >= 0 ? 1 : 0);
        }
        const bool fired = firesAt >= 0;
        QCOMPARE(ui.BitBtn14->text(), fired ? Accept : Cancel);
        QCOMPARE(run.world.features().BUDIL.isActive(), !fired);
        QCOMPARE(ui.ScrollBar4->isVisible(), fired);
        if (fired) {
            QCOMPARE(ui.GroupBox17->title(), QStringLiteral("Будильник"));
            QCOMPARE(fillOf(ui.Shape5), QColor(Qt::red));
        }
    }

    void unreadableFieldNeitherStartsNorArms_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("idle");
        QTest::addColumn<QString>("running");
        QTest::newRow("timer") << "NumEdit2"
                               << "BitBtn13" << Start << Stop;
        QTest::newRow("alarm") << "NumEdit5"
                               << "BitBtn14" << Accept << Cancel;
    }

    // The click is performed from code, outside any event: only the guarded connection stands between the
    // error and the caller.
    void unreadableFieldNeitherStartsNorArms()
    {
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(QString, idle);
        QFETCH(QString, running);
        Run run;
        QVERIFY(run.started);
        auto* edit = run.world.form1().findChild<TNumEdit*>(field);
        auto* start = run.world.form1().findChild<QPushButton*>(button);
        QTimer& timer = button == QStringLiteral("BitBtn13") ? run.world.features().TIMER : run.world.features().BUDIL;
        edit->setText(QStringLiteral("5,")); // as pasted from the context menu
        start->click();
        QCOMPARE(run.world.dialogs.errors(),
                 QStringList{errorReportText(QStringLiteral("'5,' is not a valid integer value"))});
        QCOMPARE(start->text(), idle);
        QCOMPARE(start->property("Tag").toInt(), 0);
        QVERIFY(edit->isEnabled());
        QVERIFY(!timer.isActive());

        edit->setText(QStringLiteral("5"));
        start->click();
        QCOMPARE(start->text(), running);
        QVERIFY(timer.isActive());
        QCOMPARE(run.world.dialogs.errors().size(), 1);
    }

    // Both groups share their code; each keeps its own fields, bars, timer and state.
    void timerAndAlarmRunIndependently()
    {
        Run run(QTime(12, 0, 0));
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        TForm1& form = run.world.form1();
        setTimer(run, "0", "0", "3");
        setAlarm(run, "12", "0", "2");
        ui.BitBtn13->click();
        ui.BitBtn14->click();
        QVERIFY(form.features().TIMER.isActive() && form.features().BUDIL.isActive());
        QVERIFY(ui.ScrollBar3->isVisible());
        QVERIFY(!ui.ScrollBar6->isVisible());

        run.timerTick();
        QCOMPARE(texts(ui.NumEdit1, ui.NumEdit2, ui.NumEdit3), (QStringList{"0", "0", "2"}));
        QCOMPARE(texts(ui.NumEdit4, ui.NumEdit5, ui.NumEdit6), (QStringList{"12", "0", "2"}));
        ui.ScrollBar2->triggerAction(QAbstractSlider::SliderSingleStepSub); // running: changes nothing
        QCOMPARE(ui.NumEdit2->text(), QStringLiteral("0"));

        ui.BitBtn13->click();
        QCOMPARE(ui.BitBtn13->text(), Start);
        QCOMPARE(ui.BitBtn14->text(), Cancel);
        QVERIFY(!form.features().TIMER.isActive() && form.features().BUDIL.isActive());
        QVERIFY(ui.NumEdit3->isEnabled() && !ui.NumEdit6->isEnabled());
        QCOMPARE(fillOf(ui.Shape6), QColor(Qt::red));
        QCOMPARE(fillOf(ui.Shape5), QColor(Qt::green));

        run.alarmTickAt(QTime(12, 0, 2));
        QCOMPARE(run.log.events, QStringList{"beep"});
        QCOMPARE(ui.BitBtn14->text(), Accept);
        QCOMPARE(ui.GroupBox12->title(), QStringLiteral("Таймер"));
        QCOMPARE(ui.GroupBox17->title(), QStringLiteral("Будильник"));
        QCOMPARE(texts(ui.NumEdit1, ui.NumEdit2, ui.NumEdit3), (QStringList{"0", "0", "2"}));
        ui.ScrollBar6->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(ui.NumEdit6->text(), QStringLiteral("1"));
    }

    void promptShowsOnlyTheCallersEdit()
    {
        Run run;
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        TMessia& messia = run.messia();
        QLineEdit* t = messia.form().T;
        QLineEdit* b = messia.form().B;
        QVERIFY(!messia.isVisible());
        QCOMPARE(messia.windowTitle(), QStringLiteral("Сообщение"));
        QCOMPARE(messia.size(), QSize(326, 37));
        QCOMPARE(t->geometry(), b->geometry());

        ui.CheckBox14->click();
        QVERIFY(messia.isVisible());
        QVERIFY(!t->isHidden() && b->isHidden());
        t->selectAll();
        typeText(t, QStringLiteral("Чайник"));
        QTest::keyClick(t, Qt::Key_Enter);
        QVERIFY(!messia.isVisible());
        QVERIFY(t->isHidden() && b->isHidden());

        ui.CheckBox15->click();
        QVERIFY(messia.isVisible());
        QVERIFY(t->isHidden() && !b->isHidden());
        QCOMPARE(b->text(), Untouched);
        QCOMPARE(t->text(), QStringLiteral("Чайник"));

        // The close box leaves B as it was; the next opening still shows only the caller's edit.
        messia.close();
        QVERIFY(!messia.isVisible());
        ui.CheckBox14->click(); // unchecking opens nothing
        QVERIFY(!messia.isVisible());
        ui.CheckBox14->click();
        QVERIFY(messia.isVisible());
        QVERIFY(!t->isHidden() && b->isHidden());
        QCOMPARE(t->text(), QStringLiteral("Чайник"));
        QTest::mouseClick(messia.form().BB, Qt::LeftButton);
        QVERIFY(!messia.isVisible());
    }

    void alarmShowsItsOwnMessage()
    {
        Run run(QTime(6, 59, 59));
        QVERIFY(run.started);
        Ui::RemindPage& ui = run.remindPage();
        QTest::mouseClick(ui.Panel12, Qt::LeftButton);
        ui.CheckBox15->click();
        QLineEdit* b = run.messia().form().B;
        b->selectAll();
        typeText(b, QStringLiteral("Вставай"));
        QTest::keyClick(b, Qt::Key_Return);
        setAlarm(run, "7", "0", "0");
        ui.BitBtn14->click();
        run.alarmTickAt(QTime(7, 0, 0));
        QCOMPARE(run.world.dialogs.messages(), QStringList{QStringLiteral("Вставай")});
        QVERIFY(run.log.events.isEmpty());
        QCOMPARE(ui.BitBtn14->text(), Accept);
    }
};

TROMBUS_GUI_TEST_MAIN(RemindersTest)
#include "reminders_test.moc"
