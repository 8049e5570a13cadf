// The costs of keeping every edit: the step and modified check after an Apply, undo and redo
// with the map refresh, opening the change history after 500 steps, and the memory 500
// ordinary steps take. Each is to stay within a frame (16 ms); the steps under 5 MB.
#include "ui/app/startup.h"
#include "ui/windows/formmap.h"
#include "uibench.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using veldor::EditorKind;

// The main window over a scenario of random bytes, with its editors and history window.
struct OpenedMap
{
    OpenedMap()
    {
        const QString path = dir.filePath(QStringLiteral("D_Sce_bench.kqx"));
        veldor::uibench::WriteRandomScenario(path);
        windows = veldor::CreateWindows();
        map.reset(windows.FMap);
        map->show();
        QApplication::processEvents();
        map->OpenScenarioFile(path);
    }

    // One ordinary Apply of the person editor: a few values of one person.
    void personStep(int k)
    {
        auto& persons = map->Store().persons;
        const int p = k % veldor::kPersons;
        persons.TongShuai[p] = uint16_t(persons.TongShuai[p] + 1);
        persons.WuLi[p] = uint16_t(persons.WuLi[p] + 1);
        persons.Faith[p][k % veldor::kForces] ^= 1;
        map->EditorApplied(EditorKind::Person);
    }

    // The history window, built by opening it once through its menu item.
    QDialog* historyWindow()
    {
        QTimer::singleShot(0, [] {
            if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                shown->reject();
        });
        map->findChild<QAction*>(QStringLiteral("HistoryAction"))->trigger();
        return map->findChild<QDialog*>(QStringLiteral("FHistory"));
    }

    QTemporaryDir dir;
    veldor::Windows windows;
    std::unique_ptr<veldor::TFMap> map;
};

void BM_ApplyRecordedWithModifiedCheck(benchmark::State& state)
{
    OpenedMap opened;
    int k = 0;
    for (auto _ : state) {
        // The city editor's OK: one city's values, then the map refresh, the step, the title.
        opened.map->Store().cities.PingMin[k % veldor::kCities] ^= 1;
        opened.map->EditorApplied(EditorKind::City);
        ++k;
    }
}
BENCHMARK(BM_ApplyRecordedWithModifiedCheck)->Unit(benchmark::kMicrosecond);

void BM_ModifiedCheck(benchmark::State& state)
{
    OpenedMap opened;
    opened.map->Store().persons.Faith[799][49] ^= 1; // as late in the tables as can be
    for (auto _ : state)
        benchmark::DoNotOptimize(opened.map->Store().Modified());
}
BENCHMARK(BM_ModifiedCheck)->Unit(benchmark::kMicrosecond);

void BM_UndoThenRedoWithMapRefresh(benchmark::State& state)
{
    OpenedMap opened;
    for (int k = 0; k < 500; ++k)
        opened.personStep(k);
    for (auto _ : state) {
        opened.map->Undo();
        opened.map->Redo();
    }
}
BENCHMARK(BM_UndoThenRedoWithMapRefresh)->Unit(benchmark::kMicrosecond);

void BM_OpenHistoryAfter500Steps(benchmark::State& state)
{
    OpenedMap opened;
    for (int k = 0; k < 500; ++k)
        opened.personStep(k);
    QDialog* history = opened.historyWindow();
    for (auto _ : state) {
        history->show();
        QApplication::processEvents();
        history->hide();
    }
    state.counters["history_bytes"] = double(opened.map->History().MemoryUse());
    state.counters["steps"] = double(opened.map->History().Steps().size());
}
BENCHMARK(BM_OpenHistoryAfter500Steps)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Opening a scenario adds it to the recent files; keep that out of the user's settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    veldor::bench::QuickRun(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
