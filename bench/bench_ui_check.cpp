// The consistency check runs after every Apply and OK while its window is open, so the check
// on the store and opening the window (check, list, first paint) should each fit in one frame
// at 60 Hz (16 ms), even on a scenario of random values with hundreds of findings.
#include "uibench.h"

#include "data/rules/scenariochecks.h"
#include "tools/sample/samplefindings.h"
#include "tools/sample/samplescenario.h"
#include "ui/windows/formcheck.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

using namespace veldor;

namespace {

std::unique_ptr<uibench::ShownEditor<TFCheck>> theWindow;

void randomTables(ScenarioTables& tables)
{
    std::mt19937 random(5);
    auto* bytes = reinterpret_cast<unsigned char*>(&tables);
    for (size_t i = 0; i < sizeof(ScenarioTables); ++i)
        bytes[i] = static_cast<unsigned char>(random());
    // Small indices, so that most of them point somewhere and the rules have work to do.
    for (int p = 0; p < kPersons; ++p) {
        tables.persons.City[p] = uint16_t(random() % 52);
        tables.persons.Degree[p] = uint16_t(random() % 10);
    }
    for (int f = 0; f < kForces; ++f) {
        tables.forces.King[f] = uint16_t(random() % 900);
        tables.forces.Metro[f] = uint16_t(random() % 52);
    }
    for (int c = 0; c < kCities; ++c)
        tables.cities.Forc[c] = uint16_t(random() % 52);
}

void BM_CheckSampleWithFindings(benchmark::State& state)
{
    auto tables = std::make_unique<ScenarioTables>();
    MakeSampleScenario(1, *tables);
    PlantFindings(*tables);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckScenario(*tables, theWindow->store.Names()));
}
BENCHMARK(BM_CheckSampleWithFindings)->Unit(benchmark::kMillisecond);

void BM_CheckRandomStore(benchmark::State& state)
{
    size_t findings = 0;
    for (auto _ : state)
        findings = CheckScenario(theWindow->store, theWindow->store.Names()).size();
    state.counters["findings"] = double(findings);
}
BENCHMARK(BM_CheckRandomStore)->Unit(benchmark::kMillisecond);

// What the user waits for after the menu item: show event, check, list, first paint.
void BM_OpenCheckWindow(benchmark::State& state)
{
    for (auto _ : state) {
        theWindow->form.hide();
        theWindow->form.show();
        theWindow->form.repaint();
    }
}
BENCHMARK(BM_OpenCheckWindow)->Unit(benchmark::kMillisecond);

// The same over a real scenario with the handful of findings a modder's scenario in work has;
// the store of random bytes above, nearly every field of it out of range, is the worst case.
void BM_OpenCheckWindowOnSample(benchmark::State& state)
{
    ScenarioTables& tables = theWindow->store;
    const auto randomOnes = std::make_unique<ScenarioTables>(tables);
    MakeSampleScenario(1, tables);
    PlantFindings(tables);
    for (auto _ : state) {
        theWindow->form.hide();
        theWindow->form.show();
        theWindow->form.repaint();
    }
    state.counters["findings"] = double(CheckScenario(tables, theWindow->store.Names()).size());
    tables = *randomOnes;
}
BENCHMARK(BM_OpenCheckWindowOnSample)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [](ScenarioStore& store, TFCheck&) { randomTables(store); };
    return uibench::RunEditorBenchmarks(argc, argv, theWindow, prepare, TFCheck::Doors{});
}
