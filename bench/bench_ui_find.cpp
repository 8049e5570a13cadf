// A find keystroke in the person editor must feel instant: the walk over 800 rows, going to
// the match as a click would, loading the person and painting should fit in one frame at 60 Hz
// (16 ms).
#include "uibench.h"

#include "data/format/gbk.h"
#include "ui/widgets/findbar.h"
#include "ui/windows/formprsn.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace veldor;

namespace {

std::unique_ptr<uibench::ShownEditor<TFPrsn>> theEditor;

// Each keystroke finds a person at the other end of the list from the last match, so every
// search walks far; `after` runs after each one.
template <class After> void findAlternately(benchmark::State& state, QString far[2], After after)
{
    FindBar* bar = theEditor->form.findChild<FindBar*>();
    int turn = 0;
    for (auto _ : state) {
        bar->find(far[turn]);
        after();
        turn = 1 - turn;
    }
    if (bar->noMatch())
        state.SkipWithError("no match");
}

void BM_FindKeystroke(benchmark::State& state)
{
    QString numbers[2] = {QStringLiteral("798"), QStringLiteral("1")};
    findAlternately(state, numbers, [] {});
}
BENCHMARK(BM_FindKeystroke)->Unit(benchmark::kMillisecond);

// Names that only the first and the last person have: all 800 names are compared. Then the
// window paints what the keystroke changed, as it does on screen.
void BM_FindByNameAndPaint(benchmark::State& state)
{
    const NameTables& listed = theEditor->store.Names();
    QString names[2] = {FromGbk(listed.person(kPersons - 1)), FromGbk(listed.person(0))};
    findAlternately(state, names, [] { QCoreApplication::processEvents(); });
}
BENCHMARK(BM_FindByNameAndPaint)->Unit(benchmark::kMillisecond);

// The upper bound: the whole window painted again after each keystroke.
void BM_FindByNameAndRepaintAll(benchmark::State& state)
{
    const NameTables& listed = theEditor->store.Names();
    QString names[2] = {FromGbk(listed.person(kPersons - 1)), FromGbk(listed.person(0))};
    findAlternately(state, names, [] { theEditor->form.repaint(); });
}
BENCHMARK(BM_FindByNameAndRepaintAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [](ScenarioStore&, TFPrsn&) {};
    return uibench::RunEditorBenchmarks(argc, argv, theEditor, prepare);
}
