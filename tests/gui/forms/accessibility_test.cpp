#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMovie>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>

#include "app/tapplication.h"
#include "formwalk.h"
#include "reminders/tmessia.h"
#include "testworld.h"
#include "ui_HelpPage.h"
#include "ui_RemindPage.h"

namespace {

enum class Shows
{
    Text,    // a label, button, group, window or status panel: its name is what it shows
    NoText,  // an edit, picture, grid, indicator or spin button: it needs a name of its own
    Nothing, // a plain container: neither rule applies
};

struct Content
{
    Shows shows = Shows::Nothing;
    QString text;
};

// The caption as a screen reader should hear it: mnemonic markers dropped, "&&" read as "&".
QString withoutMnemonics(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

QString plainLabelText(const QLabel* label)
{
    const QString text = label->text();
    const bool rich =
        label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return withoutMnemonics(text);
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

Content contentOf(const QWidget* widget)
{
    if (widget->isWindow())
        return {Shows::Text, widget->windowTitle()};
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (!label->pixmap().isNull() || label->movie())
            return {Shows::NoText, {}};
        return {Shows::Text, plainLabelText(label)};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return {Shows::NoText, {}};
        return {Shows::Text, withoutMnemonics(button->text())};
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        if (group->title().isEmpty())
            return {Shows::NoText, {}};
        return {Shows::Text, withoutMnemonics(group->title())};
    }
    const QMetaObject* kind = widget->metaObject();
    if (kind == &QWidget::staticMetaObject || qobject_cast<const QTabWidget*>(widget) ||
        qobject_cast<const QStackedWidget*>(widget) || qobject_cast<const QStatusBar*>(widget) ||
        qobject_cast<const QMenuBar*>(widget))
        return {Shows::Nothing, {}};
    return {Shows::NoText, {}};
}

} // namespace

// What a screen reader announces for each control: the text a control shows, as it changes; a name of its
// own only where nothing readable is shown.
class AccessibilityTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> m_world;

    /// A fresh program run in m_world; false when its window never came up.
    [[nodiscard]] bool startWorld()
    {
        m_world.reset();
        m_world = std::make_unique<TestWorld>();
        return m_world->start();
    }

    // Every control of every window, with what it shows at this moment.
    void addRows()
    {
        QTest::addColumn<QWidget*>("widget");
        for (QWidget* window : formwalk::programWindows(*m_world)) {
            for (QWidget* widget : formwalk::formWidgets(window)) {
                if (contentOf(widget).shows != Shows::Nothing)
                    QTest::newRow(qPrintable(formwalk::pathOf(widget))) << widget;
            }
        }
    }

    static void checkName(QWidget* widget)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const Content content = contentOf(widget);
        if (content.shows == Shows::Text) {
            QCOMPARE(accessible->text(QAccessible::Name), content.text);
            // A name set by hand stays put while the caption changes.
            QCOMPARE(widget->accessibleName(), QString());
        } else {
            QVERIFY2(!widget->accessibleName().isEmpty(), "a control without visible text needs a name");
        }
    }

private slots:
    void atStartEveryControlIsNamedByWhatItShows_data()
    {
        QVERIFY(startWorld());
        addRows();
    }

    void atStartEveryControlIsNamedByWhatItShows()
    {
        QFETCH(QWidget*, widget);
        checkName(widget);
    }

    // The captions that change while the program works: running timer and alarm, stopwatch, language
    // labels, calculator display, clock, running line, animated caption and exit button, error indicator,
    // the prompt's edit.
    void whileWorkingEveryControlIsNamedByWhatItShows_data()
    {
        QVERIFY(startWorld());
        TestWorld& world = *m_world;
        Ui::Form1& ui = world.ui();
        Ui::HelpPage& help = world.helpPage();
        Ui::RemindPage& remind = world.remindPage();
        remind.NumEdit3->setText(QStringLiteral("5"));
        remind.BitBtn13->click();
        remind.BitBtn14->click();
        help.BitBtn4->click();
        ui.TabbedNotebook1->setCurrentWidget(ui.PageHelp);
        help.PageControl1->setCurrentWidget(help.TabSheet1);
        QTest::mouseClick(help.q1, Qt::LeftButton);
        help.Btn7->click();
        QTest::mousePress(ui.Shape1, Qt::LeftButton);
        QMetaObject::invokeMethod(&world.features().Timer6, "timeout");
        QMetaObject::invokeMethod(&world.features().Timer1, "timeout");
        world.form1().showErrorIndicator();
        qobject_cast<TMessia*>(world.form1().messiaWindow())->openForTimer();
        QVERIFY(remind.BitBtn13->text() != QStringLiteral("ЗАПУСК"));
        QVERIFY(remind.BitBtn14->text() != QStringLiteral("ПРИНЯТЬ"));
        QVERIFY(remind.GroupBox12->title() != QStringLiteral("Таймер"));
        QVERIFY(remind.GroupBox17->title() != QStringLiteral("Будильник"));
        QCOMPARE(help.q1->text(), QStringLiteral("EN"));
        QVERIFY(world.form1().windowTitle() != QStringLiteral("Тромбус"));
        addRows();
    }

    void whileWorkingEveryControlIsNamedByWhatItShows()
    {
        QFETCH(QWidget*, widget);
        checkName(widget);
    }

    void cleanupTestCase() { m_world.reset(); }
};

TROMBUS_GUI_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
