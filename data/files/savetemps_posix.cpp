#include "data/files/savetemps.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

bool olderThan(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool isStale(int folderFd, const char* name, const timespec& started)
{
    struct stat named;
    // Root's saves give their temporary file the owner of the file they replace, so for root a
    // file of another owner may be its own leftover; the lock below still spares a live save.
    const uid_t self = ::geteuid();
    if (::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode) ||
        (named.st_uid != self && self != 0) || !olderThan(named.st_mtim, started))
        return false;
    // A save still writing holds a lock on its temporary file; its name may be gone by now.
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat opened;
    const bool stale = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                       opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
    ::close(fd);
    return stale;
}

} // namespace

void RemoveStaleSaveTemps(const QString& folder)
{
    // The file system stamps files with the coarse clock; a finer one could run ahead of it.
    timespec started;
    ::clock_gettime(CLOCK_REALTIME_COARSE, &started);
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    const int folderFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (IsSaveTempName(QByteArray(entry->d_name)) && isStale(folderFd, entry->d_name, started))
            ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace veldor
