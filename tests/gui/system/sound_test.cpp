#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/tapplication.h"
#include "platform/linux/toneplayer.h"
#include "platform/sound.h"
#include "platform/tone.h"
#include "testworld.h"

// The sound service on the sound server the suite runs (a private null sink), and without any sound server.
class SoundTest : public QObject
{
    Q_OBJECT

    static bool haveServer() { return !QMediaDevices::audioOutputs().isEmpty(); }

private slots:
    void toneGoesOutWholeAndTheWindowKeepsAnswering()
    {
        if (!haveServer())
            QSKIP("no sound server: the suite's script starts a private one");
        platform::detail::TonePlayer player;
        QVERIFY(player.play(880, 200));
        // The call came back at once: the tone is still sounding, and events are still delivered.
        QCOMPARE(player.state(), QAudio::ActiveState);
        bool delivered = false;
        QTimer::singleShot(0, this, [&] { delivered = true; });
        QTRY_VERIFY(delivered);
        // A null sink takes its data in large gulps, so the whole tone may take a while to go out.
        QTRY_VERIFY_WITH_TIMEOUT(player.state() == QAudio::IdleState && player.processedUSecs() >= 199000, 10000);
        QVERIFY(player.processedUSecs() <= 201000);
    }

    // The beeper sounds one tone at a time: a tone that has not had its time is ended by the next.
    void newToneEndsAnUnfinishedOne()
    {
        if (!haveServer())
            QSKIP("no sound server: the suite's script starts a private one");
        platform::detail::TonePlayer player;
        QVERIFY(player.play(523, 5000));
        QTRY_VERIFY_WITH_TIMEOUT(player.processedUSecs() > 0, 5000);
        QVERIFY(player.play(987, 100));
        QCOMPARE(player.tonesOpen(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(player.state() == QAudio::IdleState && player.processedUSecs() >= 99000, 10000);
        QVERIFY(player.processedUSecs() <= 101000);
    }

    // A file that is not there, or that is no sound, gives the desktop's error sound: the freedesktop theme's
    // error event through the first player found on the search path (here one that records what it plays).
    void missingOrBrokenFileGivesTheErrorSound()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("share/sounds/freedesktop/stereo")));
        const QString errorSound = dir.filePath(QStringLiteral("share/sounds/freedesktop/stereo/dialog-error.oga"));
        QVERIFY(writeFile(errorSound, "not played for real"));
        const QString played = dir.filePath(QStringLiteral("played.txt"));
        const QString player = dir.filePath(QStringLiteral("bin/paplay"));
        QVERIFY(writeFile(player, QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\n").arg(played).toUtf8()));
        QVERIFY(QFile::setPermissions(player, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString broken = dir.filePath(QStringLiteral("сломан.wav"));
        QVERIFY(writeFile(broken, "RIFF but nothing of a wave"));
        const QByteArray path = qgetenv("PATH");
        const QByteArray data = qgetenv("XDG_DATA_DIRS");
        qputenv("PATH", QFile::encodeName(dir.filePath(QStringLiteral("bin"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("share"))));
        const auto restore = qScopeGuard([&] {
            qputenv("PATH", path);
            qputenv("XDG_DATA_DIRS", data);
        });
        const auto playedLines = [&] {
            QFile file(played);
            if (!file.open(QIODevice::ReadOnly))
                return QStringList();
            return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        };

        platform::Context context;
        context.configDir = dir.path().toStdString();
        auto sound = platform::Sound::create(context);
        sound->playFile("C:\\Windows\\Media\\Windows XP - завершение.wav");
        QTRY_COMPARE(playedLines(), QStringList{errorSound});
        sound->playFile(broken.toStdString());
        QTRY_COMPARE(playedLines(), (QStringList{errorSound, errorSound}));
    }

    // Whatever the server, every request returns at once and nothing breaks on the way.
    void requestsReturnAtOnceWithOrWithoutServer()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString wave = dir.filePath(QStringLiteral("завершение.wav"));
        const auto bytes = platform::waveFile(platform::sineTone(440, 100, 8000), 8000);
        QVERIFY(writeFile(wave, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))));
        platform::Context context;
        context.configDir = dir.path().toStdString();
        auto sound = platform::Sound::create(context);
        QElapsedTimer clock;
        clock.start();
        sound->beep(880, 2000);
        sound->playFile(wave.toStdString());
        sound->beep(0, 50);
        sound->beep(880, 0);
        sound->beep(40000, 100);
        QVERIFY(clock.elapsed() < 1000);
        bool delivered = false;
        QTimer::singleShot(0, this, [&] { delivered = true; });
        QTRY_VERIFY(delivered);
        sound.reset();
    }

private:
    static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
};

TROMBUS_GUI_TEST_MAIN(SoundTest)
#include "sound_test.moc"
