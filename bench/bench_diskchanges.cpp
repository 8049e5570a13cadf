// Noticing and taking in changes made on disk, and the history's memory.
//
// Targets: the check that runs at every save and whenever the main window becomes active
// within 2 ms for an unchanged file; a merge of all 800 persons changed on disk (the check
// that finds them plus the merge) within a frame (16 ms); 500 steps that each change several
// fields of all 800 persons (all 50 loyalties among them) within the history's 64 MB budget.

#include "anchors.h"
#include "data/format/scenariocodec.h"
#include "data/session/diskchanges.h"
#include "data/session/scenariohistory.h"
#include "data/session/scenariostore.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using namespace veldor;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        std::abort();
}

struct Opened
{
    Opened()
    {
        std::mt19937 random(21);
        bytes.resize(720000);
        for (char& c : bytes)
            c = char(random() & 0xFF);
        path = dir.filePath(QStringLiteral("D_Sce_bench.kqx"));
        writeFile(path, bytes);
        QString error;
        if (!store->Open(path, error))
            std::abort();
    }

    // The file with a field of every person changed, as a spreadsheet round trip leaves it.
    QByteArray allPersonsChanged() const
    {
        QByteArray changed = bytes;
        auto tables = std::make_unique<ScenarioTables>();
        DecodeScenario(changed, *tables);
        for (int p = 0; p < kPersons; ++p) {
            tables->persons.TongShuai[p] = uint16_t(tables->persons.TongShuai[p] + 1);
            tables->persons.WuLi[p] = uint16_t(tables->persons.WuLi[p] + 1);
        }
        EncodeScenario(*tables, changed);
        return changed;
    }

    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
    std::unique_ptr<ScenarioStore> store = std::make_unique<ScenarioStore>();
};

void BM_CheckOfAnUnchangedFile(benchmark::State& state)
{
    Opened opened;
    opened.store->cities.PingMin[3] += 1; // the user's own change does not slow it
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckDisk(*opened.store).state);
}
BENCHMARK(BM_CheckOfAnUnchangedFile)->Unit(benchmark::kMicrosecond);

void BM_CheckAndMergeOf800ChangedPersons(benchmark::State& state)
{
    Opened opened;
    const QByteArray changed = opened.allPersonsChanged();
    writeFile(opened.path, changed);
    for (auto _ : state) {
        state.PauseTiming();
        // Back to the file as opened, with one change of the user's, before each merge.
        opened.store->TakeFileContents(
            opened.bytes,
            [&] {
                static auto tables = std::make_unique<ScenarioTables>();
                DecodeScenario(opened.bytes, *tables);
                return std::cref(*tables);
            }(),
            false);
        opened.store->cities.PingMin[3] += 1;
        state.ResumeTiming();
        const DiskCheck check = CheckDisk(*opened.store);
        benchmark::DoNotOptimize(MergeDiskChanges(*opened.store, check));
    }
}
BENCHMARK(BM_CheckAndMergeOf800ChangedPersons)->Unit(benchmark::kMillisecond);

void BM_HistoryOf500AllPersonsSteps(benchmark::State& state)
{
    Opened opened;
    size_t bytes = 0, steps = 0, dropped = 0, unpacked = 0;
    for (auto _ : state) {
        ScenarioStore& tables = *opened.store;
        ScenarioHistory history(tables.Names());
        history.Reset(tables);
        for (int k = 0; k < 500; ++k) {
            for (int p = 0; p < kPersons; ++p) {
                tables.persons.TongShuai[p] = uint16_t(tables.persons.TongShuai[p] + 1 + p % 3);
                tables.persons.WuLi[p] = uint16_t(k);
                for (int f = 0; f < kForces; ++f)
                    tables.persons.Faith[p][f] ^= uint8_t(1 + (p + f + k) % 5);
                tables.persons.City[p] = uint16_t((tables.persons.City[p] + 1) % kCities);
            }
            history.Record(tables, EditorKind::Person);
            unpacked += history.Steps().back().changes.size() * sizeof(FieldDifference);
        }
        bytes = history.MemoryUse();
        steps = history.Steps().size();
        dropped = history.Dropped();
    }
    state.counters["history_MB"] = double(bytes) / (1 << 20);
    state.counters["steps_kept"] = double(steps);
    state.counters["steps_dropped"] = double(dropped);
    // What the same steps took as lists of FieldDifference, before they were packed.
    state.counters["unpacked_MB"] = double(unpacked) / (1 << 20);
}
BENCHMARK(BM_HistoryOf500AllPersonsSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    veldor::bench::QuickRun(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
