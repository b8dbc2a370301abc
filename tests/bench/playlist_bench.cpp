// A folder of 10 000 files into the playlist: the folder scan alone, and the whole "открыть" path through the
// real window (scan, list fill, selection and buttons), in list order and kept sorted. The target is 100 ms.
//
// Run on demand: cmake --build build --target bench_playlist (headless).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/features.h"
#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "common/dialogs.h"
#include "media/player.h"
#include "media/playlistscan.h"
#include "platform/platform.h"
#include "ui_Form1.h"
#include "ui_MusicPage.h"

namespace {

constexpr int FileCount = 10000;

// 10 000 files of every listed type.
const QString& mediaFolder()
{
    static QTemporaryDir folder;
    static const bool made = [] {
        const char* types[] = {"mp3", "wav", "mid", "avi", "mpg", "MP3"};
        for (int i = 0; i < FileCount; ++i) {
            QFile file(
                QDir(folder.path())
                    .filePath(
                        QStringLiteral("Трек %1 - исполнитель.%2").arg(i).arg(QString::fromLatin1(types[i % 6]))));
            if (!file.open(QIODevice::WriteOnly))
                return false;
        }
        return true;
    }();
    static const QString path = made ? folder.path() : QString();
    return path;
}

void scanOnly(benchmark::State& state)
{
    const QString folder = mediaFolder();
    for (auto _ : state) {
        PlaylistScan scan = scanFolder(folder);
        benchmark::DoNotOptimize(scan.names.size());
    }
}

void chooseFolder(benchmark::State& state, bool sorted)
{
    const QString folder = mediaFolder();
    QTemporaryDir config;
    platform::Context context;
    context.configDir = (config.path() + QStringLiteral("/trombus")).toStdString();
    platform::Platform platform(context);
    ProgramWindows windows(platform, QStringList{});
    Ui::MusicPage& page = windows.Form1->form().PageMusic->form();
    page.CheckBox12->setChecked(sorted);
    windows.Form1->features().player().CheckBox12Click();
    Dialogs::setHook([folder](const Dialogs::Request&) {
        Dialogs::Reply reply;
        reply.path = folder;
        return reply;
    });
    for (auto _ : state) {
        windows.Form1->features().player().SpeedButton1Click();
        benchmark::DoNotOptimize(page.ListBox1->count());
    }
    Dialogs::setHook([](const Dialogs::Request&) { return Dialogs::Reply{}; });
    state.counters["entries"] = page.ListBox1->count();
}

BENCHMARK(scanOnly)->Name("10000 files/scan")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(chooseFolder, listOrder, false)->Name("10000 files/open, list order")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(chooseFolder, sorted, true)->Name("10000 files/open, sorted")->Unit(benchmark::kMillisecond);

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
