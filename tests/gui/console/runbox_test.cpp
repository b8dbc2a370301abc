#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "app/tapplication.h"
#include "console/runbox.h"
#include "console/runhistory.h"
#include "forms/runboxgroup.h"
#include "recordingopener.h"
#include "testworld.h"
#include "ui_MainPage.h"
#include "ui_RunBoxGroup.h"

namespace {

struct RunWorld
{
    explicit RunWorld(const QString& configDir = {}) : world({}, configDir)
    {
        world.platform->replace<platform::Opener>(opener);
    }
    /// Starts the program with the main page in front; false when the window never came up.
    [[nodiscard]] bool start()
    {
        if (!world.start())
            return false;
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMain);
        return true;
    }
    Ui::RunBoxGroup& box() { return world.mainPage().RunBoxPanel->form(); }
    QComboBox* combo() { return box().ComboBox1; }
    QStringList items()
    {
        QStringList result;
        for (int i = 0; i < combo()->count(); ++i)
            result << combo()->itemText(i);
        return result;
    }
    QString history(const QString& name) { return world.stored(name, RunHistory::KeyPath); }
    void storeHistory(const QString& name, const QString& data) { world.store(name, data, RunHistory::KeyPath); }
    /// Types the text over what the box holds.
    void type(const QString& text)
    {
        combo()->setFocus();
        combo()->lineEdit()->selectAll();
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Delete);
        combo()->lineEdit()->insert(text);
    }

    TestWorld world;
    std::shared_ptr<OpenerRecorder> opener = std::make_shared<OpenerRecorder>();
};

const QStringList designItems{QStringLiteral("regedit"), QStringLiteral("dxdiag"), QStringLiteral("msconfig"),
                              QStringLiteral("cmd"), QStringLiteral("explorer")};

enum class Run
{
    Button,
    Enter,
    DoubleClick,
};

void runBy(RunWorld& run, Run how)
{
    switch (how) {
    case Run::Button:
        QTest::mouseClick(run.box().Button2, Qt::LeftButton);
        return;
    case Run::Enter:
        QTest::keyClick(run.combo()->lineEdit(), Qt::Key_Return);
        return;
    case Run::DoubleClick:
        QTest::mouseDClick(run.combo()->lineEdit(), Qt::LeftButton);
        return;
    }
}

} // namespace

Q_DECLARE_METATYPE(Run)

class RunBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartShowsTheDesignState()
    {
        RunWorld run;
        QVERIFY(run.start());
        QCOMPARE(run.box().RunBoxHeading->text(), QStringLiteral("СУПЕР!!!   Консоль"));
        QCOMPARE(run.box().Button2->text(), QStringLiteral("ДА"));
        QCOMPARE(run.box().consl->text(), QStringLiteral("1"));
        QCOMPARE(run.items(), designItems);
        QCOMPARE(run.combo()->currentText(), QStringLiteral("taskmgr"));
        // The key is there from the start, still without a value.
        QVERIFY(run.world.keyExists(RunHistory::KeyPath));
        QVERIFY(run.world.storedNames(RunHistory::KeyPath).isEmpty());
        QVERIFY(run.opener->opened.isEmpty());
    }

    // "taskmgr" at the first start: run, listed, remembered as "Brund_" and the count of values the key held,
    // and listed again at the next start after the design items.
    void newCommandIsRememberedAcrossARestart()
    {
        RunWorld first;
        first.storeHistory(QStringLiteral("MRUList"), QStringLiteral("ab"));
        first.storeHistory(QStringLiteral("a"), QStringLiteral("calc\\1"));
        QVERIFY(first.start());
        QTest::mouseClick(first.box().Button2, Qt::LeftButton);
        QCOMPARE(first.opener->opened, QStringList{QStringLiteral("taskmgr")});
        QCOMPARE(first.combo()->currentText(), QString());
        QCOMPARE(first.items(), (designItems + QStringList{QStringLiteral("calc"), QStringLiteral("taskmgr")}));
        QCOMPARE(first.history(QStringLiteral("Brund_2")), QStringLiteral("taskmgr:)"));
        QCOMPARE(first.history(QStringLiteral("MRUList")), QStringLiteral("ab"));
        const QString folder = first.world.configDir();
        first.world.stop();

        RunWorld second(folder);
        QVERIFY(second.start());
        QCOMPARE(second.items(), (designItems + QStringList{QStringLiteral("calc"), QStringLiteral("taskmgr")}));
        QCOMPARE(second.combo()->currentText(), QStringLiteral("taskmgr"));
        // Now a known command: run, and nothing new is written.
        QTest::mouseClick(second.box().Button2, Qt::LeftButton);
        QCOMPARE(second.opener->opened, QStringList{QStringLiteral("taskmgr")});
        QCOMPARE(second.combo()->currentText(), QStringLiteral("taskmgr"));
        QCOMPARE(second.world.storedNames(RunHistory::KeyPath).size(), 3);
    }

    void historyIsReadWithoutItsMarkersAndWithoutRepeats()
    {
        RunWorld run;
        run.storeHistory(QStringLiteral("MRUList"), QStringLiteral("dcba"));
        run.storeHistory(QStringLiteral("a"), QStringLiteral("cmd\\1")); // a design item already
        run.storeHistory(QStringLiteral("b"), QStringLiteral("CMD\\1")); // letter case counts
        run.storeHistory(QStringLiteral("Brund_3"), QStringLiteral("gedit:)"));
        run.storeHistory(QStringLiteral("c"), QStringLiteral("gedit\\1")); // the same command again
        run.storeHistory(QStringLiteral("d"), QStringLiteral("x"));        // two characters or fewer
        QVERIFY(run.start());
        QCOMPARE(run.items(), (designItems + QStringList{QStringLiteral("CMD"), QStringLiteral("gedit"), QString()}));
        QVERIFY(run.opener->opened.isEmpty());
    }

    void everyWayOfRunningOpensTheTextAsOneName_data()
    {
        QTest::addColumn<Run>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("known");
        const QString shellText = QStringLiteral("; touch FILE $(touch FILE) `x` | y && -z");
        for (const auto& [name, how] : {std::pair{"button", Run::Button}, std::pair{"Enter", Run::Enter},
                                        std::pair{"double-click", Run::DoubleClick}}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, known").arg(QLatin1String(name))))
                << how << QStringLiteral("msconfig") << true;
            QTest::newRow(qPrintable(QStringLiteral("%1, new").arg(QLatin1String(name))))
                << how << QStringLiteral("/tmp/my file") << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, shell text").arg(QLatin1String(name))))
                << how << shellText << false;
        }
        QTest::newRow("other letter case is a new command") << Run::Enter << QStringLiteral("Regedit") << false;
    }

    void everyWayOfRunningOpensTheTextAsOneName()
    {
        QFETCH(Run, how);
        QFETCH(QString, text);
        QFETCH(bool, known);
        RunWorld run;
        QVERIFY(run.start());
        run.type(text);
        QCOMPARE(run.combo()->currentText(), text);
        runBy(run, how);
        QCOMPARE(run.opener->opened, QStringList{text});
        if (known) {
            QCOMPARE(run.items(), designItems);
            QCOMPARE(run.combo()->currentText(), text);
            QVERIFY(run.world.storedNames(RunHistory::KeyPath).isEmpty());
        } else {
            QCOMPARE(run.items(), designItems + QStringList{text});
            QCOMPARE(run.combo()->currentText(), QString());
            QCOMPARE(run.history(QStringLiteral("Brund_0")), text + QStringLiteral(":)"));
        }
        QVERIFY(run.world.dialogs.requests.isEmpty());
    }

    void pickingFromTheOpenListRunsAtOnce()
    {
        RunWorld run;
        QVERIFY(run.start());
        QComboBox* combo = run.combo();
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(combo->model()->index(2, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(run.opener->opened, QStringList{QStringLiteral("msconfig")});
        QCOMPARE(combo->currentText(), QStringLiteral("msconfig"));
        QCOMPARE(run.items(), designItems);
    }

    // Moving through the closed box with the keys or the wheel would start every row on the way.
    void movingThroughTheClosedBoxStartsNothing()
    {
        RunWorld run;
        QVERIFY(run.start());
        QComboBox* combo = run.combo();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Up);
        QTest::keyClick(combo, Qt::Key_PageDown);
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QVERIFY(processQueuedEvents());
        QVERIFY(run.opener->opened.isEmpty());
        QVERIFY(!combo->view()->isVisible());
        // The row reached is in the box; Enter runs it.
        const QString reached = combo->currentText();
        QVERIFY(designItems.contains(reached));
        QVERIFY(reached != QStringLiteral("regedit"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(run.opener->opened, QStringList{reached});
    }

    void emptyBoxListsAnEmptyCommandOnceAndStartsNothing()
    {
        RunWorld run;
        QVERIFY(run.start());
        run.type(QString());
        QTest::mouseClick(run.box().Button2, Qt::LeftButton);
        QCOMPARE(run.items(), designItems + QStringList{QString()});
        QCOMPARE(run.history(QStringLiteral("Brund_0")), QStringLiteral(":)"));
        QTest::mouseClick(run.box().Button2, Qt::LeftButton);
        QCOMPARE(run.world.storedNames(RunHistory::KeyPath).size(), 1);
        QVERIFY(run.opener->opened.isEmpty());
    }

    void colourSwitchInvertsTheBox()
    {
        RunWorld run;
        QVERIFY(run.start());
        QCheckBox* consl = run.box().consl;
        const auto colours = [&run] {
            const QPalette palette = run.combo()->lineEdit()->palette();
            return std::pair{palette.color(QPalette::Base), palette.color(QPalette::Text)};
        };
        QTest::mouseClick(consl, Qt::LeftButton);
        QCOMPARE(consl->text(), QStringLiteral("2"));
        QCOMPARE(colours(), (std::pair{QColor(Qt::black), QColor(Qt::white)}));
        QTest::mouseClick(consl, Qt::LeftButton);
        QCOMPARE(consl->text(), QStringLiteral("1"));
        QCOMPARE(colours(), (std::pair{QColor(Qt::white), QColor(Qt::black)}));
    }

    // A history that cannot be written: the error report names the value, and the command is neither listed
    // nor started.
    void failedHistoryWriteRunsNothing()
    {
        QTemporaryDir temp;
        const QString blocker = QDir(temp.path()).filePath(QStringLiteral("not-a-folder"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        RunWorld run(blocker);
        QVERIFY(run.start());
        run.world.dialogs.clear();
        QTest::mouseClick(run.box().Button2, Qt::LeftButton);
        QCOMPARE(run.world.dialogs.errors(), QStringList{QStringLiteral("Failed to set data for 'Brund_0'")});
        QVERIFY(run.opener->opened.isEmpty());
        QCOMPARE(run.items(), designItems);
        QCOMPARE(run.combo()->currentText(), QStringLiteral("taskmgr"));
    }
};

TROMBUS_GUI_TEST_MAIN(RunBoxTest)
#include "runbox_test.moc"
