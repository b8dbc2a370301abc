#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include "app/tapplication.h"
#include "layoutrecorder.h"
#include "recordingopener.h"
#include "testworld.h"
#include "ui_HelpPage.h"

namespace {

struct HelpWorld
{
    HelpWorld()
    {
        world.platform->replace<platform::KeyboardLayout>(layouts);
        world.platform->replace<platform::Opener>(opener);
        started = world.start();
        ui().TabbedNotebook1->setCurrentWidget(ui().PageHelp);
        helpPage().PageControl1->setCurrentWidget(helpPage().TabSheet1);
        layouts->activated.clear();
    }
    /// Whether the window came up; every test checks it first, since a constructor cannot fail a test.
    bool started = false;
    Ui::Form1& ui() { return world.ui(); }
    Ui::HelpPage& helpPage() { return world.helpPage(); }
    QString helpFile() { return QDir(world.configDir()).filePath(QStringLiteral("help.ini")); }
    QString fileText()
    {
        QFile file(helpFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void enter(const QString& type, const QString& name, const QString& definition)
    {
        helpPage().Edit3->setText(type);
        helpPage().Edit4->setText(name);
        helpPage().Memo1->setPlainText(definition);
        QTest::mouseClick(helpPage().Button5, Qt::LeftButton);
    }
    void toOutputTab() { helpPage().PageControl1->setCurrentWidget(helpPage().TabSheet2); }
    // Picks a row of a box's drop-down list with the keyboard, as a user does.
    static void pick(QComboBox* box, int row)
    {
        box->showPopup();
        QAbstractItemView* list = box->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(box->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
    }
    QStringList items(QComboBox* box)
    {
        QStringList result;
        for (int i = 0; i < box->count(); ++i)
            result << box->itemText(i);
        return result;
    }

    TestWorld world;
    std::shared_ptr<LayoutRecorder> layouts = std::make_shared<LayoutRecorder>();
    std::shared_ptr<OpenerRecorder> opener = std::make_shared<OpenerRecorder>();
};

// The text as the field holds it (its plain-text view would turn no-break spaces into spaces).
QString shownText(const QPlainTextEdit* memo)
{
    return memo->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace

class HelpDictionaryTest : public QObject
{
    Q_OBJECT

private slots:
    void storedEntryIsFoundOnTheOutputTab_data()
    {
        QTest::addColumn<QString>("definition");
        QTest::newRow("one line") << QStringLiteral("a round figure");
        QTest::newRow("several lines") << QStringLiteral("a round figure\n  with no corners\n\nat all");
        QTest::newRow("blanks and quotes kept") << QStringLiteral(" \"quoted\" ");
        QTest::newRow("no-break space kept") << QStringLiteral("10\u00A0cm");
    }

    void storedEntryIsFoundOnTheOutputTab()
    {
        QFETCH(QString, definition);
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(QStringLiteral("Geometry"), QStringLiteral("circle"), definition);
        QVERIFY(help.ui().ErroR->isHidden());
        QCOMPARE(help.fileText().count(QLatin1Char('\n')), 2);

        help.toOutputTab();
        QCOMPARE(help.items(help.helpPage().ComboBox5), QStringList{QStringLiteral("Geometry")});
        QCOMPARE(help.helpPage().ComboBox5->currentText(), QString());
        help.helpPage().ComboBox5->setCurrentIndex(0);
        QCOMPARE(help.items(help.helpPage().ComboBox6), QStringList{QStringLiteral("circle")});
        QCOMPARE(help.helpPage().ComboBox6->currentText(), QString());
        help.helpPage().ComboBox6->setCurrentIndex(0);
        QCOMPARE(shownText(help.helpPage().Memo2), definition);
    }

    void sameNameReplacesTheDefinition()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(QStringLiteral("Geometry"), QStringLiteral("circle"), QStringLiteral("old"));
        help.enter(QStringLiteral("Geometry"), QStringLiteral("circle"), QStringLiteral("new"));
        help.toOutputTab();
        help.helpPage().ComboBox5->setEditText(QStringLiteral("Geometry"));
        QCOMPARE(help.items(help.helpPage().ComboBox6), QStringList{QStringLiteral("circle")});
        help.helpPage().ComboBox6->setEditText(QStringLiteral("circle"));
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("new"));
    }

    void allFieldsEmptyShowsTheIndicatorAndWritesNothing()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter({}, {}, {});
        QVERIFY(!help.ui().ErroR->isHidden());
        QVERIFY(!QFile::exists(help.helpFile()));
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), help.helpPage().TabSheet1->mapToGlobal(QPointF(1, 1)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(help.helpPage().TabSheet1, &move);
        QVERIFY(help.ui().ErroR->isHidden());
    }

    void entryWithoutTypeOrNameIsPickedFromEmptyRows()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter({}, {}, QStringLiteral("only this"));
        QVERIFY(help.ui().ErroR->isHidden());
        help.enter(QStringLiteral("(пусто)"), QStringLiteral("(пусто)"), QStringLiteral("a real entry"));
        help.toOutputTab();
        QComboBox* types = help.helpPage().ComboBox5;
        QComboBox* names = help.helpPage().ComboBox6;
        QCOMPARE(help.items(types), (QStringList{QString(), QStringLiteral("(пусто)")}));
        QCOMPARE(types->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(), QStringLiteral("(пусто)"));
        QVERIFY(types->model()->index(1, 0).data(Qt::AccessibleTextRole).isNull());

        // Both texts stay empty, so only picking the rows finds the entry.
        HelpWorld::pick(types, 0);
        QCOMPARE(help.items(names), QStringList{QString()});
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QString());
        HelpWorld::pick(names, 0);
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("only this"));

        HelpWorld::pick(types, 1);
        QCOMPARE(help.items(names), QStringList{QStringLiteral("(пусто)")});
        HelpWorld::pick(names, 0);
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("a real entry"));
    }

    void awkwardNamesAreFoundAsTyped_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("equals sign") << QStringLiteral("C++") << QStringLiteral("operator==");
        QTest::newRow("brackets") << QStringLiteral("[a]b]") << QStringLiteral("[i]");
        QTest::newRow("semicolon and hash") << QStringLiteral("#define") << QStringLiteral(";comment");
        QTest::newRow("blanks around") << QStringLiteral(" Тип ") << QStringLiteral("  имя");
        QTest::newRow("percent codes") << QStringLiteral("100%") << QStringLiteral("%3D%25");
    }

    void awkwardNamesAreFoundAsTyped()
    {
        QFETCH(QString, type);
        QFETCH(QString, name);
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(type, name, QStringLiteral("first"));
        help.enter(type, name, QStringLiteral("second"));
        help.toOutputTab();
        QCOMPARE(help.items(help.helpPage().ComboBox5), QStringList{type});
        HelpWorld::pick(help.helpPage().ComboBox5, 0);
        QCOMPARE(help.helpPage().ComboBox5->currentText(), type);
        QCOMPARE(help.items(help.helpPage().ComboBox6), QStringList{name});
        HelpWorld::pick(help.helpPage().ComboBox6, 0);
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("second"));
    }

    void pickingTheSameRowAfterAStoreShowsTheNewEntry()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(QStringLiteral("T"), QStringLiteral("n"), QStringLiteral("old"));
        help.toOutputTab();
        HelpWorld::pick(help.helpPage().ComboBox5, 0);
        HelpWorld::pick(help.helpPage().ComboBox6, 0);
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("old"));

        help.helpPage().PageControl1->setCurrentWidget(help.helpPage().TabSheet1);
        help.enter(QStringLiteral("T"), QStringLiteral("n"), QStringLiteral("new"));
        help.enter(QStringLiteral("T"), QStringLiteral("m"), QStringLiteral("more"));
        help.toOutputTab();
        HelpWorld::pick(help.helpPage().ComboBox5, 0);
        QCOMPARE(help.items(help.helpPage().ComboBox6), (QStringList{QStringLiteral("n"), QStringLiteral("m")}));
        HelpWorld::pick(help.helpPage().ComboBox6, 0);
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("new"));
    }

    void keysOnTheInputButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void keysOnTheInputButton()
    {
        QFETCH(int, key);
        HelpWorld help;
        QVERIFY(help.started);
        help.helpPage().z3->setChecked(true);
        help.helpPage().Edit3->setText(QStringLiteral("Geometry"));
        help.helpPage().Edit4->setText(QStringLiteral("circle"));
        help.helpPage().Memo1->setPlainText(QStringLiteral("a round figure"));
        help.helpPage().Button5->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), help.helpPage().Button5);
        QTest::keyClick(help.helpPage().Button5, Qt::Key(key));
        QTRY_COMPARE(help.fileText(), QStringLiteral("[Geometry]\ncircle=a round figure\n"));
        QCOMPARE(help.helpPage().Memo1->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), help.helpPage().Memo1);
    }

    void clearingOrderLeavesTheTypeFieldFocused()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.helpPage().z1->setChecked(true);
        help.helpPage().z3->setChecked(true);
        QTest::mouseClick(help.helpPage().q1, Qt::LeftButton);
        QCOMPARE(help.helpPage().q1->text(), QStringLiteral("EN"));
        help.enter(QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("D"));
        QCOMPARE(help.helpPage().Edit3->text(), QString());
        QCOMPARE(help.helpPage().Edit4->text(), QStringLiteral("N"));
        QCOMPARE(help.helpPage().Memo1->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), help.helpPage().Edit3);
        QCOMPARE(help.layouts->activated, (QStringList{QStringLiteral("00000419"), QStringLiteral("00000409")}));
    }

    void enteringAFieldSwitchesToItsLanguage()
    {
        HelpWorld help;
        QVERIFY(help.started);
        QTest::mouseClick(help.helpPage().q2, Qt::LeftButton);
        QCOMPARE(help.helpPage().q2->text(), QStringLiteral("EN"));
        QVERIFY(help.layouts->activated.isEmpty());
        help.helpPage().Edit4->setFocus();
        help.helpPage().Edit3->setFocus();
        QCOMPARE(help.layouts->activated, (QStringList{QStringLiteral("00000409"), QStringLiteral("00000419")}));
        QTest::mouseClick(help.helpPage().q2, Qt::LeftButton);
        QCOMPARE(help.helpPage().q2->text(), QStringLiteral("RU"));
    }

    void comingBackToTheWindowKeepsTheLayoutTheUserChose()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.helpPage().Edit3->setFocus(Qt::TabFocusReason);
        QCOMPARE(help.layouts->activated, QStringList{QStringLiteral("00000419")});
        // The user switches to English in the field, looks at another window of the program and comes back: the
        // field gets the focus back with the window, and the layout stays the user's.
        help.layouts->activated.clear();
        QVERIFY(returnToMainWindow(help.world, help.world.form1().aboutWindow()));
        QVERIFY(processQueuedEvents());
        QVERIFY(help.layouts->activated.isEmpty());
        // Moving to another field and back is entering them again.
        help.helpPage().Memo1->setFocus(Qt::MouseFocusReason);
        help.helpPage().Edit3->setFocus(Qt::BacktabFocusReason);
        QCOMPARE(help.layouts->activated, (QStringList{QStringLiteral("00000419"), QStringLiteral("00000419")}));
    }

    void enterMovesOnAndStillReachesTheField()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.helpPage().Edit3->setFocus();
        QTest::keyClick(help.helpPage().Edit3, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), help.helpPage().Edit4);
        QTest::keyClick(help.helpPage().Edit4, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), help.helpPage().Memo1);
        help.helpPage().Memo1->setPlainText(QStringLiteral("text"));
        help.helpPage().Memo1->moveCursor(QTextCursor::End);
        QTest::keyClick(help.helpPage().Memo1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), help.helpPage().Button5);
        QCOMPARE(help.helpPage().Memo1->toPlainText(), QStringLiteral("text\n"));
        // The key that moved on to the button does not press it.
        QVERIFY(!QFile::exists(help.helpFile()));
    }

    void tabChangeShowsTheLeftIndexAndKeepsTexts()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1"));
        help.toOutputTab();
        QCOMPARE(help.world.form1().windowTitle(), QStringLiteral("0"));
        help.helpPage().ComboBox5->setEditText(QStringLiteral("A"));
        help.helpPage().ComboBox6->setEditText(QStringLiteral("x"));
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("1"));

        // A type that is no section empties the name list but keeps the name typed.
        help.helpPage().ComboBox5->setEditText(QStringLiteral("nothing"));
        QCOMPARE(help.helpPage().ComboBox6->count(), 0);
        QCOMPARE(help.helpPage().ComboBox6->currentText(), QStringLiteral("x"));
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("1"));

        // Both boxes empty: the definition stays.
        help.helpPage().ComboBox5->setEditText(QString());
        help.helpPage().ComboBox6->setEditText(QString());
        QCOMPARE(help.helpPage().Memo2->toPlainText(), QStringLiteral("1"));

        help.enter(QStringLiteral("B"), QStringLiteral("y"), QStringLiteral("2"));
        help.helpPage().ComboBox5->setEditText(QStringLiteral("typed"));
        help.helpPage().PageControl1->setCurrentWidget(help.helpPage().TabSheet3);
        QCOMPARE(help.world.form1().windowTitle(), QStringLiteral("1"));
        QCOMPARE(help.items(help.helpPage().ComboBox5), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(help.helpPage().ComboBox5->currentText(), QStringLiteral("typed"));
    }

    void labelsOpenTheFileThatIsWritten()
    {
        HelpWorld help;
        QVERIFY(help.started);
        QTest::mouseClick(help.helpPage().Label23, Qt::LeftButton);
        help.toOutputTab();
        QTest::mouseClick(help.helpPage().Label32, Qt::LeftButton);
        QCOMPARE(help.opener->opened, (QStringList{help.helpFile(), help.helpFile()}));
    }

    void unwritableFileIsReportedAndNothingIsCleared()
    {
        HelpWorld help;
        QVERIFY(help.started);
        QDir().mkpath(help.helpFile()); // a folder where the file should be
        help.helpPage().z1->setChecked(true);
        help.world.dialogs.clear();
        help.enter(QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("D"));
        QCOMPARE(help.world.dialogs.errors().size(), 1);
        QVERIFY(help.world.dialogs.errors().first().startsWith(QStringLiteral("Unable to write to ")));
        QCOMPARE(help.helpPage().Edit3->text(), QStringLiteral("T"));
    }
};

TROMBUS_GUI_TEST_MAIN(HelpDictionaryTest)
#include "helpdictionary_test.moc"
