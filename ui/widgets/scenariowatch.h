#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace veldor {

// Watches the open scenario for changes by other programs. Every atomic writer replaces the
// file by a rename, which ends a watch on the old file; the path is watched again after each
// change, and its folder too, so that a file deleted and made anew is seen as well. A burst
// of changes (a save writes, renames and syncs) is reported once, when it has settled.
class ScenarioWatch : public QObject
{
    Q_OBJECT
public:
    explicit ScenarioWatch(QObject* parent = nullptr);

    // Watches `path` from now on instead; an empty path watches nothing.
    void Watch(const QString& path);

Q_SIGNALS:
    void Changed();

private:
    void noticed();
    void settled();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
};

} // namespace veldor
