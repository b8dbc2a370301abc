#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include "app/tapplication.h"
#include "app/trayicon.h"
#include "media/modulemediacontrol.h"
#include "media/player.h"
#include "mediastandins.h"
#include "testworld.h"
#include "ui_MusicPage.h"

namespace {

// A program run with the recording media control, its ticks driven by the test, and a folder of (empty)
// media files to choose.
struct PlayerWorld
{
    explicit PlayerWorld(const QStringList& files = {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
    {
        world.platform->replace<MediaControl>(media);
        started = world.start();
        if (!started)
            return;
        form1().features().Timer1.stop();
        form1().features().Timer4.stop();
        ui().TabbedNotebook1->setCurrentWidget(ui().PageMusic);
        for (const QString& name : files) {
            QFile file(QDir(folder.path()).filePath(name));
            file.open(QIODevice::WriteOnly);
        }
    }
    bool started = false;
    bool sorted = true;
    TForm1& form1() { return world.form1(); }
    Ui::Form1& ui() { return world.ui(); }
    Ui::MusicPage& page() { return world.musicPage(); }
    Player& player() { return world.features().player(); }

    /// Chooses the folder through "открыть", as the user does. Names of one type come in the order the file
    /// system lists them; with "сортировать" on, the tests know the order.
    void chooseFolder(const QString& path)
    {
        if (sorted && !page().CheckBox12->isChecked())
            QTest::mouseClick(page().CheckBox12, Qt::LeftButton);
        Dialogs::Reply reply;
        reply.path = path;
        world.dialogs.answerNext(reply);
        QTest::mouseClick(page().SpeedButton1, Qt::LeftButton);
    }
    void chooseFolder() { chooseFolder(folder.path()); }
    QStringList entries()
    {
        QStringList names;
        for (int i = 0; i < page().ListBox1->count(); ++i)
            names << page().ListBox1->item(i)->text();
        return names;
    }
    QString file(const QString& name) { return folder.path() + QLatin1Char('/') + name; }
    void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    /// The playing track reaches its end.
    void trackEnds() { media->at = media->trackLength; }

    QTemporaryDir folder;
    std::shared_ptr<RecordingMediaControl> media = std::make_shared<RecordingMediaControl>();
    TestWorld world;
};

QPoint rowCentre(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class PlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void beforeAFolderOnlyOpenIsUsable()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        Ui::MusicPage& page = w.page();
        QVERIFY(page.SpeedButton1->isEnabled());
        for (QWidget* control : {static_cast<QWidget*>(page.SpeedButton2), static_cast<QWidget*>(page.SpeedButton3),
                                 static_cast<QWidget*>(page.SpeedButton4), static_cast<QWidget*>(page.SpeedButton6),
                                 static_cast<QWidget*>(page.Panel3), static_cast<QWidget*>(page.BitBtn12),
                                 static_cast<QWidget*>(page.MediaPlayer1Play)})
            QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
        // The strip lies at MPBar's left edge and spans it and the handle.
        QCOMPARE(page.Panel3->x(), page.MPBar->x());
        QCOMPARE(page.Panel3->width(), 497 + 17);
        QVERIFY(!page.MPBar->isVisible());
        QCOMPARE(page.ListBox1->palette().color(QPalette::Base), QColor(0x38, 0xB0, 0xDE));
        QCOMPARE(w.player().HoverIndex, -1);
    }

    void folderListsTypesInMaskOrderAndTurnsVideoOn()
    {
        PlayerWorld w({"b.wav", "a.mp3", "c.avi", "notes.txt"});
        QVERIFY(w.started);
        w.sorted = false;
        w.chooseFolder();
        QCOMPARE(w.world.dialogs.requests.last().kind, Dialogs::Kind::Folder);
        QCOMPARE(w.world.dialogs.requests.last().text, QStringLiteral("Выберите каталог"));
        QCOMPARE(w.entries(), QStringList({"a.mp3", "c.avi", "b.wav"}));
        QVERIFY(w.page().CheckBox10->isChecked());
        QVERIFY(w.media->log.contains(QStringLiteral("display Panel2")));
        QCOMPARE(w.page().ListBox1->currentRow(), 0);
        QVERIFY(!w.page().SpeedButton2->isEnabled());
        QVERIFY(w.page().SpeedButton4->isEnabled());
        QVERIFY(w.page().SpeedButton3->isEnabled());
        QVERIFY(w.page().SpeedButton6->isEnabled());
        QVERIFY(w.page().Panel3->isEnabled());
        QCOMPARE(w.player().CurrentFolder, w.folder.path() + QLatin1Char('/'));
        // Choosing the folder is not a click on an entry.
        QCOMPARE(w.page().Label7->text(), QStringLiteral("ПЛЕЙ ЛИСТ"));
    }

    void folderWithOneFileOrNoneAndACancelledDialog()
    {
        PlayerWorld w({"only.wav"});
        QVERIFY(w.started);
        w.chooseFolder();
        QCOMPARE(w.entries(), QStringList({"only.wav"}));
        QVERIFY(!w.page().SpeedButton4->isEnabled());
        QVERIFY(!w.page().SpeedButton2->isEnabled());

        // A cancelled dialog keeps the list; only the enabled states are set again.
        w.world.dialogs.answerNo();
        w.click(w.page().SpeedButton1);
        QCOMPARE(w.entries(), QStringList({"only.wav"}));
        QVERIFY(w.page().SpeedButton3->isEnabled());

        QTemporaryDir empty;
        w.chooseFolder(empty.path());
        QVERIFY(w.entries().isEmpty());
        for (QWidget* control :
             {static_cast<QWidget*>(w.page().SpeedButton3), static_cast<QWidget*>(w.page().SpeedButton6),
              static_cast<QWidget*>(w.page().Panel3), static_cast<QWidget*>(w.page().MediaPlayer1)})
            QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    }

    void sortedListKeepsLetterCaseAside()
    {
        PlayerWorld w({"b.mp3", "C.mp3", "a.wav", "A2.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        QCOMPARE(w.entries(), QStringList({"a.wav", "A2.mp3", "b.mp3", "C.mp3"}));

        // Switched on over a listed folder, the entries are sorted and the current one stays current.
        w.sorted = false;
        QTest::mouseClick(w.page().CheckBox12, Qt::LeftButton);
        QVERIFY(!w.page().CheckBox12->isChecked());
        w.chooseFolder();
        QCOMPARE(w.entries().mid(3), QStringList({"a.wav"}));
        w.page().ListBox1->setCurrentRow(3);
        QTest::mouseClick(w.page().CheckBox12, Qt::LeftButton);
        QCOMPARE(w.entries(), QStringList({"a.wav", "A2.mp3", "b.mp3", "C.mp3"}));
        QCOMPARE(w.page().ListBox1->currentItem()->text(), QStringLiteral("a.wav"));
        // Switched off, the order stays.
        QTest::mouseClick(w.page().CheckBox12, Qt::LeftButton);
        QCOMPARE(w.entries(), QStringList({"a.wav", "A2.mp3", "b.mp3", "C.mp3"}));
    }

    void playButtonTogglesPlaying()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        w.media->take();
        w.click(w.page().SpeedButton3);
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("стоп"));
        QCOMPARE(w.player().Playing, 1);
        QCOMPARE(w.page().Label7->text(), QStringLiteral("a.mp3"));
        QCOMPARE(w.media->take(), QStringList({"open " + w.file("a.mp3"), "play"}));
        QVERIFY(w.page().MediaPlayer1Pause->isEnabled());
        QVERIFY(!w.page().MediaPlayer1Play->isEnabled());

        w.click(w.page().SpeedButton3);
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("играть"));
        QCOMPARE(w.player().Playing, 0);
        QCOMPARE(w.media->take(), QStringList({"stop"}));
    }

    void nextAndPreviousMoveThroughTheList()
    {
        PlayerWorld w({"a.mp3", "b.mp3", "c.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.media->take();
        w.click(w.page().SpeedButton4);
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        QCOMPARE(w.page().Label7->text(), QStringLiteral("b.mp3"));
        QCOMPARE(w.media->take(), QStringList({"stop", "open " + w.file("b.mp3"), "play"}));
        QVERIFY(w.page().SpeedButton2->isEnabled());
        // Playing and the caption stay as the play button left them.
        QCOMPARE(w.player().Playing, 1);
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("стоп"));
        w.click(w.page().SpeedButton4);
        QCOMPARE(w.page().ListBox1->currentRow(), 2);
        QVERIFY(!w.page().SpeedButton4->isEnabled());
        w.click(w.page().SpeedButton2);
        w.click(w.page().SpeedButton2);
        QCOMPARE(w.page().ListBox1->currentRow(), 0);
        QVERIFY(!w.page().SpeedButton2->isEnabled());
        QVERIFY(w.page().SpeedButton4->isEnabled());
    }

    void nextPastTheLastEntryReportsTheListsIndexError()
    {
        PlayerWorld w({"a.mp3", "b.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.player().SpeedButton4Click();
        w.media->take();
        // The tray's "след." clicks the button even while it is disabled.
        w.ui().N37->setEnabled(true);
        w.ui().N37->trigger();
        QCOMPARE(w.world.dialogs.errors(), QStringList({"List index out of bounds (-1)"}));
        QVERIFY(w.media->take().isEmpty());
    }

    void randomOrderPicksTheSameSequenceInEveryRun()
    {
        QList<int> runs[2];
        for (QList<int>& picks : runs) {
            PlayerWorld w({"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"});
            QVERIFY(w.started);
            w.chooseFolder();
            w.click(w.page().SpeedButton6);
            QCOMPARE(w.page().SpeedButton6->text(), QStringLiteral("подряд"));
            QCOMPARE(w.player().RandomOrder, 1);
            for (int i = 0; i < 12; ++i) {
                w.player().SpeedButton4Click();
                picks << w.page().ListBox1->currentRow();
            }
            w.click(w.page().SpeedButton6);
            QCOMPARE(w.page().SpeedButton6->text(), QStringLiteral("случайно"));
        }
        QCOMPARE(runs[0], runs[1]);
        PlayerRandom expected;
        for (int pick : runs[0])
            QCOMPARE(pick, expected.pick(5));
    }

    void endOfATrackPlaysTheNextAndTheLastStops()
    {
        PlayerWorld w({"a.mp3", "b.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.player().PlayerTick();
        QCOMPARE(w.page().MPBar->maximum(), 994000);
        w.media->take();
        w.trackEnds();
        w.player().PlayerTick();
        QCOMPARE(w.media->take(), QStringList({"stop", "open " + w.file("b.mp3"), "play"}));
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("стоп"));
        QCOMPARE(w.player().Playing, 1);

        w.trackEnds();
        w.player().PlayerTick();
        QCOMPARE(w.media->take(), QStringList({"stop"}));
        QCOMPARE(w.player().Playing, 0);
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("играть"));
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
    }

    void activationDisablesNextUntilTheNextTick()
    {
        PlayerWorld w({"a.mp3", "b.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.form1().FormActivate();
        QVERIFY(!w.page().SpeedButton4->isEnabled());
        w.player().PlayerTick();
        QVERIFY(w.page().SpeedButton4->isEnabled());
    }

    void doubleClickPlaysTheEntryFromItsStart()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.media->at = 5000;
        w.media->take();
        QListWidget* list = w.page().ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
        QCOMPARE(w.page().Label7->text(), QStringLiteral("c.mp3"));
        QCOMPARE(w.media->take(), QStringList({"stop", "open " + w.file("c.mp3"), "play"}));
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("стоп"));
        QCOMPARE(w.media->at, 0);
    }

    void enterTogglesPlaybackAndLettersOnlyMoveTheSelection()
    {
        PlayerWorld w({"apple.mp3", "cherry.mp3", "berry.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        QListWidget* list = w.page().ListBox1;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_C);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("cherry.mp3"));
        QCOMPARE(w.player().Playing, 0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(w.player().Playing, 1);
        QVERIFY(w.media->log.contains("open " + w.file("cherry.mp3")));
        QTest::keyClick(list, Qt::Key_Enter);
        QCOMPARE(w.player().Playing, 0);
    }

    void draggingAnEntryMovesItBeforeTheOneUnderThePoint_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto"); // -1: below the last entry
        QTest::addColumn<QStringList>("order");
        QTest::newRow("third onto first") << 2 << 0 << QStringList({"c.mp3", "a.mp3", "b.mp3", "d.mp3"});
        QTest::newRow("first onto fourth") << 0 << 3 << QStringList({"b.mp3", "c.mp3", "a.mp3", "d.mp3"});
        QTest::newRow("below the last") << 1 << -1 << QStringList({"a.mp3", "c.mp3", "d.mp3", "b.mp3"});
        QTest::newRow("onto the next") << 1 << 2 << QStringList({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
    }
    void draggingAnEntryMovesItBeforeTheOneUnderThePoint()
    {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QStringList, order);
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        QListWidget* list = w.page().ListBox1;
        const QPoint start = rowCentre(list, from);
        const QPoint end = onto >= 0 ? rowCentre(list, onto) : QPoint(start.x(), list->viewport()->height() - 3);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
        QCOMPARE(list->currentRow(), from);
        QMouseEvent move(QEvent::MouseMove, end, list->viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(w.entries(), order);
        QCOMPARE(list->currentRow(), -1);

        // Nothing is selected now: playing reports the list's index error and plays nothing.
        w.media->take();
        w.click(w.page().SpeedButton3);
        QCOMPARE(w.world.dialogs.errors(), QStringList({"List index out of bounds (-1)"}));
        QVERIFY(w.media->take().isEmpty());
        QCOMPARE(w.player().Playing, 0);
    }

    void droppingAnEntryOntoItselfChangesNothing()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        QListWidget* list = w.page().ListBox1;
        const QPoint start = rowCentre(list, 1);
        const QPoint end = start + QPoint(30, 2);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, end, list->viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(w.entries(), QStringList({"a.mp3", "b.mp3", "c.mp3", "d.mp3"}));
        QCOMPARE(list->currentRow(), 1);
    }

    void hoverHintShowsTheEntryOverItsRow()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        QListWidget* list = w.page().ListBox1;
        QTest::mouseMove(list->viewport(), rowCentre(list, 2));
        QCOMPARE(w.player().HoverIndex, 2);
        QCOMPARE(list->toolTip(), QStringLiteral("c.mp3"));
        QCOMPARE(w.player().hintRowTop(), list->visualItemRect(list->item(2)).top());
        // The application asks for the hint when the pointer rests; it lies over the row, lime, and lets the
        // pointer through to the list.
        QHelpEvent help(QEvent::ToolTip, rowCentre(list, 2), list->viewport()->mapToGlobal(rowCentre(list, 2)));
        QApplication::sendEvent(list->viewport(), &help);
        QWidget* hint = w.player().hintWindow();
        QVERIFY(hint);
        QTRY_VERIFY(hint->isVisible());
        QCOMPARE(qobject_cast<QLabel*>(hint)->text(), QStringLiteral("c.mp3"));
        QCOMPARE(hint->pos(), list->viewport()->mapToGlobal(QPoint(0, w.player().hintRowTop())));
        QCOMPARE(hint->palette().color(hint->backgroundRole()), QColor(0x00, 0xFF, 0x00));
        QVERIFY(hint->windowFlags().testFlag(Qt::WindowTransparentForInput));

        // Another row cancels the hint; below the entries there is none.
        QTest::mouseMove(list->viewport(), rowCentre(list, 1));
        QVERIFY(!hint->isVisible());
        QTest::mouseMove(list->viewport(), QPoint(5, list->viewport()->height() - 2));
        QCOMPARE(w.player().HoverIndex, -1);
        QCOMPARE(list->toolTip(), QString());
        QCOMPARE(w.player().hintRowTop(), -1);
        QApplication::sendEvent(list->viewport(), &help);
        QVERIFY(!hint->isVisible());
    }

    void clickOnTheStripMovesTheHandleAndSeeks()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.player().PlayerTick();
        w.media->take();
        QTest::mouseClick(w.page().Panel3, Qt::LeftButton, {}, QPoint(100, 10));
        QCOMPARE(w.page().BitBtn12->x(), 92);
        QCOMPARE(w.media->take(), QStringList({"seek 184000", "play"}));
        QVERIFY(!w.player().DraggingHandle);

        // Timer4 puts the handle at the playing position.
        w.media->at = 300000;
        w.player().Timer4Timer();
        QCOMPARE(w.page().BitBtn12->x(), 150);
    }

    void handleDroppedAtTheEndStartsTheNextEntryThere()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.player().PlayerTick();
        w.media->trackLength = 10000; // the next track is shorter; U stays that of the first
        w.media->take();
        QTest::mousePress(w.page().BitBtn12, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(w.player().DraggingHandle);
        w.page().BitBtn12->move(497, w.page().BitBtn12->y());
        QTest::mouseRelease(w.page().BitBtn12, Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        QCOMPARE(w.media->take(), QStringList({"stop", "open " + w.file("b.mp3"), "play", "seek 994000", "play"}));
        QVERIFY(!w.player().DraggingHandle);
    }

    void draggedHandleFollowsThePointerWithinTheStrip()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        QPushButton* handle = w.page().BitBtn12;
        QTest::mouseMove(handle, QPoint(5, 5));
        QCOMPARE(handle->x(), 3); // not dragged: the handle stays
        w.player().BitBtn12MouseDown();
        w.player().BitBtn12MouseMove(40);
        QCOMPARE(handle->x(), 43);
        handle->move(600, handle->y());
        w.player().BitBtn12MouseMove(5);
        QCOMPARE(handle->x(), 496);
        handle->move(-4, handle->y());
        w.player().BitBtn12MouseMove(5);
        QCOMPARE(handle->x(), 1);
    }

    // A release without an open device reports the device's error, and the handle no longer follows the
    // pointer: a drag that stayed "on" would make it run after every later movement over it.
    void failedSeekStillEndsTheDrag()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        QTest::mousePress(w.page().BitBtn12, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseRelease(w.page().BitBtn12, Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(w.world.dialogs.errors(), QStringList({MediaControl::notOpenText() + "."}));
        QVERIFY(!w.player().DraggingHandle);
        // The error stays inside the handler: the button still gets its release and is drawn up again.
        QVERIFY(!w.page().BitBtn12->isDown());
        const int left = w.page().BitBtn12->x();
        QTest::mouseMove(w.page().BitBtn12, QPoint(12, 8));
        QCOMPARE(w.page().BitBtn12->x(), left);
    }

    void handleAtTheStripsEndAdvancesButNotPastTheLastEntry()
    {
        PlayerWorld w({"a.mp3", "b.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.player().PlayerTick();
        w.media->at = 990000; // the handle's place at U = 2000: 495
        w.media->take();
        w.player().Timer4Timer();
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        QVERIFY(w.media->take().contains("open " + w.file("b.mp3")));
        // On the last entry the strip's end starts nothing and reports nothing; PlayerTick ends the list.
        w.page().BitBtn12->move(496, w.page().BitBtn12->y());
        w.media->currentMode = MediaControl::Mode::Stopped;
        w.player().Timer4Timer();
        w.player().Timer4Timer();
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        QVERIFY(w.world.dialogs.errors().isEmpty());
        QVERIFY(w.media->take().isEmpty());
    }

    // Both ticks see a track's end; whichever comes first starts the next entry, and the other must not start
    // one more. The list is run to its end with the ticks in either order.
    void everyTrackChangeAdvancesOnce_data()
    {
        QTest::addColumn<bool>("timer4First");
        QTest::addColumn<bool>("windowHidden");
        QTest::newRow("PlayerTick first") << false << false;
        QTest::newRow("Timer4 first") << true << false;
        QTest::newRow("window hidden: Timer4 alone") << true << true;
    }
    void everyTrackChangeAdvancesOnce()
    {
        QFETCH(bool, timer4First);
        QFETCH(bool, windowHidden);
        PlayerWorld w({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.player().PlayerTick();
        w.media->take();
        const auto tick = [&] {
            if (timer4First)
                w.player().Timer4Timer();
            if (!windowHidden)
                w.player().PlayerTick();
            if (!timer4First)
                w.player().Timer4Timer();
        };
        // What each track's end opened: the next entry once, and nothing after the last.
        QStringList openedAtEnds;
        for (int track = 0; track < 4; ++track) {
            // The handle comes to the strip's end a moment before the track's end, which may start the next
            // entry at once; otherwise the track ends.
            w.media->at = w.media->trackLength - 1500;
            tick();
            if (!w.media->log.join(QLatin1Char('\n')).contains(QStringLiteral("open "))) {
                w.trackEnds();
                tick();
            }
            tick();
            QStringList opened;
            for (const QString& command : w.media->take())
                if (command.startsWith(QStringLiteral("open ")))
                    opened << QFileInfo(command.mid(5)).fileName();
            openedAtEnds << opened.join(QLatin1Char('+'));
        }
        QCOMPARE(openedAtEnds, QStringList({"b.mp3", "c.mp3", "d.mp3", ""}));
        QCOMPARE(w.page().ListBox1->currentRow(), 3);
        QVERIFY2(w.world.dialogs.errors().isEmpty(), qPrintable(w.world.dialogs.errors().join('\n')));
        if (!windowHidden) {
            QCOMPARE(w.player().Playing, 0);
            QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("играть"));
        }
    }

    // The handle stood at the strip's end when the previous track ended there; the next track's length is not
    // known for a moment after its open, and the handle must not stay at the end meanwhile and skip it.
    void aTrackWhoseLengthIsNotKnownYetIsNotSkipped()
    {
        PlayerWorld w({"a.mp3", "b.mp3", "c.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.player().PlayerTick();
        w.media->take();
        w.media->lengthUnknownAfterOpen = true;
        w.media->at = w.media->trackLength;
        w.player().Timer4Timer();
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        w.player().PlayerTick();
        w.player().Timer4Timer();
        w.player().Timer4Timer();
        QStringList opened;
        for (const QString& command : w.media->take())
            if (command.startsWith(QStringLiteral("open ")))
                opened << QFileInfo(command.mid(5)).fileName();
        QCOMPARE(opened, QStringList({"b.mp3"}));
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        QCOMPARE(w.page().BitBtn12->x(), 0);
    }

    void stripsPauseButtonResumesAtOnceWhilePlayingFromThePlayButton()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        w.media->take();
        w.click(w.page().MediaPlayer1Pause);
        QCOMPARE(w.form1().windowTitle(), QStringLiteral("1"));
        QCOMPARE(w.media->take(), QStringList({"pause", "pause"}));
        QCOMPARE(w.media->mode(), MediaControl::Mode::Playing);

        // Started by "след.", with Playing 0, the same press pauses.
        w.click(w.page().SpeedButton3);
        w.player().SpeedButton4Click();
        QCOMPARE(w.player().Playing, 0);
        w.media->take();
        w.click(w.page().MediaPlayer1Pause);
        QCOMPARE(w.media->take(), QStringList({"pause"}));
        QCOMPARE(w.media->mode(), MediaControl::Mode::Paused);
        // Resume and stop from the strip and the two picture buttons.
        w.click(w.page().SpeedButton8);
        QCOMPARE(w.media->mode(), MediaControl::Mode::Playing);
        w.click(w.page().MediaPlayer1Stop);
        QCOMPARE(w.form1().windowTitle(), QStringLiteral("2"));
        QCOMPARE(w.media->take(), QStringList({"play", "stop", "stop"}));
    }

    void fileThatDoesNotOpenIsReportedAndThePlayerStaysUsable()
    {
        PlayerWorld w({"bad.mp3", "good.mp3"});
        QVERIFY(w.started);
        w.media->failing << QStringLiteral("bad.mp3");
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        QCOMPARE(w.world.dialogs.errors(), QStringList({"Could not determine type of stream."}));
        // The caption had changed before the failing open; Playing had not.
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("стоп"));
        QCOMPARE(w.player().Playing, 0);
        QCOMPARE(w.media->fileName(), w.file("bad.mp3"));
        w.media->take();
        w.player().PlayerTick();
        w.player().Timer4Timer();
        QVERIFY(w.media->take().isEmpty());

        w.player().SpeedButton4Click();
        QCOMPARE(w.media->take(), QStringList({"open " + w.file("good.mp3"), "play"}));
        QCOMPARE(w.media->mode(), MediaControl::Mode::Playing);
    }

    // The backend decides an open after the press has returned. Until then the ticks leave the strip alone (an
    // end standing from the track before must not move the list on); the verdict shows the track's length and
    // puts the handle at its start.
    void anOpenDecidedLaterShowsTheTrackOnItsVerdict()
    {
        PlayerWorld w({"a.mp3", "b.mp3"});
        QVERIFY(w.started);
        w.media->decideLater = true;
        w.chooseFolder();
        const int maximum = w.page().MPBar->maximum();
        w.page().BitBtn12->move(200, w.page().BitBtn12->y());
        w.media->take();
        w.click(w.page().SpeedButton3);
        QCOMPARE(w.media->take(), QStringList({"open " + w.file("a.mp3"), "play"}));
        QVERIFY(w.media->opening());
        QCOMPARE(w.player().Playing, 1);
        QCOMPARE(w.page().SpeedButton3->text(), QStringLiteral("стоп"));
        QVERIFY(w.page().MediaPlayer1Pause->isEnabled());

        w.trackEnds();
        w.player().PlayerTick();
        w.player().Timer4Timer();
        QVERIFY(w.media->take().isEmpty());
        QCOMPARE(w.page().ListBox1->currentRow(), 0);
        QCOMPARE(w.page().MPBar->maximum(), maximum);
        QCOMPARE(w.page().BitBtn12->x(), 200);

        w.media->at = 0;
        w.media->decide();
        QCOMPARE(w.page().MPBar->maximum(), 994000);
        QCOMPARE(w.page().BitBtn12->x(), 0);
        QVERIFY(w.page().MediaPlayer1Pause->isEnabled());
        QVERIFY2(w.world.dialogs.errors().isEmpty(), qPrintable(w.world.dialogs.errors().join('\n')));
        QCOMPARE(w.player().Playing, 1);
    }

    // A file the backend refuses after the press has returned is reported with the backend's text and leaves
    // the player as an open that failed at once does: "играть" keeps its caption but the list is not playing,
    // a failed "след." leaves it as it was, and the ticks do nothing until the next press.
    void aFileRefusedAfterThePressIsReportedAsAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("playing");
        QTest::newRow("play pressed") << QStringLiteral("play") << 0;
        QTest::newRow("next pressed while playing") << QStringLiteral("next") << 1;
        QTest::newRow("stopped before the verdict") << QStringLiteral("play, stop") << 0;
    }
    void aFileRefusedAfterThePressIsReportedAsAtOnce()
    {
        QFETCH(QString, how);
        QFETCH(int, playing);
        PlayerWorld w({"a.mp3", "bad.mp3", "c.mp3"});
        QVERIFY(w.started);
        w.media->failing << QStringLiteral("bad.mp3");
        w.media->decideLater = true;
        w.chooseFolder();
        if (how == QLatin1String("next")) {
            w.click(w.page().SpeedButton3);
            w.media->decide();
            w.player().SpeedButton4Click();
        } else {
            w.page().ListBox1->setCurrentRow(1);
            w.click(w.page().SpeedButton3);
            if (how == QLatin1String("play, stop"))
                w.click(w.page().SpeedButton3);
        }
        QVERIFY(w.media->opening());
        QVERIFY(w.world.dialogs.errors().isEmpty());
        w.media->decide();
        QCOMPARE(w.world.dialogs.errors(), QStringList({"Could not determine type of stream."}));
        QCOMPARE(w.player().Playing, playing);
        QCOMPARE(w.page().SpeedButton3->text(),
                 how == QLatin1String("play, stop") ? QStringLiteral("играть") : QStringLiteral("стоп"));
        QCOMPARE(w.page().Label7->text(), QStringLiteral("bad.mp3"));
        QVERIFY(!w.page().MediaPlayer1Pause->isEnabled());
        QVERIFY(!w.page().MediaPlayer1Stop->isEnabled());
        w.media->take();
        w.player().PlayerTick();
        w.player().Timer4Timer();
        QVERIFY(w.media->take().isEmpty());

        if (playing == 0) {
            w.media->decideLater = false;
            w.player().SpeedButton4Click();
            QCOMPARE(w.media->take(), QStringList({"open " + w.file("c.mp3"), "play"}));
            QCOMPARE(w.media->mode(), MediaControl::Mode::Playing);
        }
    }

    void videoOutputFollowsTheCheckBoxAndEveryOpen()
    {
        PlayerWorld w({"film.avi"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.media->take();
        w.click(w.page().SpeedButton3);
        QCOMPARE(w.media->take(), QStringList({"open " + w.file("film.avi"), "play", "display own", "display Panel2",
                                               "rect 0,0,200,150"}));
        w.click(w.page().CheckBox10);
        QCOMPARE(w.media->take(), QStringList({"display own"}));
    }

    void traySubmenuCopiesTheButtonsAndClicksThem()
    {
        PlayerWorld w({"a.mp3", "b.mp3"});
        QVERIFY(w.started);
        w.chooseFolder();
        w.click(w.page().SpeedButton3);
        QMenu& menu = w.form1().trayIcon().playerMenu();
        QMetaObject::invokeMethod(&menu, "aboutToShow");
        QCOMPARE(w.ui().N36->text(), QStringLiteral("стоп"));
        QCOMPARE(w.ui().N39->text(), QStringLiteral("случ."));
        QVERIFY(w.ui().N37->isEnabled());
        QVERIFY(!w.ui().N38->isEnabled());
        w.ui().N37->trigger();
        QCOMPARE(w.page().ListBox1->currentRow(), 1);
        w.ui().N39->trigger();
        QCOMPARE(w.player().RandomOrder, 1);
        QMetaObject::invokeMethod(&menu, "aboutToShow");
        QCOMPARE(w.ui().N39->text(), QStringLiteral("подряд"));
        QVERIFY(!w.ui().N37->isEnabled());
        w.ui().N36->trigger();
        QCOMPARE(w.player().Playing, 0);
    }

    void mixerButtonShowsTheMixerWithoutWaiting()
    {
        PlayerWorld w;
        QVERIFY(w.started);
        w.click(w.page().SpeedButton7);
        QTRY_VERIFY(w.form1().form2Window()->isVisible());
        w.form1().form2Window()->close();
    }

    // Without the backend's module the player fails as with a file the backend gives no verdict on: the press
    // reports the file that did not open and the list is not playing, the first time (while the module is
    // looked for) and every time after.
    void missingBackendModuleFailsEveryOpenQuietly()
    {
        QTemporaryDir folder;
        QVERIFY(QFile(QDir(folder.path()).filePath(QStringLiteral("a.mp3"))).open(QIODevice::WriteOnly));
        auto media = std::make_shared<ModuleMediaControl>(QStringLiteral("trombus_no_such_backend"));
        TestWorld world;
        world.platform->replace<MediaControl>(media);
        QVERIFY(world.start());
        Ui::MusicPage& page = world.musicPage();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMusic);
        Dialogs::Reply reply;
        reply.path = folder.path();
        world.dialogs.answerNext(reply);
        QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
        QCOMPARE(page.ListBox1->count(), 1);

        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QVERIFY(media->fileName().endsWith(QStringLiteral("a.mp3")));
        const QString report = ModuleMediaControl::moduleMissingText(media->fileName()) + ".";
        QTRY_COMPARE(world.dialogs.errors(), QStringList{report});
        QCOMPARE(world.features().player().Playing, 0);
        QVERIFY(!media->deviceOpen());
        QCOMPARE(media->mode(), MediaControl::Mode::NotReady);
        QVERIFY_THROWS_EXCEPTION(MediaError, media->play());

        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QCOMPARE(world.dialogs.errors(), (QStringList{report, report}));
        QCOMPARE(world.features().player().Playing, 0);
        QVERIFY(!media->deviceOpen());
    }
};

TROMBUS_GUI_TEST_MAIN(PlayerTest)
#include "player_test.moc"
