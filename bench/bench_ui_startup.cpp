// Start-up of the editor beside a minimal Qt Widgets program, measured from process start to the
// main window painted (wall time and peak RSS of whole child processes, compared in one run),
// and the cost of opening a scenario: read plus refresh of the city map.
#include "ui/formmap.h"
#include "ui/qttranslations.h"
#include "ui/startup.h"
#include "uibench.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Ends the process's event loop right after the first paint of `window` has been flushed.
class QuitAfterFirstPaint : public QObject
{
public:
    explicit QuitAfterFirstPaint(QWidget* window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!quitting_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget* window_;
    bool quitting_ = false;
};

int runEditorChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    veldor::InstallQtTranslations(app, QLocale::system());
    const std::unique_ptr<veldor::TFMap> map(veldor::CreateWindows().FMap);
    QuitAfterFirstPaint quit(map.get());
    app.installEventFilter(&quit);
    veldor::CenterOnScreen(map.get());
    map->show();
    return app.exec();
}

int runMinimalChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("minimal"));
    window.resize(692, 551);
    QuitAfterFirstPaint quit(&window);
    app.installEventFilter(&quit);
    window.show();
    return app.exec();
}

struct ChildRun
{
    double ms;
    long peakKb;
};

ChildRun runChild(const char* self, const char* role)
{
    char* args[] = {const_cast<char*>(self), const_cast<char*>(role), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed\n", self, role);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void compareStartups(const char* self)
{
    constexpr int kRuns = 15;
    std::vector<double> editorMs, minimalMs;
    long editorKb = 0, minimalKb = 0;
    runChild(self, "--child-editor"); // warm the file cache for both
    runChild(self, "--child-minimal");
    for (int i = 0; i < kRuns; ++i) {
        const ChildRun editor = runChild(self, "--child-editor");
        const ChildRun minimal = runChild(self, "--child-minimal");
        editorMs.push_back(editor.ms);
        minimalMs.push_back(minimal.ms);
        editorKb = std::max(editorKb, editor.peakKb);
        minimalKb = std::max(minimalKb, minimal.peakKb);
    }
    const double editor = median(editorMs), minimal = median(minimalMs);
    std::printf("start to first paint, median of %d runs (offscreen):\n", kRuns);
    std::printf("  editor   %7.1f ms  peak RSS %6.1f MB\n", editor, editorKb / 1024.0);
    std::printf("  minimal  %7.1f ms  peak RSS %6.1f MB\n", minimal, minimalKb / 1024.0);
    std::printf("  ratio    %7.2f    (target: within 2x; peak RSS under 50 MB)\n\n",
                editor / minimal);
}

// A scenario-sized file of random bytes: every city, force and sovereign value occurs.
QString writeScenario(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("D_Sce_bench.kqx"));
    veldor::uibench::WriteRandomScenario(path);
    return path;
}

void BM_OpenScenario(benchmark::State& state)
{
    const QTemporaryDir dir;
    const QString path = writeScenario(dir);
    const std::unique_ptr<veldor::TFMap> map(veldor::CreateWindows().FMap);
    map->show();
    QApplication::processEvents();
    for (auto _ : state) {
        map->OpenScenarioFile(path);
        benchmark::DoNotOptimize(map->Store().cities.Forc[0]);
    }
    if (map->Store().FileName() != path)
        state.SkipWithError("the scenario was refused");
}
BENCHMARK(BM_OpenScenario)->Unit(benchmark::kMicrosecond);

void BM_RefreshCityMap(benchmark::State& state)
{
    const std::unique_ptr<veldor::TFMap> map(veldor::CreateWindows().FMap);
    map->show();
    QApplication::processEvents();
    for (auto _ : state)
        map->RefreshCityMap();
}
BENCHMARK(BM_RefreshCityMap)->Unit(benchmark::kMicrosecond);

// Qt's own translations load on every start: finding and mapping the catalogue must stay cheap.
void BM_InstallQtTranslations(benchmark::State& state)
{
    for (auto _ : state) {
        if (!veldor::InstallQtTranslations(*qApp, QLocale::system()))
            state.SkipWithError("no translation of Qt was found");
        state.PauseTiming();
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InstallQtTranslations)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--child-editor") == 0)
        return runEditorChild(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--child-minimal") == 0)
        return runMinimalChild(argc, argv);

    compareStartups(argv[0]);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
