#include <QLocale>
#include <QTest>

#include "app/tapplication.h"
#include "common/colors.h"
#include "common/errorreport.h"
#include "testworld.h"
#include "ui_HelpPage.h"

namespace {

QPushButton* keyOf(Ui::HelpPage& ui, QChar key)
{
    switch (key.unicode()) {
    case ',':
        return ui.Btnk;
    case '+':
        return ui.BtnP;
    case '-':
        return ui.BtnM;
    case '*':
        return ui.BtnUmn;
    case '/':
        return ui.BtnDel;
    case '=':
        return ui.BtnE;
    case 'c':
        return ui.BtnC;
    default: {
        QPushButton* digits[] = {ui.Btn0, ui.Btn1, ui.Btn2, ui.Btn3, ui.Btn4,
                                 ui.Btn5, ui.Btn6, ui.Btn7, ui.Btn8, ui.Btn9};
        return digits[key.digitValue()];
    }
    }
}

void click(TestWorld& world, const QString& keys)
{
    Ui::HelpPage& ui = world.helpPage();
    world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageHelp);
    ui.PageControl1->setCurrentWidget(ui.TabSheet3);
    for (const QChar key : keys)
        QTest::mouseClick(keyOf(ui, key), Qt::LeftButton);
}

} // namespace

class CalculatorTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void keysClickedThroughTheWindow_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("error");
        for (const char* locale : {"ru_RU", "C"}) {
            const QString name = QString::fromLatin1(locale);
            const QString sep = QLocale(name).decimalPoint();
            auto row = [&](const char* title, const char* keys, QString display, const char* error = "") {
                QTest::newRow(qPrintable(name + QLatin1Char(' ') + QString::fromLatin1(title)))
                    << name << QString::fromLatin1(keys) << display.replace(QLatin1Char(','), sep)
                    << QString::fromLatin1(error);
            };
            row("left to right", "2+3*4=", QStringLiteral("20"));
            row("minus", "3-5=", QStringLiteral("-2"));
            row("fractions typed first", ",5+,1=", QStringLiteral("0,6"));
            row("minus then divide", "9-3/4=", QStringLiteral("1,5"));
            row("operator replaced", "12+*3=", QStringLiteral("36"));
            row("no repeat", "12+3==", QStringLiteral("15"));
            row("fraction typed with the comma key", ",5+1,25=", QStringLiteral("1,75"));
            row("one third", "1/3=", QStringLiteral("0,333333"));
            row("single precision", "123456789+", QStringLiteral("1,23457E8"));
            row("zero ignored after operator", "5/0=", QStringLiteral("5"));
            row("division by zero", "5/,=", QStringLiteral("0,"), "Floating point division by zero");
            row("zero by zero", ",/,=", QStringLiteral("0,"), "Invalid floating point operation");
            row("clear after error", "5/,=c", QStringLiteral("0"), "Floating point division by zero");
        }
    }

    void keysClickedThroughTheWindow()
    {
        QFETCH(QString, locale);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, error);
        QLocale::setDefault(QLocale(locale));
        TestWorld world;
        QVERIFY(world.start());
        world.dialogs.clear();

        click(world, keys);

        QCOMPARE(world.helpPage().Stati->text(), display);
        QCOMPARE(world.dialogs.errors(), error.isEmpty() ? QStringList() : QStringList{errorReportText(error)});
    }

    void failedKeyRepeatsItsErrorUntilTheEntryChanges()
    {
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        TestWorld world;
        QVERIFY(world.start());
        world.dialogs.clear();
        click(world, QStringLiteral("8/,=="));
        QCOMPARE(world.dialogs.errors().size(), 2);
        click(world, QStringLiteral("4="));
        QCOMPARE(world.helpPage().Stati->text(), QStringLiteral("20"));
    }

    // Clicks performed from code run outside any event, so only the guarded connections stand between a
    // key's error and the caller; the display keeps what it showed and the next key works.
    void performedKeysReportTheirErrors()
    {
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        TestWorld world;
        QVERIFY(world.start());
        world.dialogs.clear();
        for (const QChar key : QStringLiteral("5/,="))
            keyOf(world.helpPage(), key)->click();
        QCOMPARE(world.dialogs.errors(),
                 QStringList{errorReportText(QStringLiteral("Floating point division by zero"))});
        QCOMPARE(world.helpPage().Stati->text(), QStringLiteral("0,"));
        for (const QChar key : QStringLiteral("2="))
            keyOf(world.helpPage(), key)->click();
        QCOMPARE(world.helpPage().Stati->text(), QStringLiteral("25"));
        QCOMPARE(world.dialogs.errors().size(), 1);
    }

    void entryTypedUnderOtherConventionsIsReported()
    {
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        TestWorld world;
        QVERIFY(world.start());
        world.dialogs.clear();
        click(world, QStringLiteral("1,5"));
        QLocale::setDefault(QLocale::c());
        click(world, QStringLiteral("+"));
        QCOMPARE(world.dialogs.errors(),
                 QStringList{errorReportText(QStringLiteral("'1,5' is not a valid floating point value"))});
        QCOMPARE(world.helpPage().Stati->text(), QStringLiteral("1,5"));
    }

    void keysAndDisplayLaidOutAsAPocketCalculator()
    {
        TestWorld world;
        QVERIFY(world.start());
        Ui::HelpPage& ui = world.helpPage();
        QCOMPARE(ui.Stati->text(), QStringLiteral("0"));
        QVERIFY(ui.Stati->alignment() & Qt::AlignRight);
        QCOMPARE(ui.BtnC->palette().color(QPalette::ButtonText), colorFromTColor(0x000000FF));
        QCOMPARE(ui.Btnk->text(), QStringLiteral(","));
        for (QChar key : QStringLiteral("0123456789,+-*/=c"))
            QCOMPARE(keyOf(ui, key)->focusPolicy(), Qt::NoFocus);
        // "=" is two rows high, "0" three columns wide.
        QCOMPARE(ui.BtnE->height(), ui.Btn3->geometry().united(ui.Btn0->geometry()).height());
        QCOMPARE(ui.Btn0->geometry().left(), ui.Btn1->geometry().left());
        QCOMPARE(ui.Btn0->geometry().right(), ui.Btn3->geometry().right());
        QCOMPARE(ui.PageControl1->tabText(2), QStringLiteral("Калькулятор"));
    }
};

TROMBUS_GUI_TEST_MAIN(CalculatorTest)
#include "calculator_test.moc"
