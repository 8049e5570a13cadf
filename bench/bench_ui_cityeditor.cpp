// The city editor must feel instant: showing it (working copy, 50 owners, 800 rows) and one
// column sort with its row rebuild should each fit in one frame at 60 Hz (16 ms).
#include "uibench.h"

#include "ui/windows/formcity.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace veldor;

namespace {

// Persons spread over the cities with every standing, forces with sovereigns.
void fillScenario(ScenarioStore& store)
{
    std::mt19937 random(42);
    for (int c = 0; c < kCities; ++c) {
        store.cities.Forc[c] = uint16_t(random() % 25);
        store.cities.PingMin[c] = int32_t(random() % 2000000);
        store.cities.MinXin[c] = uint16_t(random() % 12000);
    }
    for (int f = 0; f < 25; ++f)
        store.forces.King[f] = uint16_t(f * 20);
    PrsnTable& persons = store.persons;
    for (int p = 0; p < kPersons; ++p) {
        persons.City[p] = uint16_t(random() % kCities);
        persons.Degree[p] = uint16_t(random() % 10);
        persons.TongShuai[p] = uint16_t(random() % 100);
        persons.WuLi[p] = uint16_t(random() % 100);
        persons.ZhiLi[p] = uint16_t(random() % 100);
        persons.ZhengZhi[p] = uint16_t(random() % 100);
    }
}

using ShownEditor = uibench::ShownEditor<TFCity>;
std::unique_ptr<ShownEditor> theEditor;

void BM_FormShow(benchmark::State& state)
{
    ShownEditor& editor = *theEditor;
    uint16_t city = 0;
    for (auto _ : state) {
        editor.form.CurCity = city;
        city = uint16_t((city + 1) % kCities);
        editor.form.FormShow();
    }
}
BENCHMARK(BM_FormShow)->Unit(benchmark::kMillisecond);

// Alternating columns, so that every press really reorders the rows.
void BM_SortWithRowRebuild(benchmark::State& state)
{
    ShownEditor& editor = *theEditor;
    QPushButton* degree = editor.child<QPushButton>("Button_Prsn_Degree");
    QPushButton* wuLi = editor.child<QPushButton>("Button_Prsn_WuLi");
    bool byDegree = false;
    for (auto _ : state) {
        byDegree = !byDegree;
        (byDegree ? degree : wuLi)->click();
    }
}
BENCHMARK(BM_SortWithRowRebuild)->Unit(benchmark::kMillisecond);

// The same sort with the repaint that follows it on screen.
void BM_SortAndRepaint(benchmark::State& state)
{
    ShownEditor& editor = *theEditor;
    QPushButton* zhiLi = editor.child<QPushButton>("Button_Prsn_ZhiLi");
    for (auto _ : state) {
        zhiLi->click();
        editor.form.repaint();
    }
}
BENCHMARK(BM_SortAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [](ScenarioStore& store, TFCity& form) {
        fillScenario(store);
        form.CurCity = 9;
    };
    return uibench::RunEditorBenchmarks(argc, argv, theEditor, prepare);
}
