#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <map>

#include "app/tapplication.h"
#include "forms/keymousegroup.h"
#include "forms/notepadgroup.h"
#include "forms/runboxgroup.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_KeyMouseGroup.h"
#include "ui_MainPage.h"
#include "ui_NotepadGroup.h"
#include "ui_RemindPage.h"
#include "ui_RunBoxGroup.h"

// Typing on a Russian keyboard, on a real X server with a window manager (run-under-wm.sh starts both) whose
// layout the test sets to Russian: the keys go through the X server's layout as a user's do. The key left of "1"
// (X keycode 49) types "ё" there, and the window also opens or closes its console on it.
namespace {

bool runSucceeds(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

/// Keys pressed on the keyboard, as X key names ("Cyrillic_io", "Return").
bool pressKeys(const QStringList& keys)
{
    return runSucceeds(QStringLiteral("xdotool"),
                       QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} + keys);
}

/// Text typed on the keyboard, each character by the key that carries it on the current layout.
bool typeText(const QString& text)
{
    return runSucceeds(QStringLiteral("xdotool"),
                       {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

QString textOf(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(widget))
        return rich->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* grid = qobject_cast<QTableWidget*>(widget)) {
        // While a cell is being typed in, its editor shows the text.
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus != grid && grid->isAncestorOf(focus))
            return textOf(focus);
        return grid->currentItem() ? grid->currentItem()->text() : QString();
    }
    return {};
}

// A control the user types in, and how its page is brought up.
struct Field
{
    std::function<QWidget*(TestWorld&)> control;
    std::function<void(TestWorld&)> showPage;
};

void showHelpDictionary(TestWorld& world)
{
    world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
    world.helpPage().PageControl1->setCurrentWidget(world.helpPage().TabSheet1);
}

const std::map<QString, Field>& fields()
{
    static const std::map<QString, Field> all{
        {QStringLiteral("notepad"),
         {[](TestWorld& world) -> QWidget* { return world.helpPage().NotepadPanel->form().RichEdit1; },
          [](TestWorld& world) { world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp); }}},
        {QStringLiteral("run box"),
         {[](TestWorld& world) -> QWidget* { return world.mainPage().RunBoxPanel->form().ComboBox1; },
          [](TestWorld& world) { world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain); }}},
        {QStringLiteral("notes grid"),
         {[](TestWorld& world) -> QWidget* { return world.remindPage().StringGrid1; },
          [](TestWorld& world) { world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageRemind); }}},
        {QStringLiteral("help dictionary's type"),
         {[](TestWorld& world) -> QWidget* { return world.helpPage().Edit3; }, showHelpDictionary}},
        {QStringLiteral("help dictionary's name"),
         {[](TestWorld& world) -> QWidget* { return world.helpPage().Edit4; }, showHelpDictionary}},
        {QStringLiteral("help dictionary's definition"),
         {[](TestWorld& world) -> QWidget* { return world.helpPage().Memo1; }, showHelpDictionary}},
    };
    return all;
}

void clearText(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->clear();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->clear();
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->clear();
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setEditText(QString());
}

/// Gives the control the focus with a real click on it.
bool focusByClick(QWidget* control)
{
    if (!QTest::qWaitFor([&] { return control->isVisible(); }, 5000))
        return false;
    const QPoint at = control->mapToGlobal(QPoint(qMin(20, control->width() / 2), control->height() / 2));
    if (!runSucceeds(QStringLiteral("xdotool"),
                     {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                      QStringLiteral("click"), QStringLiteral("1")}))
        return false;
    return QTest::qWaitFor(
        [&] { return QApplication::focusWidget() == control || control->isAncestorOf(QApplication::focusWidget()); },
        5000);
}

bool consoleOpen(TestWorld& world)
{
    return !world.ui().console->isHidden();
}

} // namespace

class KeyPreviewX11Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString display = qEnvironmentVariable("DISPLAY");
        QVERIFY(!display.isEmpty());
        QVERIFY(runSucceeds(QStringLiteral("setxkbmap"), {QStringLiteral("-display"), display, QStringLiteral("ru")}));
        // The physical key left of "1" carries "ё" now.
        QVERIFY(output(QStringLiteral("xmodmap"), {QStringLiteral("-pke")})
                    .contains(QRegularExpression(QStringLiteral("keycode +49 = Cyrillic_io Cyrillic_IO"))));
    }

    void letterLandsWhereItIsTypedAndTheConsoleStillToggles_data()
    {
        QTest::addColumn<QString>("field");
        for (const auto& [name, field] : fields())
            QTest::newRow(qPrintable(name)) << name;
    }

    void letterLandsWhereItIsTypedAndTheConsoleStillToggles()
    {
        QFETCH(QString, field);
        TestWorld world;
        QVERIFY(world.start());
        QWidget* control = fields().at(field).control(world);
        fields().at(field).showPage(world);
        clearText(control);
        QVERIFY(focusByClick(control));
        QVERIFY(!consoleOpen(world));

        QVERIFY(typeText(QStringLiteral("вс")));
        QTRY_COMPARE(textOf(control), QStringLiteral("вс"));
        QVERIFY(pressKeys({QStringLiteral("Cyrillic_io")}));

        QTRY_VERIFY(consoleOpen(world));
        QTRY_VERIFY(world.ui().console->hasFocus());
        QTRY_COMPARE(textOf(control), QStringLiteral("всё"));
        QCOMPARE(world.ui().console->text(), QStringLiteral("help"));

        // In the console itself the key closes it and types nothing there; the line is forgotten.
        QVERIFY(pressKeys({QStringLiteral("Cyrillic_io")}));
        QTRY_VERIFY(!consoleOpen(world));
        QCOMPARE(world.ui().console->text(), QString());
        QCOMPARE(textOf(control), QStringLiteral("всё"));

        // Back in the control, the capital letter lands too, and the console opens on an empty line.
        QVERIFY(focusByClick(control));
        QVERIFY(pressKeys({QStringLiteral("End"), QStringLiteral("shift+Cyrillic_io")}));
        QTRY_VERIFY(consoleOpen(world));
        QTRY_VERIFY(textOf(control).endsWith(QStringLiteral("Ё")));
        QCOMPARE(world.ui().console->text(), QString());
    }

    void keyCodeFieldShowsTheCodeAndTheConsoleToggles()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::KeyMouseGroup& codes = world.helpPage().KeyMousePanel->form();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
        QVERIFY(focusByClick(codes.Edit2));

        QVERIFY(pressKeys({QStringLiteral("Cyrillic_io")}));
        QTRY_COMPARE(codes.StaticText1->text(), QStringLiteral("192"));
        QTRY_VERIFY(consoleOpen(world));
        QCOMPARE(codes.Edit2->text(), QStringLiteral("ё"));

        // Any other Russian letter shows its key's code, as on Windows.
        QVERIFY(focusByClick(codes.Edit2));
        QVERIFY(typeText(QStringLiteral("ф")));
        QTRY_COMPARE(codes.StaticText1->text(), QStringLiteral("65"));
        QVERIFY(consoleOpen(world));
    }

    void altF4StoresTheNoteBeingTyped()
    {
        TestWorld world;
        QVERIFY(world.start());
        QSignalSpy ending(&world.form1(), &TForm1::programEnding);
        QTableWidget* grid = world.remindPage().StringGrid1;
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageRemind);
        QVERIFY(focusByClick(grid));
        // Typing opens the cell's editor; the note is not ended with Enter.
        QVERIFY(typeText(QStringLiteral("жми")));
        QTRY_VERIFY(QApplication::focusWidget() != grid && grid->isAncestorOf(QApplication::focusWidget()));
        QTRY_COMPARE(textOf(QApplication::focusWidget()), QStringLiteral("жми"));
        QVERIFY(grid->currentItem()->text().isEmpty());
        QVERIFY(pressKeys({QStringLiteral("alt+F4")}));

        QTRY_COMPARE(ending.count(), 1);
        QCOMPARE(world.dialogs.questions(), QStringList{QStringLiteral("Вы хотите выйти?")});
        QCOMPARE(world.stored(QString::number(grid->currentRow()), MarkKey), QStringLiteral("жми"));
    }
};

TROMBUS_GUI_TEST_MAIN(KeyPreviewX11Test)
#include "keypreview_x11_test.moc"
