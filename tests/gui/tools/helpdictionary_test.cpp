#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include "app/tapplication.h"
#include "testworld.h"
#include "toolstandins.h"

namespace {

struct HelpWorld
{
    HelpWorld()
    {
        world.platform->replace<platform::KeyboardLayout>(layouts);
        world.platform->replace<platform::Opener>(opener);
        started = world.start();
        ui().TabbedNotebook1->setCurrentWidget(ui().PageHelp);
        ui().PageControl1->setCurrentWidget(ui().TabSheet1);
        layouts->activated.clear();
    }
    /// Whether the window came up; every test checks it first, since a constructor cannot fail a test.
    bool started = false;
    Ui::Form1& ui() { return world.ui(); }
    QString helpFile() { return QDir(world.configDir()).filePath(QStringLiteral("help.ini")); }
    QString fileText()
    {
        QFile file(helpFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void enter(const QString& type, const QString& name, const QString& definition)
    {
        ui().Edit3->setText(type);
        ui().Edit4->setText(name);
        ui().Memo1->setPlainText(definition);
        QTest::mouseClick(ui().Button5, Qt::LeftButton);
    }
    void toOutputTab() { ui().PageControl1->setCurrentWidget(ui().TabSheet2); }
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
    std::shared_ptr<RecordingKeyboardLayout> layouts = std::make_shared<RecordingKeyboardLayout>();
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
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
        QCOMPARE(help.items(help.ui().ComboBox5), QStringList{QStringLiteral("Geometry")});
        QCOMPARE(help.ui().ComboBox5->currentText(), QString());
        help.ui().ComboBox5->setCurrentIndex(0);
        QCOMPARE(help.items(help.ui().ComboBox6), QStringList{QStringLiteral("circle")});
        QCOMPARE(help.ui().ComboBox6->currentText(), QString());
        help.ui().ComboBox6->setCurrentIndex(0);
        QCOMPARE(shownText(help.ui().Memo2), definition);
    }

    void sameNameReplacesTheDefinition()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(QStringLiteral("Geometry"), QStringLiteral("circle"), QStringLiteral("old"));
        help.enter(QStringLiteral("Geometry"), QStringLiteral("circle"), QStringLiteral("new"));
        help.toOutputTab();
        help.ui().ComboBox5->setEditText(QStringLiteral("Geometry"));
        QCOMPARE(help.items(help.ui().ComboBox6), QStringList{QStringLiteral("circle")});
        help.ui().ComboBox6->setEditText(QStringLiteral("circle"));
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("new"));
    }

    void allFieldsEmptyShowsTheIndicatorAndWritesNothing()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter({}, {}, {});
        QVERIFY(!help.ui().ErroR->isHidden());
        QVERIFY(!QFile::exists(help.helpFile()));
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), help.ui().TabSheet1->mapToGlobal(QPointF(1, 1)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(help.ui().TabSheet1, &move);
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
        QComboBox* types = help.ui().ComboBox5;
        QComboBox* names = help.ui().ComboBox6;
        QCOMPARE(help.items(types), (QStringList{QString(), QStringLiteral("(пусто)")}));
        QCOMPARE(types->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(), QStringLiteral("(пусто)"));
        QVERIFY(types->model()->index(1, 0).data(Qt::AccessibleTextRole).isNull());

        // Both texts stay empty, so only picking the rows finds the entry.
        HelpWorld::pick(types, 0);
        QCOMPARE(help.items(names), QStringList{QString()});
        QCOMPARE(help.ui().Memo2->toPlainText(), QString());
        HelpWorld::pick(names, 0);
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("only this"));

        HelpWorld::pick(types, 1);
        QCOMPARE(help.items(names), QStringList{QStringLiteral("(пусто)")});
        HelpWorld::pick(names, 0);
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("a real entry"));
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
        QCOMPARE(help.items(help.ui().ComboBox5), QStringList{type});
        HelpWorld::pick(help.ui().ComboBox5, 0);
        QCOMPARE(help.ui().ComboBox5->currentText(), type);
        QCOMPARE(help.items(help.ui().ComboBox6), QStringList{name});
        HelpWorld::pick(help.ui().ComboBox6, 0);
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("second"));
    }

    void pickingTheSameRowAfterAStoreShowsTheNewEntry()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.enter(QStringLiteral("T"), QStringLiteral("n"), QStringLiteral("old"));
        help.toOutputTab();
        HelpWorld::pick(help.ui().ComboBox5, 0);
        HelpWorld::pick(help.ui().ComboBox6, 0);
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("old"));

        help.ui().PageControl1->setCurrentWidget(help.ui().TabSheet1);
        help.enter(QStringLiteral("T"), QStringLiteral("n"), QStringLiteral("new"));
        help.enter(QStringLiteral("T"), QStringLiteral("m"), QStringLiteral("more"));
        help.toOutputTab();
        HelpWorld::pick(help.ui().ComboBox5, 0);
        QCOMPARE(help.items(help.ui().ComboBox6), (QStringList{QStringLiteral("n"), QStringLiteral("m")}));
        HelpWorld::pick(help.ui().ComboBox6, 0);
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("new"));
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
        help.ui().z3->setChecked(true);
        help.ui().Edit3->setText(QStringLiteral("Geometry"));
        help.ui().Edit4->setText(QStringLiteral("circle"));
        help.ui().Memo1->setPlainText(QStringLiteral("a round figure"));
        help.ui().Button5->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), help.ui().Button5);
        QTest::keyClick(help.ui().Button5, Qt::Key(key));
        QTRY_COMPARE(help.fileText(), QStringLiteral("[Geometry]\ncircle=a round figure\n"));
        QCOMPARE(help.ui().Memo1->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), help.ui().Memo1);
    }

    void clearingOrderLeavesTheTypeFieldFocused()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.ui().z1->setChecked(true);
        help.ui().z3->setChecked(true);
        QTest::mouseClick(help.ui().q1, Qt::LeftButton);
        QCOMPARE(help.ui().q1->text(), QStringLiteral("EN"));
        help.enter(QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("D"));
        QCOMPARE(help.ui().Edit3->text(), QString());
        QCOMPARE(help.ui().Edit4->text(), QStringLiteral("N"));
        QCOMPARE(help.ui().Memo1->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), help.ui().Edit3);
        QCOMPARE(help.layouts->activated, (QStringList{QStringLiteral("00000419"), QStringLiteral("00000409")}));
    }

    void enteringAFieldSwitchesToItsLanguage()
    {
        HelpWorld help;
        QVERIFY(help.started);
        QTest::mouseClick(help.ui().q2, Qt::LeftButton);
        QCOMPARE(help.ui().q2->text(), QStringLiteral("EN"));
        QVERIFY(help.layouts->activated.isEmpty());
        help.ui().Edit4->setFocus();
        help.ui().Edit3->setFocus();
        QCOMPARE(help.layouts->activated, (QStringList{QStringLiteral("00000409"), QStringLiteral("00000419")}));
        QTest::mouseClick(help.ui().q2, Qt::LeftButton);
        QCOMPARE(help.ui().q2->text(), QStringLiteral("RU"));
    }

    void enterMovesOnAndStillReachesTheField()
    {
        HelpWorld help;
        QVERIFY(help.started);
        help.ui().Edit3->setFocus();
        QTest::keyClick(help.ui().Edit3, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), help.ui().Edit4);
        QTest::keyClick(help.ui().Edit4, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), help.ui().Memo1);
        help.ui().Memo1->setPlainText(QStringLiteral("text"));
        help.ui().Memo1->moveCursor(QTextCursor::End);
        QTest::keyClick(help.ui().Memo1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), help.ui().Button5);
        QCOMPARE(help.ui().Memo1->toPlainText(), QStringLiteral("text\n"));
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
        help.ui().ComboBox5->setEditText(QStringLiteral("A"));
        help.ui().ComboBox6->setEditText(QStringLiteral("x"));
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("1"));

        // A type that is no section empties the name list but keeps the name typed.
        help.ui().ComboBox5->setEditText(QStringLiteral("nothing"));
        QCOMPARE(help.ui().ComboBox6->count(), 0);
        QCOMPARE(help.ui().ComboBox6->currentText(), QStringLiteral("x"));
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("1"));

        // Both boxes empty: the definition stays.
        help.ui().ComboBox5->setEditText(QString());
        help.ui().ComboBox6->setEditText(QString());
        QCOMPARE(help.ui().Memo2->toPlainText(), QStringLiteral("1"));

        help.enter(QStringLiteral("B"), QStringLiteral("y"), QStringLiteral("2"));
        help.ui().ComboBox5->setEditText(QStringLiteral("typed"));
        help.ui().PageControl1->setCurrentWidget(help.ui().TabSheet3);
        QCOMPARE(help.world.form1().windowTitle(), QStringLiteral("1"));
        QCOMPARE(help.items(help.ui().ComboBox5), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(help.ui().ComboBox5->currentText(), QStringLiteral("typed"));
    }

    void labelsOpenTheFileThatIsWritten()
    {
        HelpWorld help;
        QVERIFY(help.started);
        QTest::mouseClick(help.ui().Label23, Qt::LeftButton);
        help.toOutputTab();
        QTest::mouseClick(help.ui().Label32, Qt::LeftButton);
        QCOMPARE(help.opener->opened, (QStringList{help.helpFile(), help.helpFile()}));
    }

    void unwritableFileIsReportedAndNothingIsCleared()
    {
        HelpWorld help;
        QVERIFY(help.started);
        QDir().mkpath(help.helpFile()); // a folder where the file should be
        help.ui().z1->setChecked(true);
        help.world.dialogs.clear();
        help.enter(QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("D"));
        QCOMPARE(help.world.dialogs.errors().size(), 1);
        QVERIFY(help.world.dialogs.errors().first().startsWith(QStringLiteral("Unable to write to ")));
        QCOMPARE(help.ui().Edit3->text(), QStringLiteral("T"));
    }
};

TROMBUS_GUI_TEST_MAIN(HelpDictionaryTest)
#include "helpdictionary_test.moc"
