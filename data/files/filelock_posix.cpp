#include "data/files/filelock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

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

} // namespace

// flock on the scenario itself: a replace gives the name a new file, which the next locker
// then finds unlocked, so a lock is only won on the file that still has the name.
LockAttempt TryLockFile(const QString& realPath, intptr_t& token, int& reason)
{
    token = -1;
    const QByteArray path = QFile::encodeName(realPath);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return LockAttempt::Unlockable;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const Named named = namedFile(fd, path);
        if (named == Named::Same) {
            token = fd;
            return LockAttempt::Locked;
        }
        ::close(fd);
        // Gone: nothing left to guard, and the read that follows says so.
        return named == Named::Gone ? LockAttempt::Unlockable : LockAttempt::Busy;
    }
    reason = errno;
    ::close(fd);
    if (reason == EWOULDBLOCK || reason == EINTR)
        return LockAttempt::Busy;
    // File systems without flock have no other writer to keep out through it.
    if (reason == ENOLCK || reason == EOPNOTSUPP || reason == ENOSYS)
        return LockAttempt::Unlockable;
    return LockAttempt::Failed;
}

void ReleaseFileLock(intptr_t token)
{
    if (token >= 0)
        ::close(int(token));
}

} // namespace veldor
