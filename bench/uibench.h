#pragma once
// What the editor benchmarks share: one editor window over a store the benchmark fills, shown
// offscreen before the first benchmark runs.
#include "anchors.h"
#include "data/session/scenariostore.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLatin1String>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <utility>

namespace veldor::uibench {

using bench::QuickRun;

// A scenario-sized file of random bytes at `path`: every city, force and sovereign value
// occurs. Ends the process when it cannot be written.
inline void WriteRandomScenario(const QString& path)
{
    std::mt19937 random(7);
    QByteArray bytes(760000, Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

// A store with the installed name lists loaded, as the editor's is before any window opens.
struct NamedStore : ScenarioStore
{
    NamedStore() { Names().load(); }
};

template <class Form> struct ShownEditor
{
    // `prepare(store, form)` fills the store and chooses what the window opens on.
    template <class Prepare, class... FormArgs>
    explicit ShownEditor(Prepare prepare, FormArgs&&... formArgs)
        : form(store, std::forward<FormArgs>(formArgs)...)
    {
        prepare(store, form);
        form.show();
        QCoreApplication::processEvents();
    }
    template <class T> T* child(const char* name)
    {
        return form.template findChild<T*>(QLatin1String(name));
    }
    NamedStore store;
    Form form;
};

// Runs the registered benchmarks in an offscreen application, over `editor` made from
// `prepare` and `formArgs`. The editor is made after and destroyed before the application
// object, as widgets must be.
template <class Form, class Prepare, class... FormArgs>
int RunEditorBenchmarks(int argc, char** argv, std::unique_ptr<ShownEditor<Form>>& editor,
                        Prepare prepare, FormArgs&&... formArgs)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QuickRun(argc, argv);
    QApplication app(argc, argv);
    editor = std::make_unique<ShownEditor<Form>>(prepare, std::forward<FormArgs>(formArgs)...);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editor.reset();
    return 0;
}

} // namespace veldor::uibench
