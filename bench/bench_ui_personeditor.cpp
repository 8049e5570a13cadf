// The person editor must feel instant: showing it (working copy, 800 rows, the current person),
// a sort with its row rebuild, and a flat button that assigns a value to all 800 marked persons
// and refreshes their rows should each fit in one frame at 60 Hz (16 ms).
#include "uibench.h"

#include "ui/widgets/listbox.h"
#include "ui/windows/formprsn.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace veldor;

namespace {

// Persons spread over the cities with every standing, forces with sovereigns.
void fillScenario(ScenarioStore& store)
{
    std::mt19937 random(7);
    for (int c = 0; c < kCities; ++c)
        store.cities.Forc[c] = uint16_t(random() % 25);
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
        for (int f = 0; f < kForces; ++f)
            persons.Faith[p][f] = uint8_t(random() % 101);
    }
    for (int i = 0; i < kItems; ++i)
        store.items.ItemOwner[i] = uint16_t(random() % kPersons);
}

std::unique_ptr<uibench::ShownEditor<TFPrsn>> theEditor;

void BM_FormShow(benchmark::State& state)
{
    for (auto _ : state)
        theEditor->form.FormShow();
}
BENCHMARK(BM_FormShow)->Unit(benchmark::kMillisecond);

// What the user waits for after the door: show event, working copy, rows, first paint.
void BM_ShowAndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        theEditor->form.hide();
        theEditor->form.show();
        theEditor->form.repaint();
    }
}
BENCHMARK(BM_ShowAndPaint)->Unit(benchmark::kMillisecond);

// Alternating keys, so that every press really reorders the rows.
void BM_SortWithRowRebuild(benchmark::State& state)
{
    auto* degree = theEditor->child<QAbstractButton>("Button_Sort_Degree");
    auto* wuLi = theEditor->child<QAbstractButton>("Button_Sort_WuLi");
    bool byDegree = false;
    for (auto _ : state) {
        byDegree = !byDegree;
        (byDegree ? degree : wuLi)->click();
    }
}
BENCHMARK(BM_SortWithRowRebuild)->Unit(benchmark::kMillisecond);

// Marks every row as the user does, with Ctrl+A (the list undoes a selection made past it).
void markEveryRow(ListBox* list)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(list, &press);
}

// "统率" with every row marked: 800 persons written, 800 rows replaced and marked again.
void BM_AssignToAllMarked(benchmark::State& state)
{
    auto* list = theEditor->child<ListBox>("ListBox_Prsn_Prsn");
    auto* edit = theEditor->child<QLineEdit>("Edit_Prsn_TongShuai");
    auto* button = theEditor->child<QAbstractButton>("SpeedButton_TongShuai");
    markEveryRow(list);
    if (list->markedCount() != kPersons)
        state.SkipWithError("not every row is marked");
    int value = 0;
    for (auto _ : state) {
        edit->setText(QString::number(value));
        value = (value + 37) % 256;
        button->click();
    }
    if (list->markedCount() != kPersons)
        state.SkipWithError("the assignment lost marks");
}
BENCHMARK(BM_AssignToAllMarked)->Unit(benchmark::kMillisecond);

// The same with the repaint that follows it on screen.
void BM_AssignToAllMarkedAndRepaint(benchmark::State& state)
{
    auto* list = theEditor->child<ListBox>("ListBox_Prsn_Prsn");
    auto* edit = theEditor->child<QLineEdit>("Edit_Prsn_WuLi");
    auto* button = theEditor->child<QAbstractButton>("SpeedButton_WuLi");
    markEveryRow(list);
    if (list->markedCount() != kPersons)
        state.SkipWithError("not every row is marked");
    int value = 0;
    for (auto _ : state) {
        edit->setText(QString::number(value));
        value = (value + 37) % 256;
        button->click();
        theEditor->form.repaint();
    }
}
BENCHMARK(BM_AssignToAllMarkedAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [](ScenarioStore& store, TFPrsn&) { fillScenario(store); };
    return uibench::RunEditorBenchmarks(argc, argv, theEditor, prepare);
}
