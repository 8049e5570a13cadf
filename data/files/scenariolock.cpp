#include "data/files/scenariolock.h"

#include "data/files/filelock.h"
#include "data/files/systemerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <mutex>

namespace veldor {
namespace {

struct HeldLock
{
    intptr_t token = -1;
    int depth = 0;
};

std::mutex& heldMutex()
{
    static std::mutex mutex;
    return mutex;
}

QHash<QString, HeldLock>& heldLocks()
{
    static QHash<QString, HeldLock> locks;
    return locks;
}

} // namespace

ScenarioLock::ScenarioLock(const QString& path, int waitMs)
    : realPath_(QFileInfo(path).canonicalFilePath()), key_(realPath_), waitMs_(waitMs)
{
    if (key_.isEmpty())
        key_ = QFileInfo(path).absoluteFilePath();
}

ScenarioLock::~ScenarioLock()
{
    if (!held_)
        return;
    std::lock_guard<std::mutex> guard(heldMutex());
    HeldLock& lock = heldLocks()[key_];
    if (--lock.depth > 0)
        return;
    ReleaseFileLock(lock.token);
    heldLocks().remove(key_);
}

bool ScenarioLock::Acquire(QString& error)
{
    if (held_)
        return true;
    std::lock_guard<std::mutex> guard(heldMutex());
    auto it = heldLocks().find(key_);
    if (it != heldLocks().end()) {
        ++it->depth;
        held_ = true;
        return true;
    }
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        intptr_t token = -1;
        int reason = 0;
        switch (TryLockFile(key_, token, reason)) {
        case LockAttempt::Locked:
        case LockAttempt::Unlockable:
            heldLocks().insert(key_, HeldLock{token, 1});
            held_ = true;
            return true;
        case LockAttempt::Failed:
            error = QStringLiteral("无法锁定剧本文件“%1”：%2。文件保持原样，修改未保存。")
                        .arg(QDir::toNativeSeparators(key_), SystemReason(reason));
            return false;
        case LockAttempt::Busy:
            break;
        }
        if (waited.elapsed() >= waitMs_) {
            error = QStringLiteral("剧本文件“%1”正由另一个程序写入，等了 %2 秒仍未轮到。"
                                   "文件保持原样，修改未保存，请稍后再试。")
                        .arg(QDir::toNativeSeparators(key_))
                        .arg(double(waitMs_) / 1000.0);
            return false;
        }
        QThread::msleep(20);
    }
}

} // namespace veldor
