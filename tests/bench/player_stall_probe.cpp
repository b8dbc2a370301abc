// The window's longest stall while the player opens an MP3 and while it changes track. The real window plays a
// folder of generated MP3s through the real media backend: "играть" opens and plays the first entry, "след."
// stops it and opens the next; each is done a number of times. A 5 ms timer beside the window measures how late
// each of its ticks comes, from the press until the track is heard playing; the longest lateness of any tick is
// how long the window did not answer. Ticks from inside an event loop that a handler runs while it waits do not
// count: such a loop holds back the user's input.
//
// usage: player_stall_probe [rounds]   (5 by default; prints one line of name=value figures in milliseconds)
// Run on demand through scripts/bench.sh (a virtual display with a window manager and a private sound server).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/features.h"
#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "forms/musicpage.h"
#include "media/mediacontrol.h"
#include "media/player.h"
#include "mediafiles.h"
#include "platform/platform.h"
#include "ui_Form1.h"
#include "ui_MusicPage.h"

namespace {

constexpr int kBeatMs = 5;
// How long a press may take to be heard before the round counts as failed.
constexpr qint64 kPlayTimeoutMs = 15000;

// A timer that keeps the longest gap between two of its ticks, less its interval.
class Heartbeat
{
public:
    Heartbeat()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kBeatMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            // A tick from inside an event loop that a handler runs (one that holds back the user's input while
            // it waits) is no answer to the user: the window answers again when its own loop runs.
            const int level = QThread::currentThread()->loopLevel();
            if (m_baseLevel < 0)
                m_baseLevel = level;
            if (level > m_baseLevel)
                return;
            if (m_last.isValid())
                m_longest = std::max(m_longest, m_last.nsecsElapsed() / 1000000 - kBeatMs);
            m_last.start();
        });
        m_timer.start();
    }
    /// Starts a new measurement; the tick before the press counts as its start.
    void reset() { m_longest = 0; }
    /// The longest lateness since the reset, the time since the last tick included.
    qint64 longest() const
    {
        const qint64 now = m_last.isValid() ? m_last.nsecsElapsed() / 1000000 - kBeatMs : 0;
        return std::max(m_longest, now);
    }

private:
    QTimer m_timer;
    QElapsedTimer m_last;
    qint64 m_longest = 0;
    int m_baseLevel = -1;
};

} // namespace

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: %s [rounds]\n", argv[0]);
        return 2;
    }
    QTemporaryDir folder;
    // Tagged, variable-rate stereo files: the kind whose open takes the backend longest.
    for (int i = 1; i <= 3; ++i) {
        const QString failure =
            mediafiles::writeMp3(QDir(folder.path()).filePath(QStringLiteral("%1.mp3").arg(i)), 20000, {true, 2, true});
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            return 2;
        }
    }
    QTemporaryDir config;
    platform::Context context;
    context.configDir = (config.path() + QStringLiteral("/trombus")).toStdString();
    platform::Platform platform(context);
    ProgramWindows windows(platform, QStringList{});
    Ui::Form1& ui = windows.Form1->form();
    windows.Form1->show();
    ui.TabbedNotebook1->setCurrentWidget(ui.PageMusic);
    int errors = 0;
    Dialogs::setHook([&](const Dialogs::Request& request) {
        if (request.kind == Dialogs::Kind::Error) {
            std::fprintf(stderr, "error: %s\n", qPrintable(request.text));
            ++errors;
        }
        Dialogs::Reply reply;
        reply.path = folder.path();
        return reply;
    });
    Player& player = windows.Form1->features().player();
    Ui::MusicPage& page = ui.PageMusic->form();
    MediaControl& media = platform.get<MediaControl>();
    Heartbeat heartbeat;

    qint64 openStall = 0;
    qint64 changeStall = 0;
    int failed = 0;
    int round = 0;
    bool changing = false;
    QElapsedTimer pressed;
    QTimer watch;
    watch.setInterval(10);
    std::function<void()> press;
    // A round ends when the pressed entry is heard playing: the backend's position has moved.
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const bool heard = media.deviceOpen() && media.mode() == MediaControl::Mode::Playing && media.position() > 0;
        if (!heard && pressed.elapsed() < kPlayTimeoutMs)
            return;
        watch.stop();
        failed += heard ? 0 : 1;
        qint64& stall = changing ? changeStall : openStall;
        stall = std::max(stall, heartbeat.longest());
        std::fprintf(stderr, "round %d %s: longest stall %lld ms, heard after %lld ms\n", round + 1,
                     changing ? "track change" : "open", static_cast<long long>(heartbeat.longest()),
                     static_cast<long long>(pressed.elapsed()));
        if (!changing) {
            changing = true;
        } else {
            // "стоп" leaves the track where it is; the next round opens the first entry afresh.
            changing = false;
            player.SpeedButton3Click();
            ++round;
        }
        if (round == rounds) {
            const QString line = QStringLiteral("rounds=%1 open_stall_ms=%2 change_stall_ms=%3 failed=%4 errors=%5\n")
                                     .arg(rounds)
                                     .arg(openStall)
                                     .arg(changeStall)
                                     .arg(failed)
                                     .arg(errors);
            std::fputs(line.toUtf8().constData(), stdout);
            app.quit();
            return;
        }
        // A pause between rounds, so that each press meets a settled window.
        QTimer::singleShot(300, &app, press);
    });
    press = [&] {
        heartbeat.reset();
        pressed.start();
        if (changing) {
            player.SpeedButton4Click();
        } else {
            page.ListBox1->setCurrentRow(0);
            player.SpeedButton3Click();
        }
        watch.start();
    };
    QTimer::singleShot(2000, &app, [&] {
        player.SpeedButton1Click();
        QTimer::singleShot(300, &app, press);
    });
    return app.exec();
}
