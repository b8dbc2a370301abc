// What building each notebook page from its form costs, against building the whole main window, to judge
// whether deferring the pages the user has not opened yet would pay at start-up.
//
// Run on demand: cmake --build build --target bench_pages (headless).
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

#include "app/tapplication.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "forms/helppage.h"
#include "forms/infopage.h"
#include "forms/internetpage.h"
#include "forms/mainpage.h"
#include "forms/musicpage.h"
#include "forms/remindpage.h"
#include "platform/platform.h"

namespace {

template <class Page> void buildPage(benchmark::State& state)
{
    for (auto _ : state) {
        Page page;
        // A page that waits to be needed is timed with its controls.
        page.build();
        benchmark::DoNotOptimize(&page);
    }
}

// The main window with every controller and its creation steps; it is never shown, so activation is not timed,
// and neither are the pages made after the first paint.
void buildProgramWindows(benchmark::State& state)
{
    QTemporaryDir dir;
    platform::Context context;
    context.configDir = (dir.path() + QStringLiteral("/trombus")).toStdString();
    platform::Platform platform(context);
    for (auto _ : state) {
        ProgramWindows windows(platform, QStringList{});
        benchmark::DoNotOptimize(&windows);
    }
}

BENCHMARK(buildPage<MainPage>)->Name("page/main")->Unit(benchmark::kMicrosecond);
BENCHMARK(buildPage<HelpPage>)->Name("page/help")->Unit(benchmark::kMicrosecond);
BENCHMARK(buildPage<MusicPage>)->Name("page/music")->Unit(benchmark::kMicrosecond);
BENCHMARK(buildPage<InternetPage>)->Name("page/internet")->Unit(benchmark::kMicrosecond);
BENCHMARK(buildPage<RemindPage>)->Name("page/reminders")->Unit(benchmark::kMicrosecond);
BENCHMARK(buildPage<InfoPage>)->Name("page/information")->Unit(benchmark::kMicrosecond);
BENCHMARK(buildProgramWindows)->Name("all windows")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    Dialogs::setHook([](const Dialogs::Request&) { return Dialogs::Reply{}; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
