#include "data/files/scenariolock.h"

#include "data/files/systemerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

struct HeldLock
{
    int fd = -1;
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

enum class Named { Same, Replaced, Gone };

// A save replaces the file by a new one; a lock won on the old one guards nothing.
Named namedFile(int fd, const QByteArray& path)
{
    struct stat opened, named;
    if (::stat(path.constData(), &named) != 0)
        return Named::Gone;
    return ::fstat(fd, &opened) == 0 && opened.st_dev == named.st_dev &&
                   opened.st_ino == named.st_ino
               ? Named::Same
               : Named::Replaced;
}

enum class Attempt { Locked, Busy, Unlockable, Failed };

Attempt tryLock(const QByteArray& path, int& fd, int& reason)
{
    fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return Attempt::Unlockable;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const Named named = namedFile(fd, path);
        if (named == Named::Same)
            return Attempt::Locked;
        ::close(fd);
        fd = -1;
        // Gone: nothing left to guard, and the read that follows says so.
        return named == Named::Gone ? Attempt::Unlockable : Attempt::Busy;
    }
    reason = errno;
    ::close(fd);
    fd = -1;
    if (reason == EWOULDBLOCK || reason == EINTR)
        return Attempt::Busy;
    // File systems without flock have no other writer to keep out through it.
    if (reason == ENOLCK || reason == EOPNOTSUPP || reason == ENOSYS)
        return Attempt::Unlockable;
    return Attempt::Failed;
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
    if (lock.fd >= 0)
        ::close(lock.fd);
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
    const QByteArray path = QFile::encodeName(key_);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        int fd = -1;
        int reason = 0;
        switch (tryLock(path, fd, reason)) {
        case Attempt::Locked:
        case Attempt::Unlockable:
            heldLocks().insert(key_, HeldLock{fd, 1});
            held_ = true;
            return true;
        case Attempt::Failed:
            error = QStringLiteral("无法锁定剧本文件“%1”：%2。文件保持原样，修改未保存。")
                        .arg(QDir::toNativeSeparators(key_), SystemReason(reason));
            return false;
        case Attempt::Busy:
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
