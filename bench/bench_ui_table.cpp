// The table window should answer within 4 ms of CPU when it opens, when a head sorts 800
// persons and on each keystroke of a filter, each with the paint that shows it; a paste of
// 800 × 10 cells, with its history step, within 100 ms. Measured over a scenario of random
// values.
#include "uibench.h"

#include "data/session/scenariohistory.h"
#include "ui/widgets/frozentableview.h"
#include "ui/windows/formtable.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace veldor;

namespace {

constexpr int kTongShuai = 8;

std::unique_ptr<uibench::ShownEditor<TFTable>> theWindow;

// What the screen shows after the rows changed: every cell in view, in both parts of the table.
// (QWidget::repaint() on the view paints its frame, heads and scroll bars, not its cells.)
void repaintCells(FrozenTableView* view)
{
    view->viewport()->repaint();
    view->FrozenPart()->viewport()->repaint();
}

// What the user waits for after the menu item: every tab read, shown, first paint.
void BM_OpenTableWindow(benchmark::State& state)
{
    for (auto _ : state) {
        TFTable window(theWindow->store);
        window.show();
        // A window just shown is painted when the platform says it is exposed: repaint()
        // before then paints nothing.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenTableWindow)->Unit(benchmark::kMillisecond);

void BM_SortPersons(benchmark::State& state)
{
    FrozenTableView* view = theWindow->form.View(TableId::Persons);
    bool ascending = true;
    for (auto _ : state) {
        view->sortByColumn(kTongShuai, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        repaintCells(view);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortPersons)->Unit(benchmark::kMillisecond);

void BM_FilterKeystroke(benchmark::State& state)
{
    auto* filter = theWindow->child<QLineEdit>("TableFilter");
    bool longer = true;
    for (auto _ : state) {
        filter->setText(longer ? QStringLiteral("统率>90") : QStringLiteral("统率>9"));
        repaintCells(theWindow->form.View(TableId::Persons));
        longer = !longer;
    }
    filter->clear();
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

// 800 rows × 10 columns from 统率 on, checked, written and recorded as one history step.
void BM_Paste800x10(benchmark::State& state)
{
    ScenarioHistory history(theWindow->store.Names());
    history.Reset(theWindow->store);
    QObject::connect(&theWindow->form, &TFTable::Edited,
                     [&history](const QString& title) { history.Record(theWindow->store, title); });
    QTableView* view = theWindow->form.View(TableId::Persons);
    view->sortByColumn(-1, Qt::AscendingOrder);
    QString texts[2];
    for (int k = 0; k < 2; ++k)
        for (int row = 0; row < kPersons; ++row) {
            QStringList cells;
            for (int column = 0; column < 10; ++column)
                cells << QString::number((row + column + k) % 4);
            texts[k] += cells.join(u'\t') + u'\n';
        }
    view->setCurrentIndex(view->model()->index(0, kTongShuai));
    int k = 0;
    for (auto _ : state) {
        if (!theWindow->form.PasteText(texts[k]))
            state.SkipWithError("paste refused");
        k = 1 - k;
    }
    state.counters["steps"] = double(history.Steps().size());
}
BENCHMARK(BM_Paste800x10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    // The window opens as a user who never moved its columns sees it, whatever the machine's
    // own settings hold.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("settings"))));
    const QString path = dir.filePath(QStringLiteral("D_Sce01.kqx"));
    const auto prepare = [&path](ScenarioStore& store, TFTable&) {
        uibench::WriteRandomScenario(path);
        QString error;
        if (!store.Open(path, error))
            std::exit(1);
    };
    return uibench::RunEditorBenchmarks(argc, argv, theWindow, prepare);
}
