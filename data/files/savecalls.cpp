#include "data/files/savecalls.h"

#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace veldor {

#ifdef _WIN32
ssize_t DiskCalls::write(int fd, const void* data, size_t size) const
{
    // The C runtime writes at most 4 GB at once; a scenario is far smaller.
    return ::_write(fd, data, unsigned(qMin<size_t>(size, 1u << 30)));
}

// FlushFileBuffers, with the failure in errno.
int DiskCalls::fsync(int fd) const
{
    return ::_commit(fd);
}
#else
ssize_t DiskCalls::write(int fd, const void* data, size_t size) const
{
    return ::write(fd, data, size);
}

int DiskCalls::fsync(int fd) const
{
    return ::fsync(fd);
}
#endif

namespace {

const DiskCalls& systemDisk()
{
    static const DiskCalls disk;
    return disk;
}

} // namespace

SaveCalls::SaveCalls(const ReplaceOptions& options)
    : options_(options), disk_(options.disk ? *options.disk : systemDisk())
{
}

int SaveCalls::writeAll(int fd, const char* data, qint64 size) const
{
    if (const int error = injected(SaveStep::Write))
        return error;
    while (size > 0) {
        const ssize_t n = disk_.write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        // A write that makes no progress at all can only mean the disk took nothing more.
        if (n == 0)
            return ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}

int SaveCalls::sync(int fd, SaveStep step) const
{
    if (const int error = injected(step))
        return error;
    const int result = disk_.fsync(fd);
    return result == 0 ? 0 : errno;
}

} // namespace veldor
