// The stopwatch's error over a stretch of real time while the window's event loop keeps stalling. The real
// window is shown on the stopwatch tab and "запуск" is clicked; from then on the GUI thread is blocked for
// 300 ms of every second (from half a second after the click on) and once in the middle for a twelfth of the
// whole time (5 s of 60 s), as a busy handler would block it. When the time is
// up, the reading on screen and the reading "стоп" freezes are compared with a monotonic clock started at
// the click. Beside it runs a plain 10 ms timer that counts one hundredth per tick, as a tick-counting
// stopwatch would, to show what the stalls cost a reading that trusts its ticks.
//
// usage: stopwatch_probe [seconds]   (60 by default; prints one line of name=value figures in milliseconds)
// Run on demand through scripts/bench.sh (a virtual display with a window manager) or headless.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "platform/platform.h"
#include "ui_Form1.h"
#include "ui_HelpPage.h"

namespace {

constexpr int kShortStallMs = 300;

// "HH:MM:SS:CC" (hours may have more digits) in milliseconds; nothing for any other text.
std::optional<qint64> readingMs(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 4)
        return std::nullopt;
    qint64 value[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        value[i] = parts[i].toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    return ((value[0] * 60 + value[1]) * 60 + value[2]) * 1000 + value[3] * 10;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 60;
    if (seconds < 1) {
        std::fprintf(stderr, "usage: %s [seconds]\n", argv[0]);
        return 2;
    }
    QTemporaryDir config;
    platform::Context context;
    context.configDir = (config.path() + QStringLiteral("/trombus")).toStdString();
    platform::Platform platform(context);
    int errors = 0;
    Dialogs::setHook([&](const Dialogs::Request& request) {
        std::fprintf(stderr, "dialog: %s\n", qPrintable(request.text));
        if (request.kind == Dialogs::Kind::Error)
            ++errors;
        return Dialogs::Reply{};
    });
    ProgramWindows windows(platform, QStringList{});
    Ui::Form1& ui = windows.Form1->form();
    Ui::HelpPage& help = ui.PageHelp->form();
    windows.Form1->show();
    windows.Form1->activateWindow();
    if (!QTest::qWaitForWindowExposed(windows.Form1.get()))
        std::fputs("the main window was not shown\n", stderr);
    ui.TabbedNotebook1->setCurrentWidget(ui.PageHelp);
    help.PageControl1->setCurrentWidget(help.TabSheet4);
    // The start-up fade-in is over before the stopwatch is started, as when a user reaches for it.
    QTest::qWait(3500);

    QElapsedTimer clock;
    qint64 stalledMs = 0;
    auto stall = [&](int ms) {
        QElapsedTimer blocked;
        blocked.start();
        QThread::msleep(ms);
        stalledMs += blocked.elapsed();
    };

    qint64 ticks = 0;
    QTimer tickCounter;
    tickCounter.setTimerType(Qt::PreciseTimer);
    tickCounter.setInterval(10);
    QObject::connect(&tickCounter, &QTimer::timeout, [&] { ++ticks; });

    // Stalls start half a second into each second of the run and keep clear of its last 200 ms, so the end
    // always finds the event loop free and the reading on screen as the latest tick left it.
    const qint64 endMs = seconds * 1000LL;
    auto stallIfRoom = [&](qint64 ms) {
        if (clock.elapsed() + ms < endMs - 200)
            stall(static_cast<int>(ms));
    };
    QTimer shortStalls;
    shortStalls.setTimerType(Qt::PreciseTimer);
    shortStalls.setSingleShot(true);
    QObject::connect(&shortStalls, &QTimer::timeout, [&] {
        stallIfRoom(kShortStallMs);
        const qint64 now = clock.elapsed();
        shortStalls.start(static_cast<int>(now / 1000 * 1000 + 1500 - now));
    });

    // The click reads its clock within the handler; half-way through the call is as close as we can get.
    clock.start();
    help.BitBtn4->click();
    const qint64 startedAt = clock.elapsed() / 2;
    tickCounter.start();
    shortStalls.start(500);
    QTimer::singleShot(seconds * 1000 / 2 + 100, Qt::PreciseTimer, [&] { stallIfRoom(endMs / 12); });

    int result = 1;
    QTimer::singleShot(endMs, Qt::PreciseTimer, [&] {
        const qint64 shownAt = clock.elapsed() - startedAt;
        const std::optional<qint64> shown = readingMs(help.StaticText2->text());
        const qint64 tickCount = ticks;
        const qint64 beforeStop = clock.elapsed();
        help.BitBtn4->click();
        const qint64 stoppedAt = (beforeStop + clock.elapsed()) / 2 - startedAt;
        const std::optional<qint64> stopped = readingMs(help.StaticText2->text());
        if (!shown || !stopped || help.BitBtn4->text() != QStringLiteral("запуск")) {
            std::fprintf(stderr, "unexpected stopwatch state: reading \"%s\", button \"%s\"\n",
                         qPrintable(help.StaticText2->text()), qPrintable(help.BitBtn4->text()));
        } else {
            std::printf("elapsed_ms=%lld shown_ms=%lld stop_elapsed_ms=%lld stopped_ms=%lld tick_count_ms=%lld "
                        "stalled_ms=%lld\n",
                        static_cast<long long>(shownAt), static_cast<long long>(*shown),
                        static_cast<long long>(stoppedAt), static_cast<long long>(*stopped),
                        static_cast<long long>(tickCount * 10), static_cast<long long>(stalledMs));
            std::fflush(stdout);
            result = errors == 0 ? 0 : 1;
        }
        QCoreApplication::exit(result);
    });
    return app.exec() == 0 ? result : 1;
}
