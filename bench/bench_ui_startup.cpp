// Start-up of the editor beside a minimal Qt Widgets program that shows one window with a
// Chinese label (the fair anchor: the CJK font is part of any such program's start), measured
// from process start to the main window painted, with and without a scenario to open: CPU time,
// wall time and peak RSS of whole child processes run in alternation. Then the cost of opening
// a scenario: read plus refresh of the city map.
//
// Targets: start-up within 1.3x the anchor in CPU time, with and without a file; peak RSS
// under 38 MB.
#include "anchors.h"
#include "ui/app/qttranslations.h"
#include "ui/app/startup.h"
#include "ui/windows/formmap.h"
#include "uibench.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QSettings>
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

// As the program starts: the scenario named after the role, if any, opened once the window is up.
int runEditorChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    veldor::InstallQtTranslations(app, QLocale::system());
    const std::unique_ptr<veldor::TFMap> map(veldor::CreateWindows().FMap);
    QuitAfterFirstPaint quit(map.get());
    app.installEventFilter(&quit);
    veldor::CenterOnScreen(map.get());
    map->show();
    if (argc > 2)
        map->OpenScenarioFile(QString::fromLocal8Bit(argv[2]));
    return app.exec();
}

int runMinimalChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("剧本修改器"));
    window.resize(692, 551);
    QuitAfterFirstPaint quit(&window);
    app.installEventFilter(&quit);
    window.show();
    return app.exec();
}

struct ChildRun
{
    double wallMs;
    double cpuMs;
    long peakKb;
};

ChildRun runChild(const char* self, const char* role, const char* file = nullptr)
{
    char* args[] = {const_cast<char*>(self), const_cast<char*>(role), const_cast<char*>(file),
                    nullptr};
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
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
}

// The editor (opening `file` unless null) against the minimal program, in alternation.
void compareStartup(const char* self, const char* file, int runs)
{
    std::vector<double> cpuRatios, wallRatios, editorCpu, minimalCpu;
    long editorKb = 0, minimalKb = 0;
    runChild(self, "--child-editor", file); // warm the file cache for both
    runChild(self, "--child-minimal");
    for (int i = 0; i < runs; ++i) {
        // Which goes first alternates, so neither always meets the other's leftovers.
        const bool editorFirst = i % 2 == 0;
        const ChildRun first = editorFirst ? runChild(self, "--child-editor", file)
                                           : runChild(self, "--child-minimal");
        const ChildRun second = editorFirst ? runChild(self, "--child-minimal")
                                            : runChild(self, "--child-editor", file);
        const ChildRun& editor = editorFirst ? first : second;
        const ChildRun& minimal = editorFirst ? second : first;
        cpuRatios.push_back(editor.cpuMs / minimal.cpuMs);
        wallRatios.push_back(editor.wallMs / minimal.wallMs);
        editorCpu.push_back(editor.cpuMs);
        minimalCpu.push_back(minimal.cpuMs);
        editorKb = std::max(editorKb, editor.peakKb);
        minimalKb = std::max(minimalKb, minimal.peakKb);
    }
    const char* what = file ? "start-up with a file" : "start-up";
    std::printf("%s to first paint, %d runs each (offscreen): CPU %.1f ms against %.1f ms; "
                "peak RSS %.1f MB against %.1f MB (target: under 38 MB)\n",
                what, runs, veldor::bench::SpreadOf(editorCpu).median,
                veldor::bench::SpreadOf(minimalCpu).median, editorKb / 1024.0, minimalKb / 1024.0);
    veldor::bench::PrintRatio(file ? "editor with a file, CPU" : "editor, CPU",
                              "minimal program, CPU", veldor::bench::SpreadOf(cpuRatios), 1.3);
    veldor::bench::PrintRatio(file ? "editor with a file, wall" : "editor, wall",
                              "minimal program, wall", veldor::bench::SpreadOf(wallRatios), 0);
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

    const bool quick = veldor::bench::QuickRun(argc, argv);
    // Opening a scenario adds it to the recent files; keep that out of the user's settings,
    // the children's included.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    {
        const QTemporaryDir dir;
        const QByteArray scenario = QFile::encodeName(writeScenario(dir));
        // A start-up's CPU time varies by a tenth from run to run here: enough pairs for the
        // median ratio to settle within about 0.02.
        const int runs = quick ? 1 : 41;
        compareStartup(argv[0], nullptr, runs);
        compareStartup(argv[0], scenario.constData(), runs);
        std::printf("\n");
    }
    if (quick)
        return 0;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
