// The window's own processor time while a track plays: the program plays a generated 30-second WAV from its
// playlist for 20 seconds (or the seconds given as the argument, at most 25) with its timers running as usual, and
// prints the main thread's processor time (the window: ticks, position strip, painting) and the whole process's (with
// the media backend's threads).
//
// Run on demand: cmake --build build --target bench_player_cpu (a virtual display with a window manager; a
// sound server, as scripts/test.sh starts one, or the backend's own fallback).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

#include "app/features.h"
#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "media/player.h"
#include "platform/platform.h"
#include "ui_Form1.h"
#include "ui_MusicPage.h"

namespace {

bool writeWav(const QString& path, int seconds)
{
    const int rate = 22050;
    QByteArray data(rate * seconds * 2, Qt::Uninitialized);
    for (int i = 0; i < rate * seconds; ++i)
        qToLittleEndian(static_cast<qint16>(5000 * std::sin(2 * M_PI * 330 * i / rate)), data.data() + 2 * i);
    QByteArray header = "RIFF";
    auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        header.append(b, 4);
    };
    auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        header.append(b, 2);
    };
    put32(36 + data.size());
    header += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    header += "data";
    put32(data.size());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + data) == header.size() + data.size();
}

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

double processSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    const int playSeconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20;
    if (playSeconds < 1 || playSeconds > 25) {
        std::fprintf(stderr, "usage: %s [seconds, 1 to 25]\n", argv[0]);
        return 2;
    }
    QTemporaryDir folder;
    if (!writeWav(QDir(folder.path()).filePath(QStringLiteral("track.wav")), 30))
        return 2;
    QTemporaryDir config;
    platform::Context context;
    context.configDir = (config.path() + QStringLiteral("/trombus")).toStdString();
    platform::Platform platform(context);
    ProgramWindows windows(platform, QStringList{});
    Ui::Form1& ui = windows.Form1->form();
    windows.Form1->show();
    ui.TabbedNotebook1->setCurrentWidget(ui.PageMusic);
    Dialogs::setHook([&](const Dialogs::Request& request) {
        if (request.kind == Dialogs::Kind::Error)
            std::fprintf(stderr, "error: %s\n", qPrintable(request.text));
        Dialogs::Reply reply;
        reply.path = folder.path();
        return reply;
    });
    Player& player = windows.Form1->features().player();
    QTimer::singleShot(3000, &app, [&] {
        player.SpeedButton1Click();
        player.SpeedButton3Click();
        const double thread0 = threadSeconds();
        const double process0 = processSeconds();
        auto* wall = new QElapsedTimer;
        wall->start();
        QTimer::singleShot(playSeconds * 1000, &app, [&, thread0, process0, wall] {
            const double seconds = wall->elapsed() / 1000.0;
            // Figures in the C locale's notation, whatever the tester's regional settings.
            const QString line =
                QStringLiteral("playing %1 for %2 s: window (main thread) %3 % of one core, whole process %4 %\n")
                    .arg(player.Playing == 1 ? QStringLiteral("on") : QStringLiteral("OFF"))
                    .arg(QString::number(seconds, 'f', 1))
                    .arg(QString::number(100.0 * (threadSeconds() - thread0) / seconds, 'f', 2))
                    .arg(QString::number(100.0 * (processSeconds() - process0) / seconds, 'f', 2));
            std::fputs(line.toUtf8().constData(), stdout);
            app.quit();
        });
    });
    return app.exec();
}
