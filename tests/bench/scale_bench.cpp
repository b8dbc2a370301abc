// The scale entry through the real main window: a step of "150" and Enter, and the undo click on "масштаб",
// each followed by a full repaint of the window, as the user waits for it before the next key or click; and
// repaints of the window at 150 %, which must cost no more than at 100 % (no picture scaled at every paint).
// The window should answer within a fraction of a second after each step.
//
// Run on demand: cmake --build build --target bench_scale (on a private X server with openbox, as users see
// it; with QT_QPA_PLATFORM=offscreen it runs headless).
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

#include "app/appearance.h"
#include "app/features.h"
#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windowplacement.h"
#include "app/windows.h"
#include "platform/platform.h"
#include "ui_Form1.h"

namespace {

class World
{
public:
    World()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
        platform::Context context;
        context.configDir = (m_dir.path() + QStringLiteral("/trombus")).toStdString();
        m_platform = std::make_unique<platform::Platform>(context);
        m_windows = std::make_unique<ProgramWindows>(*m_platform, QStringList{});
        TForm1& form = *m_windows->Form1;
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("the main window did not become active");
        // Room below and beside the corner for the window at 150 %.
        const QRect area = form.screen()->availableGeometry();
        form.resize(form.size().boundedTo((area.size() - QSize(40, 60)) * 2 / 3));
        form.placement().placeFrame(area.topLeft());
        settle();
    }

    TForm1& form() { return *m_windows->Form1; }
    Ui::Form1& ui() { return form().form(); }

    void settle()
    {
        QCoreApplication::processEvents();
        form().repaint();
    }

    void scale(const char* percent)
    {
        QLineEdit* edit = ui().Edit1;
        edit->setText(QString::fromLatin1(percent));
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
    }

    void undo()
    {
        QTest::mouseClick(ui().Label19, Qt::LeftButton);
        settle();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::Platform> m_platform;
    std::unique_ptr<ProgramWindows> m_windows;
};

std::unique_ptr<World> world;

void scaleStep(benchmark::State& state)
{
    for (auto _ : state) {
        world->scale("150");
        world->undo();
    }
    if (world->form().features().appearance().scalePercent() != 150)
        state.SkipWithError("the scale was refused");
    state.counters["steps per iteration"] = 2;
}

void repaintAt(benchmark::State& state, bool scaled)
{
    if (scaled)
        world->scale("150");
    for (auto _ : state)
        world->form().repaint();
    if (scaled)
        world->undo();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    world = std::make_unique<World>();
    benchmark::RegisterBenchmark("scale 150 % and its undo, each with a full repaint", scaleStep)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("full repaint at 100 %", [](benchmark::State& s) { repaintAt(s, false); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(50);
    benchmark::RegisterBenchmark("full repaint at 150 %", [](benchmark::State& s) { repaintAt(s, true); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(50);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    world.reset();
    return 0;
}
