// The help dictionary's look-up steps through the real main window, with 100 000 entries in three shapes:
// one type holding every name, one name per type, and 1 000 types of 100 names. Each step is what the window
// does before it can take the next key or click: the handler and the events it leaves behind.
//
// Run on demand: cmake --build build --target bench_helpdictionary
// Every benchmark runs a fixed number of steps (20, or --steps=N), alternating between two texts so that
// each step changes something; "after an outside edit" rewrites the file between steps (not timed), as the
// user's text editor or another running copy would, so the step has to read and parse it anew.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "app/tapplication.h"
#include "app/tform1.h"
#include "app/windows.h"
#include "platform/platform.h"
#include "tools/helpstore.h"
#include "ui_Form1.h"
#include "ui_HelpPage.h"

namespace {

constexpr int kEntries = 100'000;

struct Shape
{
    const char* label;
    int types;
};

// Names are Cyrillic, as this program's users type them, so the case-blind comparisons take their slow path.
QString typeName(int i)
{
    return QStringLiteral("Раздел-%1").arg(i, 6, 10, QLatin1Char('0'));
}

QString entryName(int i)
{
    return QStringLiteral("Термин-%1").arg(i, 6, 10, QLatin1Char('0'));
}

QByteArray helpFile(int types)
{
    const int perType = kEntries / types;
    QByteArray bytes;
    bytes.reserve(kEntries * 64);
    for (int t = 0; t < types; ++t) {
        bytes += '[' + typeName(t).toUtf8() + "]\n";
        for (int n = 0; n < perType; ++n)
            bytes += entryName(n).toUtf8() + "=определение номер " + QByteArray::number(t * perType + n) + '\n';
        bytes += '\n';
    }
    return bytes;
}

// One program run over a help.ini of the given shape, on the output tab with both boxes filled.
class World
{
public:
    explicit World(int types) : m_types(types), m_perType(kEntries / types)
    {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
        platform::Context context;
        context.configDir = (m_dir.path() + QStringLiteral("/trombus")).toStdString();
        m_platform = std::make_unique<platform::Platform>(context);
        m_windows = std::make_unique<ProgramWindows>(*m_platform, QStringList{});
        m_windows->Form1->show();
        m_windows->Form1->activateWindow();
        if (!QTest::qWaitForWindowActive(m_windows->Form1.get()))
            qWarning("the main window did not become active; keyboard steps may go nowhere");
        m_bytes = helpFile(types);
        editOutside(-1);
        helpPage().PageControl1->setCurrentWidget(helpPage().TabSheet2);
        helpPage().ComboBox5->setEditText(typeName(lastType()));
        helpPage().ComboBox6->setEditText(entryName(lastName()));
        settle();
    }

    Ui::Form1& ui() { return m_windows->Form1->form(); }
    Ui::HelpPage& helpPage() { return ui().PageHelp->form(); }
    platform::Platform& platform() { return *m_platform; }
    int lastType() const { return m_types - 1; }
    int lastName() const { return m_perType - 1; }
    int items(QComboBox* box) const { return box->count(); }
    static void settle() { QCoreApplication::processEvents(); }

    // The file as a text editor leaves it: the same entries with a comment line that differs each time.
    void editOutside(int step)
    {
        QFile file(HelpStore::filePath(*m_platform));
        if (!file.open(QIODevice::WriteOnly) || file.write(m_bytes + "; edit " + QByteArray::number(step) + '\n') < 0)
            qFatal("cannot write the help file");
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_bytes;
    int m_types;
    int m_perType;
    std::unique_ptr<platform::Platform> m_platform;
    std::unique_ptr<ProgramWindows> m_windows;
};

// The program runs of each shape, made when first needed and ended before the application object.
std::map<int, std::unique_ptr<World>> worlds;

World& world(int types)
{
    auto& slot = worlds[types];
    if (!slot)
        slot = std::make_unique<World>(types);
    return *slot;
}

int steps = 20;

void runSteps(benchmark::State& state, World& w, const std::function<void(int)>& step, bool afterEdit)
{
    int i = 0;
    for (auto _ : state) {
        if (afterEdit) {
            state.PauseTiming();
            w.editOutside(i);
            state.ResumeTiming();
        }
        step(i++);
        World::settle();
    }
}

// Changing the inner tab reloads the type list, whichever tab is chosen (the calculator's included).
void typeList(benchmark::State& state, int types, bool afterEdit)
{
    World& w = world(types);
    runSteps(
        state, w,
        [&](int i) {
            w.helpPage().PageControl1->setCurrentWidget(i % 2 ? w.helpPage().TabSheet2 : w.helpPage().TabSheet3);
        },
        afterEdit);
    state.counters["types"] = w.items(w.helpPage().ComboBox5);
}

// Alternately the first and the last of a list (the window starts at the last), the first in capitals when
// they are the same one, so that every step is a change of text.
QString firstOrLast(int i, int last, QString (*name)(int))
{
    return i % 2 ? name(last) : (last == 0 ? name(0).toUpper() : name(0));
}

// A new type text reloads the name list.
void nameList(benchmark::State& state, int types, bool afterEdit)
{
    World& w = world(types);
    w.helpPage().PageControl1->setCurrentWidget(w.helpPage().TabSheet2);
    runSteps(
        state, w, [&](int i) { w.helpPage().ComboBox5->setEditText(firstOrLast(i, w.lastType(), typeName)); },
        afterEdit);
    state.counters["names"] = w.items(w.helpPage().ComboBox6);
}

// A new name text reads its definition, in the last type.
void definition(benchmark::State& state, int types, bool afterEdit)
{
    World& w = world(types);
    w.helpPage().PageControl1->setCurrentWidget(w.helpPage().TabSheet2);
    w.helpPage().ComboBox5->setEditText(typeName(w.lastType()));
    runSteps(
        state, w, [&](int i) { w.helpPage().ComboBox6->setEditText(firstOrLast(i, w.lastName(), entryName)); },
        afterEdit);
    if (w.helpPage().Memo2->toPlainText().isEmpty())
        state.SkipWithError("the definition was not found");
}

// Typing into the type box, one key at a time: a letter, then Backspace.
void typingAType(benchmark::State& state, int types)
{
    World& w = world(types);
    w.helpPage().PageControl1->setCurrentWidget(w.helpPage().TabSheet2);
    w.helpPage().ComboBox5->setFocus();
    w.helpPage().ComboBox5->setEditText(typeName(0).left(3));
    for (auto _ : state) {
        QTest::keyClick(w.helpPage().ComboBox5, Qt::Key_A);
        QTest::keyClick(w.helpPage().ComboBox5, Qt::Key_Backspace);
        World::settle();
    }
    state.counters["keys per iteration"] = 2;
}

// Opening and closing the drop-down list of the type box and of the name box.
void openingTheLists(benchmark::State& state, int types)
{
    World& w = world(types);
    w.helpPage().PageControl1->setCurrentWidget(w.helpPage().TabSheet2);
    w.helpPage().ComboBox5->setEditText(typeName(0));
    for (auto _ : state) {
        for (QComboBox* box : {w.helpPage().ComboBox5, w.helpPage().ComboBox6}) {
            box->showPopup();
            World::settle();
            box->hidePopup();
            World::settle();
        }
    }
    state.counters["lists per iteration"] = 2;
}

// "Ввод" of an entry that is not in the file yet, under the type in the middle of the file: each step a new
// name, so the file grows by one entry a step.
void storeNew(benchmark::State& state, int types)
{
    World& w = world(types);
    w.helpPage().PageControl1->setCurrentWidget(w.helpPage().TabSheet1);
    w.helpPage().Edit3->setText(typeName(types / 2));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.helpPage().Edit4->setText(QStringLiteral("Новый термин %1").arg(i++));
        w.helpPage().Memo1->setPlainText(QStringLiteral("новое определение"));
        state.ResumeTiming();
        w.helpPage().Button5->click();
        World::settle();
    }
}

// "Ввод" with a new definition for an entry in the middle of the file.
void store(benchmark::State& state, int types)
{
    World& w = world(types);
    w.helpPage().PageControl1->setCurrentWidget(w.helpPage().TabSheet1);
    w.helpPage().Edit3->setText(typeName(types / 2));
    w.helpPage().Edit4->setText(entryName(kEntries / types / 2));
    int i = 0;
    for (auto _ : state) {
        w.helpPage().Memo1->setPlainText(QString::number(i++));
        w.helpPage().Button5->click();
        World::settle();
    }
}

void registerAll()
{
    const Shape shapes[] = {{"one type", 1}, {"one name per type", kEntries}, {"1000 types x 100", 1000}};
    for (const Shape& shape : shapes) {
        const std::string label = std::string("/") + shape.label;
        const int types = shape.types;
        for (const bool afterEdit : {false, true}) {
            const std::string when = afterEdit ? "/after an outside edit" : "/file unchanged";
            benchmark::RegisterBenchmark(("type list" + label + when).c_str(),
                                         [=](benchmark::State& s) { typeList(s, types, afterEdit); })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(steps);
            benchmark::RegisterBenchmark(("name list" + label + when).c_str(),
                                         [=](benchmark::State& s) { nameList(s, types, afterEdit); })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(steps);
            benchmark::RegisterBenchmark(("definition" + label + when).c_str(),
                                         [=](benchmark::State& s) { definition(s, types, afterEdit); })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(steps);
        }
        benchmark::RegisterBenchmark(("typing a type, two keys" + label).c_str(),
                                     [=](benchmark::State& s) { typingAType(s, types); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(steps);
        benchmark::RegisterBenchmark(("opening both lists" + label).c_str(),
                                     [=](benchmark::State& s) { openingTheLists(s, types); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(steps);
        benchmark::RegisterBenchmark(("storing an entry" + label).c_str(),
                                     [=](benchmark::State& s) { store(s, types); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(steps);
        benchmark::RegisterBenchmark(("storing a new entry" + label).c_str(),
                                     [=](benchmark::State& s) { storeNew(s, types); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(steps);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--steps="))
            steps = std::max(1, arg.mid(8).toInt());
    }
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    worlds.clear();
    return 0;
}
