// The force editor must feel instant: showing it (working copy, five lists, 800 sovereign
// entries), choosing another force, and every tool over all persons should each fit in one
// frame at 60 Hz (16 ms).
#include "uibench.h"

#include "ui/widgets/listbox.h"
#include "ui/windows/formforc.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace veldor;

namespace {

// The worst case for the tools: every person stands in a city of force 0, which owns them all.
void fillScenario(ScenarioStore& store)
{
    std::mt19937 random(42);
    for (int c = 0; c < kCities; ++c)
        store.cities.Forc[c] = 0;
    for (int f = 0; f < kForces; ++f) {
        store.forces.King[f] = uint16_t(f * 16);
        store.forces.Metro[f] = uint16_t(f);
        for (int j = 0; j < kForces; ++j)
            store.forces.Relation[f][j] = uint8_t(random());
    }
    for (int k = 0; k < kPlaces; ++k) {
        store.places.PlaceForc[k] = uint16_t(random() % kForces);
        store.places.PlaceCity[k] = uint16_t(random() % kCities);
    }
    PrsnTable& persons = store.persons;
    for (int p = 0; p < kPersons; ++p) {
        persons.City[p] = uint16_t(random() % kCities);
        persons.Degree[p] = uint16_t(random() % 10);
        persons.XiangXing[p] = uint16_t(random() % 150);
        for (int j = 0; j < kForces; ++j)
            persons.Faith[p][j] = uint8_t(random());
    }
}

std::unique_ptr<uibench::ShownEditor<TFForc>> theEditor;

void BM_FormShow(benchmark::State& state)
{
    for (auto _ : state)
        theEditor->form.FormShow();
}
BENCHMARK(BM_FormShow)->Unit(benchmark::kMillisecond);

// Showing with the paint that follows it on screen.
void BM_FormShowAndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        theEditor->form.FormShow();
        theEditor->form.repaint();
    }
}
BENCHMARK(BM_FormShowAndPaint)->Unit(benchmark::kMillisecond);

// A click in the force list: every list, edit and mark of the window follows the new force.
void BM_ChooseForce(benchmark::State& state)
{
    auto* forces = theEditor->child<ListBox>("ListBox_Forc_Forc");
    int force = 0;
    for (auto _ : state) {
        force = (force + 1) % kForces;
        Q_EMIT forces->Click(force, ListBox::Input::Click);
    }
}
BENCHMARK(BM_ChooseForce)->Unit(benchmark::kMillisecond);

void BM_Tool(benchmark::State& state, const char* buttonName)
{
    // Force 0 owns every city, so the tools reach all persons.
    Q_EMIT theEditor->child<ListBox>("ListBox_Forc_Forc")->Click(0, ListBox::Input::Click);
    QPushButton* tool = theEditor->child<QPushButton>(buttonName);
    for (auto _ : state)
        tool->click();
}
BENCHMARK_CAPTURE(BM_Tool, OwnForceLoyalty, "Button_Faith_CurrentForce")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tool, OtherForceLoyalty, "Button_Faith_OtherForce")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tool, Compatibility, "Button_ForceXX")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tool, StandardLoyalty, "Button2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tool, PlacesFollowCities, "Button6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tool, Apply, "Button_Apply")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [](ScenarioStore& store, TFForc&) { fillScenario(store); };
    return uibench::RunEditorBenchmarks(argc, argv, theEditor, prepare);
}
