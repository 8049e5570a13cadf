#include "ui/widgets/recentfiles.h"

#include "ui/widgets/usersettings.h"

#include <QFileInfo>
#include <QSettings>

#include <memory>

namespace veldor {
namespace {

const QString kKey = QStringLiteral("RecentFiles");

void store(const QStringList& list)
{
    const std::unique_ptr<QSettings> settings = UserSettings();
    if (list.isEmpty())
        settings->remove(kKey);
    else
        settings->setValue(kKey, list);
}

// `list` with `path` moved or added to its head and cut to the limit.
QStringList WithRecentFile(QStringList list, const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    list.removeAll(absolute);
    list.prepend(absolute);
    return list.mid(0, kRecentFiles);
}

} // namespace

QStringList RecentFiles()
{
    const QStringList list = UserSettings()->value(kKey).toStringList();
    // A hand-edited settings file may hold more.
    return list.mid(0, kRecentFiles);
}

void RememberRecentFile(const QString& path)
{
    // Writing the settings file syncs it to disk; reopening the file at the head of the list
    // changes nothing and need not wait for that.
    const QStringList before = RecentFiles();
    const QStringList after = WithRecentFile(before, path);
    if (after != before)
        store(after);
}

QStringList PruneRecentFiles()
{
    QStringList list = RecentFiles();
    const qsizetype before = list.size();
    list.removeIf([](const QString& path) { return !QFileInfo(path).isFile(); });
    if (list.size() != before)
        store(list);
    return list;
}

void ClearRecentFiles()
{
    store({});
}

} // namespace veldor
