// The real media backend (Qt Multimedia over GStreamer) with files the test writes: a WAV plays to its end
// through the window and the list moves on; a tiny MIDI file plays through the soundfont; a file the backend
// cannot play fails at its open with the backend's own text. Sound goes to the private null sink of
// scripts/test.sh.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "app/tapplication.h"
#include "media/modulemediacontrol.h"
#include "media/player.h"
#include "media/qtmediacontrol.h"
#include "mediafiles.h"
#include "testworld.h"
#include "ui_MusicPage.h"

namespace {

bool soundServerRunning()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty())
        return false;
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

// Opens the file and waits for the backend's verdict; a refusal raises, as from the open itself.
void openAndWait(QtMediaControl& media)
{
    QString error;
    media.setOpenHandler([&](const QString& text) { error = text; });
    const auto unset = qScopeGuard([&] { media.setOpenHandler({}); });
    media.open();
    if (!QTest::qWaitFor([&] { return !media.opening(); }, 20000))
        throw MediaError(QStringLiteral("no verdict on the open"));
    if (!error.isEmpty())
        throw MediaError(error);
}

// Counts how deep in nested event loops the window's timers ever ran: a handler waiting in one of its own holds
// back the user's input meanwhile.
class LoopDepth
{
public:
    LoopDepth()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_deepest = std::max(m_deepest, QThread::currentThread()->loopLevel()); });
        m_timer.start();
    }
    int deepest() const { return m_deepest; }

private:
    QTimer m_timer;
    int m_deepest = 0;
};

} // namespace

class MediaBackendTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString file(const QString& name) { return QDir(m_folder.path()).filePath(name); }

    // Shows the music page and opens `folder` through "открыть" (its list sorted by name when asked).
    static Ui::MusicPage& openFolder(TestWorld& world, const QString& folder, bool sorted)
    {
        Ui::MusicPage& page = world.musicPage();
        world.ui().TabbedNotebook1->setCurrentWidget(world.ui().PageMusic);
        if (sorted)
            QTest::mouseClick(page.CheckBox12, Qt::LeftButton);
        Dialogs::Reply reply;
        reply.path = folder;
        world.dialogs.answerNext(reply);
        QTest::mouseClick(page.SpeedButton1, Qt::LeftButton);
        return page;
    }

private slots:
    void initTestCase()
    {
        if (!soundServerRunning())
            QSKIP("no sound server: scripts/test.sh starts one with a null sink");
    }

    void wavPlaysToItsEndAndTheListMovesOn()
    {
        QTemporaryDir folder;
        QVERIFY(mediafiles::writeWav(QDir(folder.path()).filePath(QStringLiteral("1.wav")), 1000));
        QVERIFY(mediafiles::writeWav(QDir(folder.path()).filePath(QStringLiteral("2.wav")), 1000));
        TestWorld world;
        QVERIFY(world.start());
        Ui::MusicPage& page = openFolder(world, folder.path(), false);
        QCOMPARE(page.ListBox1->count(), 2);
        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
        Player& player = world.features().player();
        QCOMPARE(player.Playing, 1);
        // The main window's own ticks notice the end and start the next entry; at the last one's end the list
        // is done.
        QTRY_COMPARE_WITH_TIMEOUT(page.ListBox1->currentRow(), 1, 20000);
        QCOMPARE(page.Label7->text(), page.ListBox1->item(1)->text());
        QTRY_COMPARE_WITH_TIMEOUT(player.Playing, 0, 20000);
        QCOMPARE(page.SpeedButton3->text(), QStringLiteral("играть"));
        QCOMPARE(page.MPBar->maximum(), 1000);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
    }

    // Every kind of sound file plays to its real end through the window, with the video display off and on,
    // and the list moves on to the next entry: a video output on a file without video ended it at once.
    void soundFilesPlayToTheirEnd_data()
    {
        QTest::addColumn<bool>("display");
        QTest::newRow("display off") << false;
        QTest::newRow("display on") << true;
    }
    void soundFilesPlayToTheirEnd()
    {
        QFETCH(bool, display);
        QTemporaryDir folder;
        const auto path = [&](const char* name) { return QDir(folder.path()).filePath(QString::fromLatin1(name)); };
        const struct
        {
            const char* name;
            mediafiles::Mp3Kind kind;
        } mp3s[] = {{"1 cbr mono.mp3", {false, 1, false}},
                    {"2 cbr stereo id3.mp3", {false, 2, true}},
                    {"3 vbr mono id3.mp3", {true, 1, true}},
                    {"4 vbr stereo.mp3", {true, 2, false}}};
        for (const auto& mp3 : mp3s) {
            const QString failure = mediafiles::writeMp3(path(mp3.name), 1500, mp3.kind);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
        QVERIFY(mediafiles::writeWav(path("5 tone.wav"), 1000));
        QVERIFY(mediafiles::writeMidi(path("6 tune.mid")));

        TestWorld world;
        QVERIFY(world.start());
        Ui::MusicPage& page = openFolder(world, folder.path(), true); // sorted: the order above
        QCOMPARE(page.ListBox1->count(), 6);
        if (page.CheckBox10->isChecked() != display)
            QTest::mouseClick(page.CheckBox10, Qt::LeftButton);

        // How long each entry was seen playing, on the wall clock: the backend's own position and length of a
        // file it is still reading may stand still for a while on a busy machine, but an entry that ends a moment
        // after its start is seen for that moment only. A busy machine can only make the time longer.
        const qint64 written[6] = {1500, 1500, 1500, 1500, 1000, 500};
        MediaControl& media = world.platform->get<MediaControl>();
        QElapsedTimer clock;
        clock.start();
        QVector<qint64> firstSeen(6, -1);
        QVector<qint64> lastSeen(6, -1);
        QTimer watch;
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, [&] {
            const int row = page.ListBox1->currentRow();
            if (row < 0 || !media.deviceOpen() || media.mode() != MediaControl::Mode::Playing)
                return;
            if (firstSeen[row] < 0)
                firstSeen[row] = clock.elapsed();
            lastSeen[row] = clock.elapsed();
        });
        watch.start();
        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(world.features().player().Playing, 0, 60000);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
        QCOMPARE(page.ListBox1->currentRow(), 5);
        for (int row = 0; row < 6; ++row) {
            const QString entry = page.ListBox1->item(row)->text();
            QVERIFY2(firstSeen[row] >= 0, qPrintable(entry + QStringLiteral(" never played")));
            const qint64 played = lastSeen[row] - firstSeen[row];
            // The MIDI synthesiser may end its short tune early by the length of its last note's release.
            const qint64 needed = entry.endsWith(QStringLiteral(".mid")) ? written[row] / 4 : written[row] * 6 / 10;
            QVERIFY2(played >= needed,
                     qPrintable(QStringLiteral("%1: played %2 ms of %3").arg(entry).arg(played).arg(written[row])));
        }
    }

    // A file whose size promises far more than its sound holds ends a moment after its start, as the backend's
    // faulty early end does: it is started once more, ends again, and the list goes on to the next entry.
    void aFileWhoseSoundEndsEarlyEndsAndTheListGoesOn()
    {
        QTemporaryDir folder;
        const QString cut = QDir(folder.path()).filePath(QStringLiteral("1 cut.mp3"));
        const QString failure = mediafiles::writeMp3(cut, 300, {false, 1, false});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        // Eight seconds' worth of bytes at the file's bit rate, with no sound in them.
        QFile file(cut);
        QVERIFY(file.open(QIODevice::Append));
        QCOMPARE(file.write(QByteArray(64000, '\0')), 64000);
        file.close();
        QVERIFY(mediafiles::writeWav(QDir(folder.path()).filePath(QStringLiteral("2 tone.wav")), 600));

        TestWorld world;
        QVERIFY(world.start());
        Ui::MusicPage& page = openFolder(world, folder.path(), true);
        QCOMPARE(page.ListBox1->count(), 2);
        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(page.ListBox1->currentRow(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(world.features().player().Playing, 0, 20000);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
    }

    void midiPlaysThroughTheSoundfont()
    {
        QVERIFY(mediafiles::writeMidi(file(QStringLiteral("tune.mid"))));
        QtMediaControl media;
        media.setFileName(file(QStringLiteral("tune.mid")));
        media.open();
        QVERIFY(media.deviceOpen());
        QCOMPARE(media.mode(), MediaControl::Mode::Stopped);
        media.play();
        QCOMPARE(media.mode(), MediaControl::Mode::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(media.position() >= media.length(), 20000);
        QCOMPARE(media.mode(), MediaControl::Mode::Stopped);
        QVERIFY(media.length() >= 400);
    }

    void stopKeepsThePositionAndPlayGoesOnFromThere()
    {
        QVERIFY(mediafiles::writeWav(file(QStringLiteral("long.wav")), 3000));
        QtMediaControl media;
        media.setFileName(file(QStringLiteral("long.wav")));
        openAndWait(media);
        QCOMPARE(media.length(), 3000);
        media.seek(1500);
        media.play();
        QTRY_VERIFY_WITH_TIMEOUT(media.position() > 1500, 10000);
        media.stop();
        QCOMPARE(media.mode(), MediaControl::Mode::Stopped);
        const qint64 stoppedAt = media.position();
        QVERIFY(stoppedAt >= 1500);
        QTest::qWait(300);
        QVERIFY(media.position() >= stoppedAt - 50);
        media.pauseToggle(); // neither playing nor paused: nothing
        QCOMPARE(media.mode(), MediaControl::Mode::Stopped);
    }

    void filesTheBackendCannotPlayFailAtTheOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("cd track") << QStringLiteral("track01.cda");
        QTest::newRow("folder") << QStringLiteral("album.mp3");
        QTest::newRow("missing") << QStringLiteral("gone.wav");
    }
    void filesTheBackendCannotPlayFailAtTheOpen()
    {
        QFETCH(QString, name);
        QFile cda(file(QStringLiteral("track01.cda")));
        QVERIFY(cda.open(QIODevice::WriteOnly));
        cda.write("RIFF\x24\0\0\0CDDAfmt ", 16);
        cda.close();
        QDir(m_folder.path()).mkpath(QStringLiteral("album.mp3"));
        QVERIFY(mediafiles::writeWav(file(QStringLiteral("ok.wav")), 500));

        QtMediaControl media;
        media.setFileName(file(name));
        QString error;
        try {
            openAndWait(media);
        } catch (const MediaError& failure) {
            error = failure.message();
        }
        QVERIFY2(!error.isEmpty(), "the open did not fail");
        QVERIFY(!media.deviceOpen());
        QCOMPARE(media.fileName(), file(name));
        QVERIFY_THROWS_EXCEPTION(MediaError, media.play());
        QVERIFY_THROWS_EXCEPTION(MediaError, media.length());

        // The control stays usable.
        media.setFileName(file(QStringLiteral("ok.wav")));
        openAndWait(media);
        QVERIFY(media.deviceOpen());
        QCOMPARE(media.length(), 500);
    }

    // A second open while the first still waits for its verdict: only the second file's verdict is told, and
    // the device is what the second file makes of it, whatever the first one's backend still reports.
    void anOpenPendingWhenTheNextStartsIsVoid_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<qint64>("length"); // 0: the second does not open
        QTest::newRow("refused file, then a good one") << "track01.cda"
                                                       << "ok.wav" << qint64(500);
        QTest::newRow("good file, then a refused one") << "long.wav"
                                                       << "track01.cda" << qint64(0);
        QTest::newRow("good file, then another") << "long.wav"
                                                 << "ok.wav" << qint64(500);
    }
    void anOpenPendingWhenTheNextStartsIsVoid()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(qint64, length);
        QFile cda(file(QStringLiteral("track01.cda")));
        QVERIFY(cda.open(QIODevice::WriteOnly));
        cda.write("RIFF\x24\0\0\0CDDAfmt ", 16);
        cda.close();
        QVERIFY(mediafiles::writeWav(file(QStringLiteral("ok.wav")), 500));
        QVERIFY(mediafiles::writeWav(file(QStringLiteral("long.wav")), 3000));

        QtMediaControl media;
        QStringList verdicts;
        media.setOpenHandler(
            [&](const QString& error) { verdicts << (error.isEmpty() ? QStringLiteral("opened") : error); });
        media.setFileName(file(first));
        media.open();
        QVERIFY(media.opening());
        media.play();
        media.setFileName(file(second));
        try {
            media.open();
        } catch (const MediaError& failure) {
            verdicts << failure.message();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!media.opening(), 20000);
        QCOMPARE(verdicts.size(), 1);
        QCOMPARE(verdicts[0] == QLatin1String("opened"), length != 0);
        QCOMPARE(media.deviceOpen(), length != 0);
        if (length != 0) {
            QCOMPARE(media.length(), length);
            QCOMPARE(media.mode(), MediaControl::Mode::Stopped);
            QCOMPARE(media.position(), 0);
        }
    }

    // Commands given while the file loads are carried out, in their order, once it has loaded.
    void commandsWhileTheFileLoadsTakeEffectOnceLoaded_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<int>("mode");
        QTest::addColumn<qint64>("from"); // the position is past this once loaded; -1: it stays at the start
        QTest::newRow("play") << QStringList({"play"}) << int(MediaControl::Mode::Playing) << qint64(0);
        QTest::newRow("seek, play") << QStringList({"seek", "play"}) << int(MediaControl::Mode::Playing)
                                    << qint64(1500);
        QTest::newRow("play, stop") << QStringList({"play", "stop"}) << int(MediaControl::Mode::Stopped) << qint64(-1);
        QTest::newRow("play, pause") << QStringList({"play", "pause"}) << int(MediaControl::Mode::Paused) << qint64(-1);
    }
    void commandsWhileTheFileLoadsTakeEffectOnceLoaded()
    {
        QFETCH(QStringList, commands);
        QFETCH(int, mode);
        QFETCH(qint64, from);
        QVERIFY(mediafiles::writeWav(file(QStringLiteral("long.wav")), 3000));
        QtMediaControl media;
        media.setFileName(file(QStringLiteral("long.wav")));
        media.open();
        QVERIFY(media.opening());
        for (const QString& command : commands) {
            if (command == QLatin1String("play"))
                media.play();
            else if (command == QLatin1String("stop"))
                media.stop();
            else if (command == QLatin1String("pause"))
                media.pauseToggle();
            else
                media.seek(1500);
        }
        QCOMPARE(int(media.mode()), mode);
        QTRY_VERIFY_WITH_TIMEOUT(!media.opening(), 20000);
        QVERIFY(media.deviceOpen());
        QCOMPARE(media.length(), 3000);
        QCOMPARE(int(media.mode()), mode);
        if (from >= 0) {
            QTRY_VERIFY_WITH_TIMEOUT(media.position() > from, 10000);
        } else {
            QTest::qWait(300);
            QCOMPARE(media.position(), 0);
        }
    }

    // The presses that open a file return before the backend has decided it, and no handler waits in an
    // event loop of its own meanwhile; the tracks still play and the list moves on.
    void pressesThatOpenAFileReturnAtOnce()
    {
        QTemporaryDir folder;
        for (const char* name : {"1.mp3", "2.mp3"}) {
            const QString failure =
                mediafiles::writeMp3(QDir(folder.path()).filePath(QString::fromLatin1(name)), 5000, {true, 2, true});
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
        TestWorld world;
        QVERIFY(world.start());
        Ui::MusicPage& page = openFolder(world, folder.path(), true);
        MediaControl& media = world.platform->get<MediaControl>();
        const LoopDepth depth;
        QTest::mouseClick(page.SpeedButton3, Qt::LeftButton);
        QVERIFY(media.opening());
        QTRY_VERIFY_WITH_TIMEOUT(media.position() > 0, 20000);
        QTRY_VERIFY(page.MPBar->maximum() >= 4000);
        QTest::mouseClick(page.SpeedButton4, Qt::LeftButton);
        QVERIFY(media.opening());
        QCOMPARE(page.ListBox1->currentRow(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(media.position() > 0, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(world.features().player().Playing, 0, 20000);
        QVERIFY2(world.dialogs.errors().isEmpty(), qPrintable(world.dialogs.errors().join('\n')));
        QCOMPARE(depth.deepest(), 0);
    }

    // The program's control loads the backend's module at its first open; the backend's control made then has
    // what was set before (the file, the open handler) and tells its verdict, and the commands reach it.
    void theModulesControlTakesOverAtTheFirstOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opens");
        QTest::newRow("file that plays") << QStringLiteral("long.wav") << true;
        QTest::newRow("file the backend refuses") << QStringLiteral("gone.wav") << false;
    }
    void theModulesControlTakesOverAtTheFirstOpen()
    {
        QFETCH(QString, name);
        QFETCH(bool, opens);
        QVERIFY(mediafiles::writeWav(file(QStringLiteral("long.wav")), 3000));
        ModuleMediaControl media;
        QStringList verdicts;
        media.setOpenHandler([&](const QString& error) { verdicts << error; });
        media.setFileName(file(name));
        QVERIFY(!media.deviceOpen());
        QCOMPARE(media.mode(), MediaControl::Mode::NotReady);
        QVERIFY_THROWS_EXCEPTION(MediaError, media.play());
        try {
            media.open();
        } catch (const MediaError& refusal) {
            // The backend knew at once.
            verdicts << refusal.message();
        }
        if (media.deviceOpen()) {
            media.seek(2000);
            media.play();
        }
        QTRY_COMPARE_WITH_TIMEOUT(verdicts.size(), 1, 20000);
        QCOMPARE(verdicts.first().isEmpty(), opens);
        QCOMPARE(media.deviceOpen(), opens);
        QCOMPARE(media.fileName(), file(name));
        if (!opens) {
            QCOMPARE(media.mode(), MediaControl::Mode::NotReady);
            return;
        }
        QCOMPARE(media.length(), 3000);
        QCOMPARE(media.mode(), MediaControl::Mode::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(media.position() > 2000, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(media.mode(), MediaControl::Mode::Stopped, 10000);
        QCOMPARE(verdicts.size(), 1);
    }
};

TROMBUS_GUI_TEST_MAIN(MediaBackendTest)
#include "mediabackend_test.moc"
