#pragma once

#include <QString>

namespace veldor {

// An advisory lock on a scenario file (filelock.h), held around every read-modify-write of it so
// that two writers at once take turns instead of one silently dropping the other's changes.
// Nested locks on one file within this process share the outer one.
class ScenarioLock
{
public:
    static constexpr int kDefaultWaitMs = 5000;

    explicit ScenarioLock(const QString& path, int waitMs = kDefaultWaitMs);
    ~ScenarioLock();
    ScenarioLock(const ScenarioLock&) = delete;
    ScenarioLock& operator=(const ScenarioLock&) = delete;

    // Waits up to the given time for the lock. False, with a message naming the file, when
    // another writer kept it that long or the lock failed for a reason worth reporting. A file
    // that cannot be opened is not refused here: the read that follows reports why.
    bool Acquire(QString& error);

    // The real file the lock guards, links resolved; empty where the path named no file when
    // the lock was made. A save writes there without resolving the path again.
    const QString& RealPath() const { return realPath_; }

private:
    QString realPath_;
    QString key_;
    int waitMs_;
    bool held_ = false;
};

} // namespace veldor
