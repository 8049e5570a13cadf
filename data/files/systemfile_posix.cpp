#include "data/files/systemfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace veldor {
namespace {

qint64 nanoseconds(const timespec& t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void describe(const struct stat& st, FileStatus& status)
{
    status.regular = S_ISREG(st.st_mode);
    status.directory = S_ISDIR(st.st_mode);
    status.size = st.st_size;
    status.links = st.st_nlink;
    status.readOnly = (st.st_mode & 0222) == 0;
    status.identity = {quint64(st.st_dev), quint64(st.st_ino), st.st_size, nanoseconds(st.st_mtim),
                       nanoseconds(st.st_ctim)};
    status.posix = st;
}

int openWith(const QString& path, int flags, int& fd)
{
    fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC | O_NOCTTY);
    return fd < 0 ? errno : 0;
}

} // namespace

int StatusOfPath(const QString& path, FileStatus& status)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return errno;
    describe(st, status);
    return 0;
}

int StatusOfFile(int fd, FileStatus& status)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return errno;
    describe(st, status);
    return 0;
}

bool IsSymbolicLink(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

int OpenForReading(const QString& path, int& fd)
{
    return openWith(path, O_RDONLY | O_NONBLOCK, fd);
}

int OpenForWriting(const QString& path, int& fd)
{
    return openWith(path, O_WRONLY, fd);
}

void CloseFile(int fd)
{
    ::close(fd);
}

int CheckWriteAccess(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 ? 0 : errno;
}

qint64 ReadAt(int fd, char* into, qint64 size, qint64 offset, int& error)
{
    qint64 total = 0;
    while (total < size) {
        const ssize_t n = ::pread(fd, into + total, size_t(size - total), offset + total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            return -1;
        }
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

int SeekTo(int fd, qint64 offset)
{
    return ::lseek(fd, offset, SEEK_SET) == offset ? 0 : errno;
}

} // namespace veldor
