#include <QApplication>
#include <QProcess>
#include <QTest>

#include "app/tapplication.h"
#include "app/trayicon.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_MainPage.h"

// The console on a real X server with a window manager (run-under-wm.sh starts both): keys typed on the
// keyboard reach it through the X server, and the focus it takes is the window manager's real focus.
namespace {

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

/// Keys pressed on the keyboard, as X key names ("grave", "Return", "Z").
bool pressKeys(const QStringList& keys)
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")} + keys);
}

/// Text typed on the keyboard.
bool typeText(const QString& text)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

/// A double-click with the left button on the widget's centre, as the mouse makes it.
bool doubleClick(QWidget* widget)
{
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    return xdotool({QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                    QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                    QStringLiteral("80"), QStringLiteral("1")});
}

/// The window's title as the X server holds it for the window manager, without characters that show nothing.
QString visibleTitle(QWidget& window)
{
    QProcess process;
    process.start(QStringLiteral("xprop"),
                  {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_NAME")});
    if (!process.waitForFinished(5000))
        return QStringLiteral("(no answer)");
    // _NET_WM_NAME(UTF8_STRING) = "text"
    const QString line = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    const int quote = line.indexOf(QLatin1Char('"'));
    if (quote < 0 || !line.endsWith(QLatin1Char('"')))
        return QStringLiteral("(unreadable) ") + line;
    QString title = line.mid(quote + 1, line.size() - quote - 2);
    title.remove(QChar(0x200B));
    return title;
}

} // namespace

class ConsoleX11Test : public QObject
{
    Q_OBJECT

private slots:
    void keyLeftOfOneOpensTheConsoleFocusedAndTypingRunsIt()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::Form1& ui = world.ui();
        // The focus is somewhere on the page; the key works wherever it is.
        ui.TabbedNotebook1->setCurrentIndex(1);
        world.helpPage().Edit3->setFocus();
        QTRY_VERIFY(world.helpPage().Edit3->hasFocus());

        QVERIFY(pressKeys({QStringLiteral("grave")}));
        QTRY_VERIFY(!ui.console->isHidden());
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QStringLiteral("help"));
        // The key opened the console and still typed its character where it was pressed.
        QCOMPARE(world.helpPage().Edit3->text(), QStringLiteral("`"));

        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("Form_name two words")));
        QVERIFY(pressKeys({QStringLiteral("Return")}));
        QTRY_COMPARE(world.form1().windowTitle(), QStringLiteral("two words"));
        QCOMPARE(ui.console->text(), QStringLiteral("Form_name two words"));

        // Closing forgets the line; reopening shows it empty and focused.
        QVERIFY(pressKeys({QStringLiteral("grave")}));
        QTRY_VERIFY(ui.console->isHidden());
        QCOMPARE(ui.console->text(), QString());
        QVERIFY(pressKeys({QStringLiteral("grave")}));
        QTRY_VERIFY(!ui.console->isHidden());
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QString());
    }

    void menuItemAndPictureOpenItFocused()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::Form1& ui = world.ui();
        world.mainPage().CheckBox8->setFocus();

        ui.N41->trigger();
        QTRY_VERIFY(ui.console->hasFocus());
        ui.N41->trigger();
        QVERIFY(ui.console->isHidden());

        // A real double-click: its first click puts the service command into the line, the double-click opens it.
        QVERIFY(doubleClick(ui.Image3));
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QStringLiteral("-=Kr@nTOS_314=- "));
        QVERIFY(ui.Button21->isVisible());
        QVERIFY(ui.conbut->isVisible());
    }

    void realDoubleClickOnThePictureClosesTheConsoleWithAnEmptyLine()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::Form1& ui = world.ui();
        ui.N41->trigger();
        QTRY_VERIFY(ui.console->hasFocus());
        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("Brundan")));
        QTRY_COMPARE(ui.console->text(), QStringLiteral("Brundan"));

        // Press, release, press, release: the first click fills the line, the double-click closes the console,
        // and the last release is no click of its own.
        QVERIFY(doubleClick(ui.Image3));
        QTRY_VERIFY(ui.console->isHidden());
        // The double-click's own release has come too.
        QTRY_COMPARE(QGuiApplication::mouseButtons(), Qt::NoButton);
        QVERIFY(processQueuedEvents());
        QCOMPARE(ui.console->text(), QString());

        ui.N41->trigger();
        QTRY_VERIFY(ui.console->hasFocus());
        QCOMPARE(ui.console->text(), QString());
    }

    void formNameAloneLeavesTheTitleBarEmpty()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::Form1& ui = world.ui();
        ui.N41->trigger();
        QTRY_VERIFY(ui.console->hasFocus());
        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("Form_name")));
        QVERIFY(pressKeys({QStringLiteral("Return")}));

        QTRY_COMPARE(world.form1().windowTitle(), QString());
        // What the window manager shows in the title bar has nothing to see in it.
        QTRY_COMPARE(visibleTitle(world.form1()), QString());

        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("Form_name x y")));
        QVERIFY(pressKeys({QStringLiteral("Return")}));
        QTRY_COMPARE(visibleTitle(world.form1()), QStringLiteral("x y"));
    }

    void hiddenWindowComesBackOnScreen()
    {
        TestWorld world;
        QVERIFY(world.start());
        world.ui().N41->trigger();
        QTRY_VERIFY(world.ui().console->hasFocus());
        QVERIFY(pressKeys({QStringLiteral("ctrl+a")}));
        QVERIFY(typeText(QStringLiteral("hide 300")));
        QVERIFY(pressKeys({QStringLiteral("Return")}));
        QTRY_VERIFY(!world.form1().isVisible());
        QVERIFY(!world.form1().trayIcon().isVisible());
        QTRY_VERIFY(world.form1().isVisible());
        QVERIFY(!world.form1().isMinimized());
        QVERIFY(world.form1().trayIcon().isVisible());
        QVERIFY(world.features().Timer1.isActive());
    }
};

TROMBUS_GUI_TEST_MAIN(ConsoleX11Test)
#include "console_x11_test.moc"
