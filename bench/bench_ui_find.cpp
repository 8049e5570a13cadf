// A find keystroke in the person editor must feel instant: the walk over 800 rows, going to
// the match as a click would, loading the person and painting should fit in one frame at 60 Hz
// (16 ms).
#include "uibench.h"

#include "data/gbk.h"
#include "ui/findbar.h"
#include "ui/formprsn.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace veldor;

namespace {

std::unique_ptr<uibench::ShownEditor<TFPrsn>> theEditor;

// Each keystroke finds a person at the other end of the list, so every search walks far.
void BM_FindKeystroke(benchmark::State& state)
{
    FindBar* bar = theEditor->form.findChild<FindBar*>();
    const QString far[2] = {QStringLiteral("798"), QStringLiteral("1")};
    int turn = 0;
    for (auto _ : state) {
        bar->find(far[turn]);
        turn = 1 - turn;
    }
    if (bar->noMatch())
        state.SkipWithError("no match");
}
BENCHMARK(BM_FindKeystroke)->Unit(benchmark::kMillisecond);

// A part of a name that only the last person has: all 800 names are compared.
void BM_FindByNameAndRepaint(benchmark::State& state)
{
    FindBar* bar = theEditor->form.findChild<FindBar*>();
    const QString last = FromGbk(PrsnNames[kPersons - 1]);
    const QString first = FromGbk(PrsnNames[0]);
    int turn = 0;
    for (auto _ : state) {
        bar->find(turn ? first : last);
        theEditor->form.repaint();
        turn = 1 - turn;
    }
}
BENCHMARK(BM_FindByNameAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [](ScenarioStore&, TFPrsn&) {};
    return uibench::RunEditorBenchmarks(argc, argv, theEditor, prepare);
}
