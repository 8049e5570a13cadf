#include "ui/widgets/scenariowatch.h"

#include <QFileInfo>

namespace veldor {

namespace {
constexpr int kSettleMs = 50;
}

ScenarioWatch::ScenarioWatch(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &ScenarioWatch::settled);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &ScenarioWatch::noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &ScenarioWatch::noticed);
}

void ScenarioWatch::Watch(const QString& path)
{
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    settle_.stop();
    path_ = path;
    if (path_.isEmpty())
        return;
    watcher_.addPath(QFileInfo(path_).absolutePath());
    watcher_.addPath(path_);
}

void ScenarioWatch::noticed()
{
    settle_.start();
}

void ScenarioWatch::settled()
{
    if (path_.isEmpty())
        return;
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
    Q_EMIT Changed();
}

} // namespace veldor
