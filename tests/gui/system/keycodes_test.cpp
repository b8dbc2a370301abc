#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "app/tapplication.h"
#include "forms/keymousegroup.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_KeyMouseGroup.h"

namespace {

// A key as the keyboard sends it, press and release, to the widget with the focus.
void pressKey(QWidget* widget, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// A button pressed over the field; sent to it directly, so no context menu comes up for the right button.
void pressButton(QWidget* widget, Qt::MouseButton button)
{
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

struct CodeWorld
{
    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.ui().TabbedNotebook1->setCurrentIndex(1);
        form().Edit2->setFocus();
        world.dialogs.clear();
        return true;
    }
    Ui::KeyMouseGroup& form() { return world.helpPage().KeyMousePanel->form(); }
    QString code() { return form().StaticText1->text(); }

    TestWorld world;
};

} // namespace

class KeyCodesTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithZeroAndBothBoxesChecked()
    {
        CodeWorld run;
        QVERIFY(run.start());
        QCOMPARE(run.code(), QStringLiteral("0"));
        QVERIFY(run.form().KeyCodeBox->isChecked());
        QVERIFY(run.form().ButtonCodeBox->isChecked());
        QCOMPARE(run.form().Edit2->maxLength(), 1);
        QCOMPARE(run.form().GroupBoxKeyMouse->title(), QStringLiteral("Клава и Мышь"));
    }

    void keysShowTheirCodeAndTheFieldKeepsTheLastCharacter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("field");
        QTest::newRow("A") << int(Qt::Key_A) << "a" << 0 << "65"
                           << "a";
        QTest::newRow("shifted A") << int(Qt::Key_A) << "A" << int(Qt::ShiftModifier) << "65"
                                   << "A";
        QTest::newRow("Russian ef") << 0x0424 << "ф" << 0 << "65"
                                    << "ф";
        QTest::newRow("digit 7") << int(Qt::Key_7) << "7" << 0 << "55"
                                 << "7";
        QTest::newRow("pad 7") << int(Qt::Key_7) << "7" << int(Qt::KeypadModifier) << "103"
                               << "7";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << 0 << "13" << QString();
        QTest::newRow("F1 ... F5") << int(Qt::Key_F5) << QString() << 0 << "116" << QString();
        QTest::newRow("left arrow") << int(Qt::Key_Left) << QString() << 0 << "37" << QString();
        QTest::newRow("down arrow") << int(Qt::Key_Down) << QString() << 0 << "40" << QString();
        QTest::newRow("Shift") << int(Qt::Key_Shift) << QString() << int(Qt::ShiftModifier) << "16" << QString();
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b" << 0 << "27" << QString();
    }

    void keysShowTheirCodeAndTheFieldKeepsTheLastCharacter()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(QString, code);
        QFETCH(QString, field);
        CodeWorld run;
        QVERIFY(run.start());
        run.form().Edit2->setText(QStringLiteral("z"));
        pressKey(run.form().Edit2, key, text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(run.code(), code);
        QCOMPARE(run.form().Edit2->text(), field);
    }

    void aKeyWithoutCodeChangesNothingButTheField()
    {
        CodeWorld run;
        QVERIFY(run.start());
        pressKey(run.form().Edit2, Qt::Key_A, QStringLiteral("a"));
        pressKey(run.form().Edit2, Qt::Key_Hyper_L, QString());
        QCOMPARE(run.code(), QStringLiteral("65"));
        QCOMPARE(run.form().Edit2->text(), QString());
    }

    void mouseButtonsShowZeroOneAndTwo()
    {
        CodeWorld run;
        QVERIFY(run.start());
        run.form().Edit2->setText(QStringLiteral("x"));
        pressButton(run.form().Edit2, Qt::RightButton);
        QCOMPARE(run.code(), QStringLiteral("1"));
        QCOMPARE(run.form().Edit2->text(), QString());
        pressButton(run.form().Edit2, Qt::MiddleButton);
        QCOMPARE(run.code(), QStringLiteral("2"));
        pressButton(run.form().Edit2, Qt::LeftButton);
        QCOMPARE(run.code(), QStringLiteral("0"));
        // Buttons beyond the three are no buttons of the field's.
        pressButton(run.form().Edit2, Qt::RightButton);
        run.form().Edit2->setText(QStringLiteral("x"));
        pressButton(run.form().Edit2, Qt::BackButton);
        QCOMPARE(run.code(), QStringLiteral("1"));
        QCOMPARE(run.form().Edit2->text(), QStringLiteral("x"));
    }

    void uncheckedBoxesKeepTheCodeButStillClearTheField()
    {
        CodeWorld run;
        QVERIFY(run.start());
        pressKey(run.form().Edit2, Qt::Key_B, QStringLiteral("b"));
        run.form().KeyCodeBox->click();
        run.form().ButtonCodeBox->click();
        pressKey(run.form().Edit2, Qt::Key_F2, QString());
        QCOMPARE(run.code(), QStringLiteral("66"));
        QCOMPARE(run.form().Edit2->text(), QString());
        run.form().Edit2->setText(QStringLiteral("y"));
        pressButton(run.form().Edit2, Qt::RightButton);
        QCOMPARE(run.code(), QStringLiteral("66"));
        QCOMPARE(run.form().Edit2->text(), QString());
        // Only keys are off: buttons come back when their box does.
        run.form().ButtonCodeBox->click();
        pressButton(run.form().Edit2, Qt::MiddleButton);
        QCOMPARE(run.code(), QStringLiteral("2"));
    }

    void aClickOnACaptionTogglesItsBox()
    {
        CodeWorld run;
        QVERIFY(run.start());
        QCOMPARE(run.form().KeyCodeLabel->text(), QStringLiteral("Вывести код нажатой клавиши"));
        QCOMPARE(run.form().ButtonCodeLabel->text(), QStringLiteral("Вывести код нажатой кнопки"));
        QTest::mouseClick(run.form().KeyCodeLabel, Qt::LeftButton);
        QVERIFY(!run.form().KeyCodeBox->isChecked());
        QTest::mouseClick(run.form().ButtonCodeLabel, Qt::LeftButton);
        QVERIFY(!run.form().ButtonCodeBox->isChecked());
        QTest::mouseClick(run.form().KeyCodeLabel, Qt::LeftButton);
        QVERIFY(run.form().KeyCodeBox->isChecked());
    }

    void theConsoleKeyShowsItsCodeAndTogglesTheConsole()
    {
        CodeWorld run;
        QVERIFY(run.start());
        QVERIFY(run.world.ui().console->isHidden());
        pressKey(run.form().Edit2, Qt::Key_QuoteLeft, QStringLiteral("`"));
        QCOMPARE(run.code(), QStringLiteral("192"));
        QVERIFY(!run.world.ui().console->isHidden());
    }

    void helpButtonWarnsAboutKeysThatNeverArrive()
    {
        CodeWorld run;
        QVERIFY(run.start());
        run.form().KeyHelpButton->click();
        QCOMPARE(run.world.dialogs.messages(),
                 QStringList{"Внимание!\nНекоторые кеи могут не пахать.\nНапример: \"Print Screen\",\"Tab\"."});
    }
};

TROMBUS_GUI_TEST_MAIN(KeyCodesTest)
#include "keycodes_test.moc"
