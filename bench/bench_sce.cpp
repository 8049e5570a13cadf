// veldor-sce's batch commands run in-process on the sample scenario, with the name lists from
// the build's bin folder, as a user runs them: each run reads the files, loads the names and
// writes its output. Target: each under 20 ms. Import writes with fsync, so its time includes
// the disk's.

#include "anchors.h"
#include "tools/sample/samplescenario.h"
#include "tools/sce/sce.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

struct Fixture
{
    QTemporaryDir dir{QDir::current().filePath(QStringLiteral("bench-sce-XXXXXX"))};
    QString a = dir.filePath(QStringLiteral("a.kqx"));
    QString b = dir.filePath(QStringLiteral("b.kqx"));
    QString csv = dir.filePath(QStringLiteral("persons.csv"));
    QString namedCsv = dir.filePath(QStringLiteral("persons-names.csv"));
    QStringList names{QStringLiteral(VELDOR_BENCH_NAME_LISTS)};

    Fixture()
    {
        write(a, veldor::MakeSampleScenarioBytes(1));
        write(b, veldor::MakeSampleScenarioBytes(2));
        run({"export", a, "--table", "persons", "-o", csv});
        run({"export", a, "--table", "persons", "--names", "--headers", "zh", "-o", namedCsv});
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }

    int run(const QStringList& args) const
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        veldor::SceContext context{outStream, errStream, names};
        return veldor::RunSce(args, context);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void runCommand(benchmark::State& state, const QStringList& args, int expected)
{
    for (auto _ : state)
        if (fixture().run(args) != expected)
            state.SkipWithError("unexpected exit code");
}

void BM_ExportPersons(benchmark::State& state)
{
    const Fixture& f = fixture();
    runCommand(state, {"export", f.a, "--table", "persons", "-o", f.csv + ".out"}, 0);
}

// The CSV of sample 1 into the file of sample 2: every person changes, so each run validates,
// lists about 800 x 100 cells and saves. Without a backup, to time the import itself.
void importEveryCell(benchmark::State& state, const QString& csv)
{
    const Fixture& f = fixture();
    const QByteArray b = veldor::MakeSampleScenarioBytes(2);
    for (auto _ : state) {
        state.PauseTiming();
        Fixture::write(f.b, b);
        state.ResumeTiming();
        if (f.run({"import", f.b, csv, "--no-backup"}) != 0)
            state.SkipWithError("import failed");
    }
}

void BM_ImportPersonsEveryCell(benchmark::State& state)
{
    importEveryCell(state, fixture().csv);
}

// The same with Chinese heads and choices and records by name: within 1.5 times the above.
void BM_ImportPersonsEveryCellByNames(benchmark::State& state)
{
    importEveryCell(state, fixture().namedCsv);
}

// The exported CSV back into its own file: the whole table parsed and checked, nothing to write.
void BM_ImportPersonsUnchanged(benchmark::State& state)
{
    const Fixture& f = fixture();
    runCommand(state, {"import", f.a, f.csv}, 0);
}

void BM_DiffTwoScenarios(benchmark::State& state)
{
    const Fixture& f = fixture();
    Fixture::write(f.b, veldor::MakeSampleScenarioBytes(2));
    runCommand(state, {"diff", f.a, f.b}, 1);
}

void BM_CheckScenario(benchmark::State& state)
{
    runCommand(state, {"check", fixture().a}, 0);
}

BENCHMARK(BM_ExportPersons)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPersonsUnchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPersonsEveryCell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPersonsEveryCellByNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiffTwoScenarios)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckScenario)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    veldor::bench::QuickRun(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
