#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "app/tapplication.h"
#include "app/tickers.h"
#include "console/companioncontroller.h"
#include "forms/companiongroup.h"
#include "recordingopener.h"
#include "testworld.h"
#include "ui_CompanionGroup.h"
#include "ui_MainPage.h"

namespace {

struct CompanionWorld
{
    explicit CompanionWorld(const QString& configDir = {}) : world({}, configDir)
    {
        world.platform->replace<platform::Opener>(opener);
    }
    /// Starts the program with the main page in front and the fade-in held, so that the test gives its ticks;
    /// false when the window never came up or had already faded in.
    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.features().Timer2.stop();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain);
        return world.features().tickers().FadeLevel < 100;
    }
    Ui::CompanionGroup& group() { return world.mainPage().CompanionPanel->form(); }
    QComboBox* combo() { return group().ComboBox7; }
    QStringList items()
    {
        QStringList result;
        for (int i = 0; i < combo()->count(); ++i)
            result << combo()->itemText(i);
        return result;
    }
    QString iniPath() { return QDir(world.configDir()).filePath(QStringLiteral("start.ini")); }
    QString iniText()
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void type(const QString& text)
    {
        combo()->setFocus();
        combo()->lineEdit()->selectAll();
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Delete);
        combo()->lineEdit()->insert(text);
    }
    void typeAndApply(const QString& text)
    {
        type(text);
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
    }
    /// Gives the fade-in its ticks until the window is fully opaque; false when it ends at another tick than
    /// the fourteenth after the start, or keeps running.
    [[nodiscard]] bool fadeIn(const std::function<bool()>& beforeTheLastTick)
    {
        Tickers& tickers = world.features().tickers();
        while (tickers.FadeLevel < 95) {
            tickers.Timer2Timer();
            if (!beforeTheLastTick())
                return false;
        }
        tickers.Timer2Timer();
        return tickers.FadeLevel == 100 && !world.features().Timer2.isActive();
    }
    bool errorShown() { return !world.ui().ErroR->isHidden(); }

    TestWorld world;
    std::shared_ptr<OpenerRecorder> opener = std::make_shared<OpenerRecorder>();
};

} // namespace

class CompanionsTest : public QObject
{
    Q_OBJECT

private slots:
    void groupLooksAsDesigned()
    {
        CompanionWorld companions;
        QVERIFY(companions.start());
        Ui::CompanionGroup& group = companions.group();
        QCOMPARE(group.CompanionBox->title(), QStringLiteral("Врубать вместе с прогой"));
        QCOMPARE(group.AddButton->toolTip(), QStringLiteral("добавить"));
        QCOMPARE(group.ApplyButton->toolTip(), QStringLiteral("применить"));
        QCOMPARE(group.DeleteAllButton->toolTip(), QStringLiteral("удалить запись"));
        for (QToolButton* button : {group.AddButton, group.ApplyButton, group.DeleteAllButton})
            QVERIFY(!button->icon().isNull());
        QVERIFY(companions.items().isEmpty());
        QCOMPARE(companions.combo()->currentText(), QString());
        QVERIFY(!QFile::exists(companions.iniPath()));
    }

    // A file chosen with "добавить" is written to start.ini and opened at the next start, on the tick at which
    // the window becomes fully opaque, and only then.
    void addedFileOpensWhenTheNextStartHasFadedIn()
    {
        CompanionWorld first;
        QVERIFY(first.start());
        Dialogs::Reply chosen;
        chosen.path = QStringLiteral("/usr/share/doc/notes.txt");
        first.world.dialogs.answerNext(chosen);
        QTest::mouseClick(first.group().AddButton, Qt::LeftButton);
        QCOMPARE(first.world.dialogs.requests.size(), 1);
        QVERIFY(first.world.dialogs.requests.front().filter.isEmpty());
        QCOMPARE(first.items(), QStringList{chosen.path});
        QCOMPARE(first.iniText(), QStringLiteral("[запуск]\n/usr/share/doc/notes.txt=C++\n"));
        QVERIFY(!first.errorShown());
        const QString folder = first.world.configDir();
        first.world.stop();

        CompanionWorld second(folder);
        QVERIFY(second.start());
        QCOMPARE(second.items(), QStringList{chosen.path});
        QCOMPARE(second.combo()->currentText(), QString());
        QVERIFY(second.fadeIn([&] { return second.opener->opened.isEmpty(); }));
        QCOMPARE(second.opener->opened, QStringList{chosen.path});
    }

    // Entries added before the window has faded in are opened with the others, in the list's order, each as
    // one name whatever it holds.
    void everyEntryOpensOnceInOrder()
    {
        CompanionWorld companions;
        QVERIFY(companions.start());
        const QStringList entries{QStringLiteral("/opt/first"), QStringLiteral("$(touch FILE) `x` | y && -z"),
                                  QStringLiteral("https://example.org/a?b")};
        for (const QString& entry : entries)
            companions.typeAndApply(entry);
        QCOMPARE(companions.items(), entries);
        QVERIFY(companions.fadeIn([&] { return companions.opener->opened.isEmpty(); }));
        QCOMPARE(companions.opener->opened, entries);
        // Once per run.
        companions.world.features().tickers().Timer2Timer();
        QCOMPARE(companions.opener->opened, entries);
    }

    void sameTextIsAppliedOnce()
    {
        CompanionWorld companions;
        QVERIFY(companions.start());
        companions.typeAndApply(QStringLiteral("/opt/a"));
        QTest::mouseClick(companions.group().ApplyButton, Qt::LeftButton);
        companions.typeAndApply(QStringLiteral("/opt/a"));
        QCOMPARE(companions.items(), QStringList{QStringLiteral("/opt/a")});
        QCOMPARE(companions.iniText().count(QStringLiteral("/opt/a=C++")), 1);
        QVERIFY(companions.world.dialogs.requests.isEmpty());
    }

    // start.ini cannot keep these as typed (its keys ignore letter case, end at "=", lose blanks at the ends,
    // and take ";" or "[" at the start for something else): refused with the reason, nothing changes.
    void pathsTheFileCannotHoldAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("other letter case") << QStringLiteral("/OPT/A") << QStringLiteral("«/opt/a»");
        QTest::newRow("equals sign") << QStringLiteral("/tmp/a=b") << QStringLiteral("«=»");
        QTest::newRow("blank at the end") << QStringLiteral("/tmp/a ") << QStringLiteral("пробелом");
        QTest::newRow("comment mark") << QStringLiteral(";x") << QStringLiteral("«;»");
        QTest::newRow("section mark") << QStringLiteral("[x]") << QStringLiteral("«[»");
    }

    void pathsTheFileCannotHoldAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        CompanionWorld companions;
        QVERIFY(companions.start());
        companions.typeAndApply(QStringLiteral("/opt/a"));
        const QString before = companions.iniText();
        companions.typeAndApply(text);
        const QStringList errors = companions.world.dialogs.errors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.front().contains(text) && errors.front().contains(reason), qPrintable(errors.front()));
        QCOMPARE(companions.items(), QStringList{QStringLiteral("/opt/a")});
        QCOMPARE(companions.iniText(), before);
        QVERIFY(!companions.errorShown());
    }

    void nothingToApplyShowsTheErrorIndicator_data()
    {
        QTest::addColumn<bool>("throughTheDialog");
        QTest::newRow("apply with an empty box") << false;
        QTest::newRow("file dialog cancelled at its first use") << true;
    }

    void nothingToApplyShowsTheErrorIndicator()
    {
        QFETCH(bool, throughTheDialog);
        CompanionWorld companions;
        QVERIFY(companions.start());
        if (throughTheDialog) {
            companions.world.dialogs.answerNo();
            QTest::mouseClick(companions.group().AddButton, Qt::LeftButton);
        } else {
            QTest::mouseClick(companions.group().ApplyButton, Qt::LeftButton);
        }
        QVERIFY(companions.errorShown());
        QVERIFY(companions.items().isEmpty());
        QVERIFY(!QFile::exists(companions.iniPath()));
        QWidget* box = companions.group().CompanionBox;
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 10), box->mapToGlobal(QPointF(2, 10)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box, &move);
        QVERIFY(!companions.errorShown());
    }

    void cancelledChoiceTakesTheFileChosenLast()
    {
        CompanionWorld companions;
        QVERIFY(companions.start());
        Dialogs::Reply chosen;
        chosen.path = QStringLiteral("/opt/chosen");
        companions.world.dialogs.answerNext(chosen);
        QTest::mouseClick(companions.group().AddButton, Qt::LeftButton);
        companions.type(QStringLiteral("/opt/typed"));
        companions.world.dialogs.answerNo();
        QTest::mouseClick(companions.group().AddButton, Qt::LeftButton);
        QCOMPARE(companions.combo()->currentText(), QStringLiteral("/opt/chosen"));
        QCOMPARE(companions.items(), QStringList{QStringLiteral("/opt/chosen")});
        QVERIFY(!companions.errorShown());
    }

    void deleteAllEmptiesTheListAndRemovesTheFile()
    {
        CompanionWorld first;
        QVERIFY(first.start());
        first.typeAndApply(QStringLiteral("/opt/a"));
        first.typeAndApply(QStringLiteral("/opt/b"));
        QVERIFY(QFile::exists(first.iniPath()));
        QTest::mouseClick(first.group().DeleteAllButton, Qt::LeftButton);
        QVERIFY(first.items().isEmpty());
        QCOMPARE(first.combo()->currentText(), QString());
        QVERIFY(!QFile::exists(first.iniPath()));
        QVERIFY(first.world.dialogs.requests.isEmpty());
        QVERIFY(first.fadeIn([] { return true; }));
        QVERIFY(first.opener->opened.isEmpty());
        const QString folder = first.world.configDir();
        first.world.stop();

        CompanionWorld second(folder);
        QVERIFY(second.start());
        QVERIFY(second.items().isEmpty());
        QVERIFY(second.fadeIn([] { return true; }));
        QVERIFY(second.opener->opened.isEmpty());
    }

    // Before anything was applied there is no start.ini: delete all has nothing to remove and says nothing.
    void deleteAllWithoutAFileIsSilent()
    {
        CompanionWorld companions;
        QVERIFY(companions.start());
        QTest::mouseClick(companions.group().DeleteAllButton, Qt::LeftButton);
        QVERIFY(companions.world.dialogs.requests.isEmpty());
        QVERIFY(!companions.errorShown());
    }
};

TROMBUS_GUI_TEST_MAIN(CompanionsTest)
#include "companions_test.moc"
