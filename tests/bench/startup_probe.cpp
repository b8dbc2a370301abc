// Starts a window, waits until it is the active window, prints the peak memory and leaves at once; with
// "--stay" it prints the same line and keeps running until it is told to end, for the idle measurement.
// Built twice: as the real program's start-up (the same steps as main.cpp) and as a plain Qt Widgets window
// of the same size, so startup_ratio.py and bench_report.py can compare them.
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef PROBE_TROMBUS
#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "platform/platform.h"
#endif

namespace {

long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

bool stayAsked(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--stay") == 0)
            return true;
    return false;
}

int runUntilActive(QApplication& app, QWidget& window, bool stay)
{
    bool reported = false;
    QObject::connect(&app, &QGuiApplication::focusWindowChanged, &app, [&, stay](QWindow* focused) {
        if (focused && focused == window.windowHandle() && !reported) {
            reported = true;
            QTimer::singleShot(0, &app, [stay] {
                // Start-up ends here: report and leave at once, so that tearing the windows down is not timed.
                std::printf("%ld\n", peakRssKb());
                std::fflush(stdout);
                if (!stay)
                    std::_Exit(0);
            });
        }
    });
    window.show();
    window.activateWindow();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
#ifdef PROBE_TROMBUS
    TApplication app(argc, argv);
    // The config folder is the caller's, so runs after the first find the settings a user would have.
    if (argc < 2 || std::strcmp(argv[1], "--stay") == 0) {
        std::fprintf(stderr, "usage: %s <config folder> [--stay]\n", argv[0]);
        return 2;
    }
    platform::Context context;
    context.configDir = argv[1];
    context.notifyUser = [](const std::string& text) { Dialogs::message(QString::fromStdString(text)); };
    platform::Platform platform(context);
    ProgramWindows windows(platform, {});
    return runUntilActive(app, *windows.Form1, stayAsked(argc, argv));
#else
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(542, 545);
    auto* pages = new QTabWidget(&window);
    for (const char* title : {"Основная", "Для помощи", "Музычку Включить", "Интернет", "Не забудь", "Информация"})
        pages->addTab(new QWidget, QString::fromUtf8(title));
    window.setCentralWidget(pages);
    return runUntilActive(app, window, stayAsked(argc, argv));
#endif
}
