#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QScreen>
#include <QTabBar>
#include <QTest>

#include "app/appearance.h"
#include "app/ledshow.h"
#include "app/placementrules.h"
#include "app/systemmenus.h"
#include "app/tapplication.h"
#include "app/trayicon.h"
#include "common/colors.h"
#include "fakeclock.h"
#include "recordingleds.h"
#include "recordingsystemmenu.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_InfoPage.h"
#include "ui_MainPage.h"
#include "ui_RemindPage.h"

namespace {

void typeInto(QWidget* widget, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

void typeDigits(QWidget* widget, const QString& digits)
{
    for (const QChar c : digits)
        typeInto(widget, Qt::Key(Qt::Key_0 + (c.unicode() - '0')), QString(c));
}

void moveMouseOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Makes the window small enough, and puts it high enough, for a scale by the percentage to fit the screen.
void leaveRoomToScale(TestWorld& world, int percent)
{
    TForm1& form = world.form1();
    const QRect area = form.screen()->availableGeometry();
    const QSize decoration = form.placement().frameRect().size() - form.size();
    const QSize room = (area.size() - decoration) * 100 / percent - QSize(4, 4);
    form.resize(form.size().boundedTo(room));
    form.placement().placeFrame(area.topLeft());
}

void applyScale(TestWorld& world, const QString& percent)
{
    world.ui().Edit1->setText(percent);
    typeInto(world.ui().Edit1, Qt::Key_Return, QStringLiteral("\r"));
}

qreal fontSize(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
}

QString autostartEntry()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart/trombus.desktop");
}

} // namespace

class AppearanceTest : public QObject
{
    Q_OBJECT

private slots:
    void backspaceAndOtherCharactersAreRefusedWithTheIndicator_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b");
        QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("a");
        QTest::newRow("cyrillic") << 0x0424 << QStringLiteral("ф");
        QTest::newRow("minus") << int(Qt::Key_Minus) << QStringLiteral("-");
    }

    void backspaceAndOtherCharactersAreRefusedWithTheIndicator()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        TestWorld world;
        QVERIFY(world.start());
        QLineEdit* edit = world.ui().Edit1;
        edit->setFocus();
        edit->end(false);
        QVERIFY(world.ui().ErroR->isHidden());

        typeInto(edit, Qt::Key(key), text);

        QCOMPARE(edit->text(), QStringLiteral("100"));
        QVERIFY(!world.ui().ErroR->isHidden());
    }

    void digitsAndEditingKeysPass()
    {
        TestWorld world;
        QVERIFY(world.start());
        QLineEdit* edit = world.ui().Edit1;
        edit->setFocus();
        edit->end(false);
        typeDigits(edit, QStringLiteral("5"));
        QCOMPARE(edit->text(), QStringLiteral("1005"));
        typeInto(edit, Qt::Key_Left, {});
        typeInto(edit, Qt::Key_Delete, QStringLiteral("\x7f"));
        QCOMPARE(edit->text(), QStringLiteral("100"));
        QVERIFY(world.ui().ErroR->isHidden());
    }

    void enterScalesAndTheLabelUndoesOneStep()
    {
        TestWorld world;
        QVERIFY(world.start());
        leaveRoomToScale(world, 200);
        QWidget& form = world.form1();
        const QSize original = form.size();
        const QPoint corner = world.form1().placement().framePosition();
        const QRect button = world.ui().BitBtn3->geometry();
        QLineEdit* edit = world.ui().Edit1;
        edit->clear();

        typeDigits(edit, QStringLiteral("200"));
        typeInto(edit, Qt::Key_Return, QStringLiteral("\r"));

        QCOMPARE(world.features().appearance().scalePercent(), 200);
        QCOMPARE(form.size(), original * 2);
        QTRY_COMPARE(form.pos(), corner);
        QCOMPARE(world.ui().BitBtn3->geometry(), QRect(button.topLeft() * 2, button.size() * 2));

        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);
        QCOMPARE(form.size(), original);
        QCOMPARE(world.ui().BitBtn3->geometry(), button);

        // The second undo halves. The status bar's fixed panels set the window's least width, so only the
        // height and the controls show the halving in full.
        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);
        QVERIFY(qAbs(form.height() * 2 - original.height()) <= 1);
        QCOMPARE(world.ui().BitBtn3->geometry(), QRect(button.topLeft() / 2, button.size() / 2));
        QTRY_COMPARE(form.pos(), corner);
    }

    void enterTwiceCompounds()
    {
        TestWorld world;
        QVERIFY(world.start());
        leaveRoomToScale(world, 225);
        const QSize original = world.form1().size();
        QLineEdit* edit = world.ui().Edit1;
        edit->setText(QStringLiteral("150"));
        typeInto(edit, Qt::Key_Return, QStringLiteral("\r"));
        typeInto(edit, Qt::Key_Return, QStringLiteral("\r"));
        QVERIFY(qAbs(world.form1().width() - original.width() * 9 / 4) <= 2);
    }

    void everyPartOfTheWindowScalesAndTheCornerStays()
    {
        TestWorld world;
        QVERIFY(world.start());
        leaveRoomToScale(world, 150);
        QTRY_VERIFY(!world.form1().placement().pending());
        const QPoint corner = world.form1().placement().framePosition();
        Ui::Form1& ui = world.ui();
        QTableWidget* grid = world.remindPage().StringGrid1;
        QTabBar* tabs = ui.TabbedNotebook1->tabBar();
        struct Sizes
        {
            int row, column, tab, panel;
            qreal tabFont, sideTabFont, buttonFont, menuFont, groupFont;
            QSize icon, picture;
        };
        auto measure = [&] {
            return Sizes{grid->rowHeight(0),
                         grid->columnWidth(0),
                         tabs->tabRect(0).width(),
                         ui.StatusBar1->panelGeometry(3).width(),
                         fontSize(tabs->font()),
                         fontSize(world.helpPage().PageControl1->tabBar()->font()),
                         fontSize(ui.BitBtn3->font()),
                         fontSize(ui.MainMenu1->font()),
                         fontSize(world.remindPage().GroupBox12->font()),
                         ui.SpeedButton32->iconSize(),
                         ui.Image3->pixmap().deviceIndependentSize().toSize()};
        };
        const Sizes before = measure();

        applyScale(world, QStringLiteral("150"));

        QCOMPARE(world.features().appearance().scalePercent(), 150);
        QVERIFY(ui.ErroR->isHidden());
        const Sizes after = measure();
        QCOMPARE(after.row, qRound(before.row * 1.5));
        QCOMPARE(after.column, qRound(before.column * 1.5));
        QVERIFY(qAbs(after.panel - before.panel * 1.5) <= 1);
        QVERIFY2(after.tab > before.tab * 1.3, qPrintable(QString::number(after.tab)));
        QVERIFY(qAbs(after.tabFont - before.tabFont * 1.5) <= 0.5);
        QVERIFY2(qAbs(after.sideTabFont - before.sideTabFont * 1.5) <= 0.5,
                 qPrintable(QString::number(after.sideTabFont)));
        QVERIFY(qAbs(after.buttonFont - before.buttonFont * 1.5) <= 0.5);
        QVERIFY(qAbs(after.menuFont - before.menuFont * 1.5) <= 0.5);
        QVERIFY(qAbs(after.groupFont - before.groupFont * 1.5) <= 0.5);
        QCOMPARE(after.icon, before.icon * 1.5);
        // The corner picture is drawn at its label's size once, not stretched again at every paint.
        QVERIFY(!ui.Image3->hasScaledContents());
        QCOMPARE(after.picture, ui.Image3->contentsRect().size());
        QCOMPARE(after.picture, before.picture * 1.5);
        const qint64 drawn = ui.Image3->pixmap().cacheKey();
        ui.Image3->repaint();
        ui.Image3->repaint();
        QCOMPARE(ui.Image3->pixmap().cacheKey(), drawn);
        QTRY_COMPARE(world.form1().placement().framePosition(), corner);

        QTest::mouseClick(ui.Label19, Qt::LeftButton);
        const Sizes undone = measure();
        QCOMPARE(undone.row, before.row);
        QCOMPARE(undone.column, before.column);
        QVERIFY(qAbs(undone.panel - before.panel) <= 1);
        // The tabs are laid out again once the notebook has taken in its new font.
        QTRY_COMPARE(tabs->tabRect(0).width(), before.tab);
        QCOMPARE(undone.tabFont, before.tabFont);
        QCOMPARE(undone.sideTabFont, before.sideTabFont);
        QCOMPARE(undone.groupFont, before.groupFont);
        QCOMPARE(undone.icon, before.icon);
        QCOMPARE(undone.picture, before.picture);
        QTRY_COMPARE(world.form1().placement().framePosition(), corner);

        // The parts of a control still follow its font afterwards (a launcher font chosen later, say).
        QFont chosen = grid->font();
        chosen.setPointSize(21);
        grid->setFont(chosen);
        QCOMPARE(grid->verticalHeader()->font().pointSize(), 21);
    }

    void scaleLargerThanTheScreenIsAppliedWithTheTitleBarOnIt_data()
    {
        QTest::addColumn<int>("percent");
        QTest::newRow("two hundred per cent") << 200;
        QTest::newRow("a thousand per cent") << 1000;
    }

    void scaleLargerThanTheScreenIsAppliedWithTheTitleBarOnIt()
    {
        QFETCH(int, percent);
        TestWorld world;
        QVERIFY(world.start());
        TForm1& form = world.form1();
        const QSize original = form.size();
        const QRect button = world.ui().BitBtn3->geometry();
        const QRect area = form.screen()->availableGeometry();
        QVERIFY(original.height() * percent / 100 > area.height());

        applyScale(world, QString::number(percent));

        QVERIFY(world.ui().ErroR->isHidden());
        QCOMPARE(world.features().appearance().scalePercent(), percent);
        QCOMPARE(form.size(), original * percent / 100);
        QCOMPARE(world.ui().BitBtn3->geometry(),
                 QRect(button.topLeft() * percent / 100, button.size() * percent / 100));
        QVERIFY(titleBarReachable(form.placement().frameRect(), form.placement().titleBarHeight(),
                                  WindowPlacement::screenAreas()));
        QVERIFY(world.dialogs.requests.isEmpty());

        // The undo brings the window back.
        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);
        QCOMPARE(form.size(), original);
        QCOMPARE(world.ui().BitBtn3->geometry(), button);
        QVERIFY(world.ui().ErroR->isHidden());
    }

    void scaleNoWindowCanHaveIsRefused()
    {
        TestWorld world;
        QVERIFY(world.start());
        TForm1& form = world.form1();
        const QSize original = form.size();
        const QRect button = world.ui().BitBtn3->geometry();

        applyScale(world, QStringLiteral("5000000"));

        QVERIFY(!world.ui().ErroR->isHidden());
        QCOMPARE(world.features().appearance().scalePercent(), 100);
        QCOMPARE(form.size(), original);
        QCOMPARE(world.ui().BitBtn3->geometry(), button);
        QVERIFY(world.dialogs.requests.isEmpty());
    }

    void undoLargerThanTheScreenIsApplied()
    {
        TestWorld world;
        QVERIFY(world.start());
        applyScale(world, QStringLiteral("50"));
        QCOMPARE(world.features().appearance().scalePercent(), 50);
        // The user makes the halved window large again; doubling it now goes past the screen.
        const QRect area = world.form1().screen()->availableGeometry();
        world.form1().resize(area.size() * 3 / 4);
        const QSize size = world.form1().size();

        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);

        QVERIFY(world.ui().ErroR->isHidden());
        QCOMPARE(world.form1().size(), size * 2);
        QVERIFY(titleBarReachable(world.form1().placement().frameRect(), world.form1().placement().titleBarHeight(),
                                  WindowPlacement::screenAreas()));
    }

    void storedScaleIsAppliedEvenPastTheScreen_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("105") << QStringLiteral("105");
        QTest::newRow("1000") << QStringLiteral("1000");
    }

    void storedScaleIsAppliedEvenPastTheScreen()
    {
        QFETCH(QString, stored);
        TestWorld first;
        QVERIFY(first.start());
        const QRect button = first.ui().BitBtn3->geometry();
        first.store(QStringLiteral("maschtab"), stored);
        // What a close of the scaled window stored with it.
        first.store(QStringLiteral("width"), QString::number(first.form1().width() * stored.toInt() / 100));
        first.store(QStringLiteral("height"), QString::number(first.form1().height() * stored.toInt() / 100));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        TForm1& form = second.form1();
        QVERIFY(second.dialogs.requests.isEmpty());
        QCOMPARE(second.features().appearance().scalePercent(), stored.toInt());
        QCOMPARE(second.ui().Edit1->text(), stored);
        QCOMPARE(second.ui().BitBtn3->geometry().size(), button.size() * stored.toInt() / 100);
        QVERIFY(titleBarReachable(form.placement().frameRect(), form.placement().titleBarHeight(),
                                  WindowPlacement::screenAreas()));
    }

    void storedPositionOffEveryScreenComesBack_data()
    {
        QTest::addColumn<QPoint>("stored");
        QTest::newRow("title bar above the screen") << QPoint(100, -300);
        QTest::newRow("on a monitor to the right that is gone") << QPoint(5000, 100);
        QTest::newRow("below the screen") << QPoint(100, 5000);
    }

    void storedPositionOffEveryScreenComesBack()
    {
        QFETCH(QPoint, stored);
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("left"), QString::number(stored.x()));
        first.store(QStringLiteral("top"), QString::number(stored.y()));
        const QString folder = first.configDir();
        first.stop();

        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(second.form1().screen()->availableGeometry().contains(second.form1().placement().frameRect()));
    }

    void zeroAndEmptyScalesAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("zeros") << QStringLiteral("000");
        QTest::newRow("empty") << QString();
    }

    void zeroAndEmptyScalesAreRefused()
    {
        QFETCH(QString, text);
        TestWorld world;
        QVERIFY(world.start());
        const QSize original = world.form1().size();
        world.ui().Edit1->setText(text);

        typeInto(world.ui().Edit1, Qt::Key_Return, QStringLiteral("\r"));

        QVERIFY(!world.ui().ErroR->isHidden());
        QCOMPARE(world.features().appearance().scalePercent(), 100);
        QCOMPARE(world.form1().size(), original);
        // The undo still works on the unchanged scale.
        QTest::mouseClick(world.ui().Label19, Qt::LeftButton);
        QCOMPARE(world.form1().size(), original);
        QVERIFY(world.dialogs.errors().isEmpty());
    }

    void anOverflowingScaleIsAConversionError()
    {
        TestWorld world;
        QVERIFY(world.start());
        const QSize original = world.form1().size();
        world.ui().Edit1->setText(QStringLiteral("99999999999"));
        typeInto(world.ui().Edit1, Qt::Key_Return, QStringLiteral("\r"));
        QCOMPARE(world.dialogs.errors(), QStringList{QStringLiteral("'99999999999' is not a valid integer value.")});
        QCOMPARE(world.form1().size(), original);
    }

    void statusBarPressShowsThePanelUnderIt_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("panel");
        QTest::newRow("clock") << 30 << 0;
        QTest::newRow("gap after the clock") << 57 << -1;
        QTest::newRow("date") << 80 << 1;
        QTest::newRow("resolution") << 140 << 2;
        QTest::newRow("system directory") << 200 << 3;
        QTest::newRow("user") << 330 << 4;
        QTest::newRow("computer") << 450 << 5;
        QTest::newRow("beyond") << 505 << -1;
    }

    void statusBarPressShowsThePanelUnderIt()
    {
        QFETCH(int, x);
        QFETCH(int, panel);
        TestWorld world;
        QVERIFY(world.start());
        world.ui().StatusBar1->setPanelText(0, QStringLiteral(" 9:05:07"));
        world.dialogs.clear();

        QTest::mousePress(world.ui().StatusBar1, Qt::RightButton, {}, QPoint(x, 5));

        if (panel < 0)
            QVERIFY(world.dialogs.requests.isEmpty());
        else
            QCOMPARE(world.dialogs.messages(), QStringList{world.ui().StatusBar1->panelText(panel)});
    }

    void activationFillsTheDatePanelAndTheCalendar()
    {
        FakeClock clock(QDateTime(QDate(2027, 3, 4), QTime(10, 0)));
        TestWorld world;
        QVERIFY(world.start());
        QCOMPARE(world.ui().StatusBar1->panelText(1), QStringLiteral("04.03.27"));
        QCOMPARE(world.mainPage().MonthCalendar1->selectedDate(), QDate(2027, 3, 4));
        QVERIFY(world.ui().StatusBar1->panelText(2).contains(QLatin1Char('x')));
        QCOMPARE(world.mainPage().MonthCalendar1->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
        QVERIFY(world.mainPage().MonthCalendar1->font().bold());
    }

    void colourChangeWarnsEveryTimeThenAsks()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.dialogs.clear();
        Dialogs::Reply chosen;
        chosen.color = QColor(0x12, 0x34, 0x56);
        world.dialogs.answerNext(Dialogs::Reply{}); // the warning's OK
        world.dialogs.answerNext(chosen);

        world.ui().BitBtn1->click();
        QCOMPARE(world.dialogs.requests.size(), 2);
        QCOMPARE(world.dialogs.requests[0].kind, Dialogs::Kind::Message);
        QCOMPARE(
            world.dialogs.requests[0].text,
            QStringLiteral("Внимание изменение цвета формы может привести к ухудшению зрения или к его потере!!!"));
        QCOMPARE(world.dialogs.requests[1].kind, Dialogs::Kind::Color);
        QCOMPARE(world.form1().windowColor(), 0x563412);

        // The menu item does the same; a cancelled dialog keeps the colour.
        world.dialogs.answerNext(Dialogs::Reply{});
        Dialogs::Reply cancelled;
        cancelled.accepted = false;
        world.dialogs.answerNext(cancelled);
        world.ui().N8->trigger();
        QCOMPARE(world.dialogs.requests.size(), 4);
        QCOMPARE(world.dialogs.requests[2].kind, Dialogs::Kind::Message);
        QCOMPARE(world.form1().windowColor(), 0x563412);
    }

    void menuAndPanelMessages()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.dialogs.clear();
        world.ui().N32->trigger();
        world.ui().N40->trigger();
        QTest::mouseClick(world.mainPage().Panel9, Qt::LeftButton, {}, QPoint(1, 100));
        QCOMPARE(
            world.dialogs.messages(),
            (QStringList{QStringLiteral("МОНА КЛИКАТЬ ПО СЕМУ (МИНОГА СЯКРЕТОФ!!!){ z.B. по Бегущей строке в левом "
                                        "нижнем углу}"),
                         QStringLiteral("На этом прекрасном языке была написана Тромбус (На заметку: программа "
                                        "написанная на языке Си++ отличается своим умом и сообразительностью так "
                                        "как и операционки Windows! )"),
                         QStringLiteral("И куда целимся???")}));
        // A click inside the calendar is the calendar's own.
        world.dialogs.clear();
        for (QWidget* inside : world.mainPage().MonthCalendar1->findChildren<QWidget*>()) {
            if (inside->isVisible())
                QTest::mouseClick(inside, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QTest::mouseClick(world.mainPage().MonthCalendar1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(world.dialogs.messages().isEmpty());
        // The black strip belongs to the panel.
        QTest::mouseClick(world.mainPage().Panel9Strip, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(world.dialogs.messages(), QStringList{QStringLiteral("И куда целимся???")});
    }

    void calendarStaysInsideItsPanelAndClearOfItsNeighbours()
    {
        TestWorld world;
        QVERIFY(world.start());
        const QRect panel = world.mainPage().Panel9->geometry();
        QVERIFY(QRect(QPoint(0, 0), panel.size()).contains(world.mainPage().MonthCalendar1->geometry()));
        QVERIFY(!panel.intersects(world.mainPage().GroupBox2->geometry()));
        QVERIFY(!panel.intersects(world.mainPage().Panel5->geometry()));
    }

    void errorIndicatorHidesOverTheFreeSurfaceAndTheGroups()
    {
        TestWorld world;
        QVERIFY(world.start());
        for (QWidget* surface : {static_cast<QWidget*>(world.ui().centralwidget), static_cast<QWidget*>(&world.form1()),
                                 static_cast<QWidget*>(world.infoPage().GroupBoxOverclock)}) {
            world.form1().showErrorIndicator();
            moveMouseOver(surface);
            QVERIFY2(world.ui().ErroR->isHidden(), qPrintable(surface->objectName()));
        }
        // Other controls keep it.
        world.form1().showErrorIndicator();
        moveMouseOver(world.ui().BitBtn1);
        QVERIFY(!world.ui().ErroR->isHidden());
    }

    void consoleKeyTogglesTheConsoleAndStillTypesInTheFocusedControl()
    {
        TestWorld world;
        QVERIFY(world.start());
        QLineEdit* edit = world.infoPage().Edit7;
        const QString before = edit->text();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageInfo);
        edit->setFocus();
        edit->end(false);
        typeInto(edit, Qt::Key(0x0401), QStringLiteral("ё"));
        QCOMPARE(edit->text(), before + QStringLiteral("ё"));
        QVERIFY(!world.ui().console->isHidden());
        QTRY_VERIFY(world.ui().console->hasFocus());
        typeInto(edit, Qt::Key_QuoteLeft, QStringLiteral("`"));
        QCOMPARE(edit->text(), before + QStringLiteral("ё`"));
        QVERIFY(world.ui().console->isHidden());

        // A control that leaves the key unused passes it up to its parents: the console still toggles once.
        QWidget* button = world.ui().BitBtn1;
        typeInto(button, Qt::Key(0x0401), QStringLiteral("ё"));
        QVERIFY(!world.ui().console->isHidden());
    }

    void startWithTheSystemRegistersOnce()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(!world.mainPage().CheckBox6->isChecked());
        QVERIFY(!QFile::exists(autostartEntry()));

        world.ui().N10->trigger();
        QVERIFY(QFile::exists(autostartEntry()));
        world.ui().N10->trigger();
        QVERIFY(QFile::exists(autostartEntry()));
        world.ui().N11->trigger();
        QVERIFY(!QFile::exists(autostartEntry()));
        world.ui().N11->trigger();
        QVERIFY(!QFile::exists(autostartEntry()));

        world.mainPage().CheckBox6->click();
        QVERIFY(QFile::exists(autostartEntry()));
        QFile entry(autostartEntry());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(entry.readAll())
                    .contains(QStringLiteral("\"%1\"").arg(QCoreApplication::applicationFilePath())));
        world.mainPage().CheckBox6->click();
        QVERIFY(!QFile::exists(autostartEntry()));
        QVERIFY(world.dialogs.requests.isEmpty());
    }

    void checkBoxIsNeverSetFromARegistration()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.ui().N10->trigger();
        const QString folder = first.configDir();
        first.stop();
        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(QFile::exists(autostartEntry()));
        QVERIFY(!second.mainPage().CheckBox6->isChecked());
    }

    void startedFromTheEntryUsesItUp()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.ui().N10->trigger();
        const QString folder = first.configDir();
        first.stop();
        qputenv("TROMBUS_AUTOSTART", "1");
        TestWorld second({}, folder);
        QVERIFY(second.start());
        QVERIFY(!QFile::exists(autostartEntry()));
        QVERIFY(!qEnvironmentVariableIsSet("TROMBUS_AUTOSTART"));
    }

    void storedTrayStartMinimisesToTheTray()
    {
        TestWorld first;
        QVERIFY(first.start());
        first.store(QStringLiteral("vtrey"), QStringLiteral("1"));
        const QString folder = first.configDir();
        first.stop();
        TestWorld second({}, folder);
        second.startWithoutWaiting();
        QTRY_VERIFY(second.form1().inTray());
        QVERIFY(second.mainPage().CheckBox7->isChecked());
        QVERIFY(second.form1().trayIcon().isVisible());
        QVERIFY(second.form1().trayIcon().icon().toolTip().isEmpty());
        QCOMPARE(second.stored(QStringLiteral("vtrey")), QStringLiteral("1"));
    }

    void systemMenuGetsTheAboutItemAndItsCommandShowsAbout()
    {
        TestWorld world;
        auto menu = std::make_shared<RecordingSystemMenu>();
        world.platform->replace<platform::SystemMenu>(menu);
        QVERIFY(world.start());
        QCOMPARE(menu->items.size(), std::size_t(1));
        QCOMPARE(menu->items[0].commandId, 1026u);
        QCOMPARE(menu->items[0].text, std::string("&О программе"));
        QCOMPARE(menu->items[0].window, static_cast<std::uintptr_t>(world.form1().winId()));

        SystemMenus& menus = world.features().systemMenus();
        menu->chosen = 61536; // the close command takes its default handling
        QVERIFY(!menus.nativeEventFilter("windows_generic_MSG", &menu->chosen, nullptr));
        QVERIFY(!world.form1().aboutWindow()->isVisible());
        menu->chosen = 1026;
        QVERIFY(menus.nativeEventFilter("windows_generic_MSG", &menu->chosen, nullptr));
        QVERIFY(world.form1().aboutWindow()->isVisible());
    }

    void linuxOffersNoSystemMenuAndNothingBreaks()
    {
        TestWorld world;
        QVERIFY(world.start());
        QVERIFY(!world.form1().platform().get<platform::SystemMenu>().appendItem(
            static_cast<std::uintptr_t>(world.form1().winId()), 1026, "&О программе"));
        QVERIFY(world.dialogs.requests.isEmpty());
    }

    void ledShowFlashesTheLocksAndLeavesThemAsTheyWere()
    {
        TestWorld world;
        auto keyboard = std::make_shared<RecordingKeyboardLeds>();
        world.platform->replace<platform::KeyboardLeds>(keyboard);
        const auto before = keyboard->locks;
        QVERIFY(world.start());
        QTimer& timer5 = world.features().Timer5;
        QCOMPARE(timer5.interval(), 1000);
        // The show's four ticks, driven here rather than waited for.
        timer5.stop();
        keyboard->toggled.clear();
        keyboard->lights = keyboard->locks;
        keyboard->showsEnded = 0;
        world.features().ledShow().LedStep = 0;
        timer5.start();
        for (int tick = 1; tick <= 4; ++tick) {
            QVERIFY(timer5.isActive());
            QCOMPARE(keyboard->showsEnded, 0);
            world.features().ledShow().Timer5Timer();
        }
        QVERIFY(!timer5.isActive());

        QCOMPARE(keyboard->toggled, (QList<int>{144, 20, 145, 144, 145, 20}));
        QCOMPARE(keyboard->showsEnded, 1);
        QCOMPARE(world.features().ledShow().LedStep, 4);
        QVERIFY(keyboard->locks == before);
        QVERIFY(keyboard->lights == before);
    }

    void ledShowRunsOnItsOwnAtStart()
    {
        TestWorld world;
        auto keyboard = std::make_shared<RecordingKeyboardLeds>();
        world.platform->replace<platform::KeyboardLeds>(keyboard);
        QVERIFY(world.start());
        QTimer& timer5 = world.features().Timer5;
        QVERIFY(timer5.isActive());
        // Its own ticks drive it: at once rather than a second apart.
        timer5.setInterval(0);
        QTRY_VERIFY(!timer5.isActive());
        QCOMPARE(world.features().ledShow().LedStep, 4);
        QCOMPARE(keyboard->toggled.size(), 6);
        QCOMPARE(keyboard->showsEnded, 1);
    }
};

TROMBUS_GUI_TEST_MAIN(AppearanceTest)
#include "appearance_test.moc"
