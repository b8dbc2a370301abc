#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <map>

#include "app/tapplication.h"
#include "app/trayicon.h"
#include "common/tregistry.h"
#include "console/consolecontroller.h"
#include "fakediskspace.h"
#include "recordingcddoor.h"
#include "recordingopener.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_InfoPage.h"
#include "ui_MainPage.h"

namespace {

const QString ServiceWord = QStringLiteral("-=Kr@nTOS_314=-");
const QString Greeting = QStringLiteral("!!!Привет Брунд!!!");
const QString HelpText = QStringLiteral(
    "\t\t\t!!!WARNING!!!\n\n         Тупым лучше не вводить ни чего в консоль\n\n\tСписок не скрытых стандартных "
    "функций: \nhelp,ZQ5,Form_color,close,hide,Con_color");

// A key as the keyboard sends it, press and release, to whichever widget it goes to.
void pressKey(QWidget* widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

QString invalidInteger(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value.").arg(text);
}

// A program run whose CD drive records the door requests instead of moving.
struct ConsoleWorld
{
    explicit ConsoleWorld(QStringList arguments = {}) : world(std::move(arguments))
    {
        world.platform->replace<platform::CdDoor>(cdDoor);
    }

    /// Starts the program and forgets the boxes of its start, so that a test sees only its own.
    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.dialogs.clear();
        return true;
    }

    bool consoleOpen() { return !world.ui().console->isHidden(); }

    /// Opens the console when it is closed, types the line over what it holds and presses Enter in it.
    void enter(const QString& line)
    {
        if (!consoleOpen())
            world.ui().Button21->click();
        QLineEdit* console = world.ui().console;
        console->clear();
        QTest::keyClicks(console, line);
        QTest::keyClick(console, Qt::Key_Return);
    }

    /// The colour a user sees at a point of a widget.
    static QColor colorAt(QWidget* widget, QPoint point) { return widget->grab().toImage().pixelColor(point); }
    /// The console's background: the colour most of its inside shows, whatever text it holds.
    QColor consoleBackground()
    {
        const QImage image = world.ui().console->grab().toImage();
        std::map<QRgb, int> counts;
        for (int y = 3; y < image.height() - 3; ++y)
            for (int x = 3; x < image.width() - 3; ++x)
                ++counts[image.pixel(x, y)];
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return most == counts.end() ? QColor() : QColor::fromRgb(most->first);
    }
    /// The window's free surface between the console's buttons and the "About" button.
    QColor windowBackground() { return colorAt(world.ui().centralwidget, QPoint(400, 30)); }

    std::shared_ptr<CdDoorRecorder> cdDoor = std::make_shared<CdDoorRecorder>();
    TestWorld world;
};

} // namespace

class ConsoleTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QStringList>("door");

        const QString title = QStringLiteral("Тромбус");
        const QStringList none;
        QTest::newRow("ZQ5") << "ZQ5"
                             << "ZQ5" << none << none << none;
        QTest::newRow("ZQ5 ignores its argument") << "ZQ5 abc"
                                                  << "ZQ5" << none << none << none;
        QTest::newRow("Form_name keeps the spaces") << "Form_name two words"
                                                    << "two words" << none << none << none;
        QTest::newRow("Form_name takes the argument untrimmed") << "Form_name  lead and trail "
                                                                << " lead and trail " << none << none << none;
        QTest::newRow("Form_name alone empties the caption") << "Form_name"
                                                             << "" << none << none << none;
        QTest::newRow("Brundan") << "Brundan"
                                 << "Брундуков." << none << none << none;
        QTest::newRow("help") << "help" << title << QStringList{HelpText} << none << none;
        QTest::newRow("Help does nothing") << "Help" << title << none << none << none;
        QTest::newRow("HELP does nothing") << "HELP" << title << none << none << none;
        QTest::newRow("leading space does nothing") << " help" << title << none << none << none;
        QTest::newRow("empty line does nothing") << "" << title << none << none << none;
        QTest::newRow("a lone space does nothing") << " " << title << none << none << none;
        QTest::newRow("unknown word does nothing") << "zq5" << title << none << none << none;
        QTest::newRow("the word must stand alone") << "ZQ5x" << title << none << none << none;
        QTest::newRow("service word without 1 only greets")
            << ServiceWord << title << QStringList{Greeting} << none << none;
        QTest::newRow("service word with 2 only greets")
            << ServiceWord + QStringLiteral(" 2") << title << QStringList{Greeting} << none << none;
        QTest::newRow("cd 1 opens the door") << "cd 1" << title << none << none << QStringList{"open"};
        QTest::newRow("cd 0 closes the door") << "cd 0" << title << none << none << QStringList{"close"};
        QTest::newRow("cd alone asks which") << "cd" << title << QStringList{"1 or 0"} << none << none;
        QTest::newRow("cd 2 does nothing") << "cd 2" << title << none << none << none;
        QTest::newRow("cd with a blank before 1 does nothing") << "cd  1" << title << none << none << none;
        QTest::newRow("cd with a trailing space does nothing")
            << "cd " << title << QStringList{"1 or 0"} << none << none;
        QTest::newRow("Form_color x") << "Form_color x" << title << none << QStringList{invalidInteger("x")} << none;
        QTest::newRow("Form_color alone") << "Form_color" << title << none << QStringList{invalidInteger("")} << none;
        QTest::newRow("Form_color with a trailing blank")
            << "Form_color 255 " << title << none << QStringList{invalidInteger("255 ")} << none;
        QTest::newRow("Con_color beyond 32 bits")
            << "Con_color 4294967296" << title << none << QStringList{invalidInteger("4294967296")} << none;
    }

    void commands()
    {
        QFETCH(QString, line);
        QFETCH(QString, caption);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, errors);
        QFETCH(QStringList, door);

        ConsoleWorld session;
        QVERIFY(session.start());
        const qint32 color = session.world.form1().windowColor();
        session.enter(line);

        QCOMPARE(session.world.form1().windowTitle(), caption);
        QCOMPARE(session.world.dialogs.messages(), messages);
        QCOMPARE(session.world.dialogs.errors(), errors);
        QCOMPARE(session.cdDoor->requests, door);
        // Nothing else moved: the colour, the window, the service mode; the line and the console stay.
        QCOMPARE(session.world.form1().windowColor(), color);
        QVERIFY(session.world.form1().isVisible());
        QVERIFY(!session.world.form1().serviceMode());
        QVERIFY(session.consoleOpen());
        QCOMPARE(session.world.ui().console->text(), line);
    }

    void cdDoorFailuresStaySilent()
    {
        ConsoleWorld session;
        session.cdDoor->answer = false;
        QVERIFY(session.start());
        session.enter(QStringLiteral("cd 1"));
        session.enter(QStringLiteral("cd 0"));
        QCOMPARE(session.cdDoor->requests, (QStringList{"open", "close"}));
        QVERIFY(session.world.dialogs.requests.isEmpty());
    }

    void formColorInDecimalAndHexadecimal_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<qint32>("color");
        QTest::addColumn<QColor>("seen");
        QTest::newRow("255 is red") << "255" << 255 << QColor(Qt::red);
        QTest::newRow("$FF is red") << "$FF" << 255 << QColor(Qt::red);
        QTest::newRow("0xFF0000 is blue") << "0xFF0000" << 0xFF0000 << QColor(Qt::blue);
        QTest::newRow("leading blanks are skipped") << "   65280" << 0x00FF00 << QColor(Qt::green);
    }

    void formColorInDecimalAndHexadecimal()
    {
        QFETCH(QString, argument);
        QFETCH(qint32, color);
        QFETCH(QColor, seen);
        ConsoleWorld session;
        QVERIFY(session.start());
        session.enter(QStringLiteral("Form_color ") + argument);
        QVERIFY(session.world.dialogs.requests.isEmpty());
        QCOMPARE(session.world.form1().windowColor(), color);
        QCOMPARE(session.windowBackground(), seen);
    }

    void formColorIsStoredAtClose()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        session.enter(QStringLiteral("Form_color 255"));
        session.enter(QStringLiteral("close 1"));
        QCOMPARE(session.world.stored(QStringLiteral("color")), QStringLiteral("255"));
    }

    void consoleColor()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        QLineEdit* console = session.world.ui().console;
        const QColor text = console->palette().color(QPalette::Text);
        session.enter(QStringLiteral("Con_color 255"));
        QCOMPARE(session.consoleBackground(), QColor(Qt::red));
        // A later colour takes the earlier one's place; the navy text stays.
        session.enter(QStringLiteral("Con_color $FF00"));
        QCOMPARE(session.consoleBackground(), QColor(Qt::green));
        QCOMPARE(console->palette().color(QPalette::Text), text);
        QCOMPARE(text, QColor(0, 0, 128));
        // A failed conversion leaves the colour as it was.
        session.enter(QStringLiteral("Con_color green"));
        QCOMPARE(session.world.dialogs.errors(), QStringList{invalidInteger("green")});
        QCOMPARE(session.consoleBackground(), QColor(Qt::green));
        QCOMPARE(session.world.form1().windowColor(), 0x408000);
    }

    void consoleColorSurvivesScaling()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        session.enter(QStringLiteral("Con_color 255"));
        QVERIFY(session.world.form1().scaleBy(105, 100));
        QCOMPARE(session.consoleBackground(), QColor(Qt::red));
    }

    void hideKeepsWindowAndTrayAwayForTheInterval_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("no argument: 5000") << "" << 5000 << QStringList();
        QTest::newRow("2000") << "2000" << 2000 << QStringList();
        QTest::newRow("hexadecimal") << "$10" << 16 << QStringList();
        QTest::newRow("x: the previous interval") << "x" << 1000 << QStringList{invalidInteger("x")};
        // A zero interval would never fire: the window and the tray icon would never come back.
        QTest::newRow("0 as not an integer") << "0" << 1000 << QStringList{invalidInteger("0")};
        QTest::newRow("negative as not an integer") << "-5" << 1000 << QStringList{invalidInteger("-5")};
    }

    void hideKeepsWindowAndTrayAwayForTheInterval()
    {
        QFETCH(QString, argument);
        QFETCH(int, interval);
        QFETCH(QStringList, errors);
        ConsoleWorld session;
        QVERIFY(session.start());
        TForm1& form = session.world.form1();
        QVERIFY(form.trayIcon().isVisible());
        QVERIFY(form.features().Timer1.isActive());

        session.enter(argument.isEmpty() ? QStringLiteral("hide") : QStringLiteral("hide ") + argument);

        QVERIFY(!form.isVisible());
        QVERIFY(!form.trayIcon().isVisible());
        QVERIFY(!form.features().Timer1.isActive()); // the clock stops while the window is away
        QVERIFY(form.features().Timer7.isActive());
        QCOMPARE(form.features().Timer7.interval(), interval);
        QCOMPARE(session.world.dialogs.errors(), errors);

        QMetaObject::invokeMethod(&form.features().Timer7, "timeout");
        QVERIFY(form.isVisible());
        QVERIFY(form.trayIcon().isVisible());
        QVERIFY(!form.features().Timer7.isActive());
        QVERIFY(form.features().Timer1.isActive());
        QVERIFY(!form.inTray());
    }

    void hideWithABadArgumentKeepsTheIntervalAnEarlierHideSet()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        TForm1& form = session.world.form1();
        session.enter(QStringLiteral("hide 2000"));
        QMetaObject::invokeMethod(&form.features().Timer7, "timeout");
        session.enter(QStringLiteral("hide x"));
        QCOMPARE(form.features().Timer7.interval(), 2000);
        QVERIFY(form.features().Timer7.isActive());
        QVERIFY(!form.isVisible());
    }

    void windowBackMeanwhileStaysWhenTheTimerFires()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        TForm1& form = session.world.form1();
        session.enter(QStringLiteral("hide 2000"));
        form.show();
        QMetaObject::invokeMethod(&form.features().Timer7, "timeout");
        QVERIFY(form.isVisible());
        QVERIFY(form.trayIcon().isVisible());
        QVERIFY(!form.features().Timer7.isActive());
    }

    void hiddenWindowComesBackByItsOwnTimer()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        session.enter(QStringLiteral("hide 20"));
        QVERIFY(!session.world.form1().isVisible());
        QTRY_VERIFY(session.world.form1().isVisible());
        QVERIFY(session.world.form1().trayIcon().isVisible());
        QVERIFY(!session.world.features().Timer7.isActive());
    }

    void serviceCommandTwiceReturnsEverythingButTheMenuCaption()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        Ui::Form1& ui = session.world.ui();
        Ui::InfoPage& info = session.world.infoPage();
        QCOMPARE(ui.N40->text(), QStringLiteral("С++ Навсегда"));
        for (QWidget* panel : {static_cast<QWidget*>(info.Panel13), static_cast<QWidget*>(info.Panel14),
                               static_cast<QWidget*>(info.Panel15), static_cast<QWidget*>(ui.Panel16)})
            QVERIFY(panel->isHidden());

        session.world.store(QStringLiteral("Запускалси"), QStringLiteral("41"));
        session.enter(ServiceWord + QStringLiteral(" 1"));
        QVERIFY(session.world.form1().serviceMode());
        QCOMPARE(session.world.dialogs.messages(), QStringList{Greeting});
        for (QWidget* panel : {static_cast<QWidget*>(info.Panel13), static_cast<QWidget*>(info.Panel14),
                               static_cast<QWidget*>(info.Panel15), static_cast<QWidget*>(ui.Panel16)})
            QVERIFY(!panel->isHidden());
        QCOMPARE(ui.N40->text(), ServiceWord);
        // The statistics are read afresh: the count as stored, both durations in their long form.
        QCOMPARE(info.Label83->text(), QStringLiteral("41 раз"));
        QVERIFY(info.Label82->text().endsWith(QStringLiteral(" с")));
        QVERIFY(info.Label85->text().startsWith(QStringLiteral("0 д 0 ч ")));

        session.world.store(QStringLiteral("Запускалси"), QStringLiteral("42"));
        session.enter(ServiceWord + QStringLiteral(" 1"));
        QVERIFY(!session.world.form1().serviceMode());
        QCOMPARE(session.world.dialogs.messages(), (QStringList{Greeting, Greeting}));
        for (QWidget* panel : {static_cast<QWidget*>(info.Panel13), static_cast<QWidget*>(info.Panel14),
                               static_cast<QWidget*>(info.Panel15), static_cast<QWidget*>(ui.Panel16)})
            QVERIFY(panel->isHidden());
        QCOMPARE(ui.N40->text(), ServiceWord);
        QCOMPARE(info.Label83->text(), QStringLiteral("42 раз"));
    }

    void serviceCommandShowsAMissingCountAsEmpty()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        TRegistry registry(*session.world.platform);
        registry.setRootKey(platform::Hive::CurrentUser);
        QVERIFY(registry.OpenKey(SettingsKey, false));
        QVERIFY(registry.DeleteValue(QStringLiteral("Запускалси")));
        session.enter(ServiceWord + QStringLiteral(" 1"));
        QCOMPARE(session.world.infoPage().Label83->text(), QStringLiteral(" раз"));
    }

    void menuItemTogglesTheConsoleWithItsCheckMark()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        Ui::Form1& ui = session.world.ui();
        QVERIFY(!session.consoleOpen());
        QVERIFY(ui.Button21->isHidden() && ui.conbut->isHidden());

        ui.N41->trigger();
        QVERIFY(session.consoleOpen());
        QVERIFY(!ui.Button21->isHidden() && !ui.conbut->isHidden());
        QVERIFY(ui.N41->isChecked());
        QCOMPARE(ui.console->text(), QStringLiteral("help")); // the first opening shows the design text

        ui.N41->trigger();
        QVERIFY(!session.consoleOpen());
        QVERIFY(ui.Button21->isHidden() && ui.conbut->isHidden());
        QVERIFY(!ui.N41->isChecked());
        QCOMPARE(ui.console->text(), QString());

        // The other triggers leave the check mark as it was.
        ui.Button21->click();
        QVERIFY(session.consoleOpen());
        QVERIFY(!ui.N41->isChecked());
        ui.N41->trigger();
        QVERIFY(!session.consoleOpen());
        QVERIFY(!ui.N41->isChecked());
    }

    void consoleKeyTogglesFromAnyControl_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("grave") << int(Qt::Key_QuoteLeft) << "`";
        QTest::newRow("tilde with shift") << int(Qt::Key_AsciiTilde) << "~";
        QTest::newRow("Ё on the Russian layout") << 0x0401 << "ё";
    }

    void consoleKeyTogglesFromAnyControl()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        ConsoleWorld session;
        QVERIFY(session.start());
        Ui::Form1& ui = session.world.ui();
        session.world.ui().TabbedNotebook1->setCurrentIndex(1);
        QWidget* somewhere = session.world.helpPage().Edit3;

        pressKey(somewhere, key, text);
        QVERIFY(session.consoleOpen());
        QCOMPARE(ui.console->text(), QStringLiteral("help"));
        QVERIFY(!ui.N41->isChecked());

        // In the console itself the key closes it and types nothing; the line is forgotten.
        pressKey(ui.console, key, text);
        QVERIFY(!session.consoleOpen());
        QCOMPARE(ui.console->text(), QString());
        pressKey(somewhere, key, text);
        QVERIFY(session.consoleOpen());
        QCOMPARE(ui.console->text(), QString());
    }

    void closeButtonClearsTheLine()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        session.enter(QStringLiteral("Brundan"));
        QVERIFY(session.consoleOpen());
        QTest::mouseClick(session.world.ui().Button21, Qt::LeftButton);
        QVERIFY(!session.consoleOpen());
        QCOMPARE(session.world.ui().console->text(), QString());
        QCOMPARE(session.world.form1().windowTitle(), QStringLiteral("Брундуков."));
    }

    void cornerPictureClickPrefillsDoubleClickToggles()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        Ui::Form1& ui = session.world.ui();
        QTest::mouseClick(ui.Image3, Qt::LeftButton);
        QVERIFY(!session.consoleOpen());
        QCOMPARE(ui.console->text(), ServiceWord + QLatin1Char(' '));

        QTest::mouseDClick(ui.Image3, Qt::LeftButton);
        QVERIFY(session.consoleOpen());
        QCOMPARE(ui.console->text(), ServiceWord + QLatin1Char(' '));
        // The prefilled line only greets: its argument is empty.
        QTest::keyClick(ui.console, Qt::Key_Return);
        QCOMPARE(session.world.dialogs.messages(), QStringList{Greeting});
        QVERIFY(!session.world.form1().serviceMode());

        QTest::mouseDClick(ui.Image3, Qt::LeftButton);
        QVERIFY(!session.consoleOpen());
        QCOMPARE(ui.console->text(), QString());
    }

    void runButtonRunsTheLine()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        Ui::Form1& ui = session.world.ui();
        ui.Button21->click();
        ui.console->setText(QStringLiteral("ZQ5"));
        QTest::mouseClick(ui.conbut, Qt::LeftButton);
        QCOMPARE(session.world.form1().windowTitle(), QStringLiteral("ZQ5"));
        QCOMPARE(ui.conbut->text(), QStringLiteral("да"));
        QCOMPARE(ui.Button21->text(), QStringLiteral("x"));
        QCOMPARE(ui.N41->text(), QStringLiteral("Консоль"));
    }

    void quartziteSwitchesTheServiceModeAtEveryActivation()
    {
        ConsoleWorld session({QStringLiteral("quartzite")});
        QVERIFY(session.world.start());
        QVERIFY(session.world.form1().serviceMode());
        QVERIFY(!session.world.infoPage().Panel13->isHidden());
        QVERIFY(!session.world.ui().Panel16->isHidden());
        QCOMPARE(session.world.dialogs.messages(), QStringList{Greeting});
        // The console itself stays closed, holding the line.
        QVERIFY(!session.consoleOpen());
        QCOMPARE(session.world.ui().console->text(), ServiceWord + QStringLiteral(" 1"));

        QVERIFY(returnToMainWindow(session.world, session.world.form1().aboutWindow()));
        QVERIFY(!session.world.form1().serviceMode());
        QVERIFY(session.world.infoPage().Panel13->isHidden());
        QVERIFY(session.world.ui().Panel16->isHidden());
        QCOMPARE(session.world.dialogs.messages(), (QStringList{Greeting, Greeting}));
    }

    void closeOneEndsQuietlyAndStores()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        QSignalSpy ending(&session.world.form1(), &TForm1::programEnding);
        session.world.form1().move(61, 47);
        session.world.mainPage().CheckBox11->setChecked(true); // not even the close-to-tray switch holds it
        session.enter(QStringLiteral("close 1"));
        QCOMPARE(ending.count(), 1);
        QVERIFY(session.world.dialogs.questions().isEmpty());
        QCOMPARE(session.world.form1().windowTitle(), QStringLiteral("Тромбус"));
        QCOMPARE(session.world.stored(QStringLiteral("left")), QStringLiteral("61"));
        QVERIFY(!session.world.form1().trayIcon().isVisible());
    }

    void closeWithoutOneTakesTheOrdinaryPath_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("close") << "close";
        QTest::newRow("close 0") << "close 0";
        QTest::newRow("close 1 with a trailing blank") << "close 1 ";
    }

    void closeWithoutOneTakesTheOrdinaryPath()
    {
        QFETCH(QString, line);
        ConsoleWorld session;
        QVERIFY(session.start());
        QSignalSpy ending(&session.world.form1(), &TForm1::programEnding);
        session.world.dialogs.answerNo();
        session.enter(line);
        QCOMPARE(session.world.dialogs.questions(), QStringList{QStringLiteral("Вы хотите выйти?")});
        QCOMPARE(ending.count(), 0);
        QVERIFY(session.world.form1().isVisible());
        // Yes at the question ends the program with the farewell.
        session.enter(line);
        QTRY_COMPARE(ending.count(), 1);
        QCOMPARE(session.world.form1().windowTitle(), QStringLiteral("NNNNNOOOOOTTTTT!!!!!!"));
    }

    void quietCloseStaysAfterACancelledClose()
    {
        ConsoleWorld session;
        QVERIFY(session.start());
        QSignalSpy ending(&session.world.form1(), &TForm1::programEnding);
        // The scan gag refuses every close, the quiet one too; the flag then serves the next close.
        session.world.features().Tim.start();
        session.enter(QStringLiteral("close 1"));
        QCOMPARE(ending.count(), 0);
        QCOMPARE(session.world.dialogs.messages().size(), 1);
        session.world.features().Tim.stop();
        session.world.ui().BitBtn3->click();
        QCOMPARE(ending.count(), 1);
        QVERIFY(session.world.dialogs.questions().isEmpty());
    }

    void driveButtonsOpenTheFirstFourDrives()
    {
        ConsoleWorld session;
        auto opener = std::make_shared<OpenerRecorder>();
        auto disks = std::make_shared<FakeDiskSpace>();
        disks->list = {{"/", "/", platform::DriveKind::Fixed},
                       {"/home", "/home", platform::DriveKind::Fixed},
                       {"/media/me/STICK", "STICK (/media/me/STICK)", platform::DriveKind::Removable},
                       {"/mnt/cd", "/mnt/cd", platform::DriveKind::Optical},
                       {"/mnt/fifth", "/mnt/fifth", platform::DriveKind::Fixed}};
        disks->current = "/";
        disks->sizes["/"] = {1 << 30, 1 << 29};
        session.world.platform->replace<platform::Opener>(opener);
        session.world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(session.start());
        Ui::Form1& ui = session.world.ui();
        QCOMPARE(ui.DriveC->text(), QStringLiteral("C:\\"));
        QCOMPARE(ui.DriveD->text(), QStringLiteral("D:\\"));
        QCOMPARE(ui.DriveE->text(), QStringLiteral("E:\\"));
        QCOMPARE(ui.DriveF->text(), QStringLiteral("F:\\"));

        session.enter(ServiceWord + QStringLiteral(" 1"));
        QVERIFY(ui.Panel16->isVisible());
        for (QPushButton* button : {ui.DriveC, ui.DriveD, ui.DriveE, ui.DriveF})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(opener->opened, (QStringList{"/", "/home", "/media/me/STICK", "/mnt/cd"}));

        // A drive that is gone by the time of the click does nothing, and says nothing.
        disks->list.resize(2);
        opener->opened.clear();
        session.world.dialogs.clear();
        QTest::mouseClick(ui.DriveE, Qt::LeftButton);
        QTest::mouseClick(ui.DriveF, Qt::LeftButton);
        QTest::mouseClick(ui.DriveD, Qt::LeftButton);
        QCOMPARE(opener->opened, QStringList{"/home"});
        QVERIFY(session.world.dialogs.requests.isEmpty());
    }

    void driveThatCannotBeOpenedStaysSilent()
    {
        ConsoleWorld session;
        auto opener = std::make_shared<OpenerRecorder>();
        opener->answer = false;
        auto disks = std::make_shared<FakeDiskSpace>();
        disks->list = {{"/nowhere", "/nowhere", platform::DriveKind::Fixed}};
        disks->current = "/nowhere";
        disks->sizes["/nowhere"] = {1 << 30, 1 << 29};
        session.world.platform->replace<platform::Opener>(opener);
        session.world.platform->replace<platform::DiskSpace>(disks);
        QVERIFY(session.start());
        session.world.dialogs.clear();
        session.world.ui().DriveC->click();
        QCOMPARE(opener->opened.size(), 1);
        QVERIFY(session.world.dialogs.requests.isEmpty());
    }
};

TROMBUS_GUI_TEST_MAIN(ConsoleTest)
#include "console_test.moc"
