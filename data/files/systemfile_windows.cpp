#include "data/files/systemfile.h"

#include "data/files/systemerror.h"
#include "data/files/windowspath.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace veldor {
namespace {

// Others may read, write, rename and delete the file while it is open here, as on POSIX
// systems: an open for reading must not stop another program's save.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

qint64 joined(DWORD high, DWORD low)
{
    return qint64((quint64(high) << 32) | low);
}

// FILETIME counts 100 ns steps.
qint64 nanoseconds(qint64 ticks)
{
    return ticks * 100;
}

int describe(HANDLE handle, FileStatus& status)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(handle, &info))
        return LastSystemError();
    const DWORD type = ::GetFileType(handle);
    const bool directory = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    status.directory = directory;
    status.regular = !directory && type == FILE_TYPE_DISK;
    status.size = joined(info.nFileSizeHigh, info.nFileSizeLow);
    status.links = info.nNumberOfLinks;
    status.readOnly = info.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    const qint64 written =
        joined(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    // The change time moves with every write and change of attributes, which no program can set
    // back, unlike the write time; not every file system keeps one.
    FILE_BASIC_INFO basic;
    const qint64 changed =
        ::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) &&
                basic.ChangeTime.QuadPart != 0
            ? basic.ChangeTime.QuadPart
            : written;
    status.identity = {info.dwVolumeSerialNumber,
                       quint64(joined(info.nFileIndexHigh, info.nFileIndexLow)), status.size,
                       nanoseconds(written), nanoseconds(changed)};
    return 0;
}

HANDLE openHandle(const QString& path, DWORD access)
{
    // Backup semantics let a folder be opened too, so that it can be told from a file.
    return ::CreateFileW(WindowsPath(path), access, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

int openDescriptor(const QString& path, DWORD access, int flags, int& fd)
{
    fd = -1;
    const HANDLE handle = openHandle(path, access);
    if (handle == INVALID_HANDLE_VALUE)
        return LastSystemError();
    fd = ::_open_osfhandle(intptr_t(handle), flags | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        const int error = errno;
        ::CloseHandle(handle);
        return error;
    }
    return 0;
}

} // namespace

int StatusOfPath(const QString& path, FileStatus& status)
{
    // Devices such as NUL answer no status; they are no regular files either way.
    const HANDLE handle = openHandle(path, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return LastSystemError();
    int error = describe(handle, status);
    if (error && ::GetFileType(handle) != FILE_TYPE_DISK) {
        status = FileStatus{};
        error = 0;
    }
    ::CloseHandle(handle);
    return error;
}

int StatusOfFile(int fd, FileStatus& status)
{
    const HANDLE handle = HANDLE(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE)
        return EBADF;
    return describe(handle, status);
}

bool IsSymbolicLink(const QString& path)
{
    const DWORD attributes = ::GetFileAttributesW(WindowsPath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

int OpenForReading(const QString& path, int& fd)
{
    return openDescriptor(path, GENERIC_READ, _O_RDONLY, fd);
}

int OpenForWriting(const QString& path, int& fd)
{
    return openDescriptor(path, GENERIC_WRITE, _O_WRONLY, fd);
}

void CloseFile(int fd)
{
    ::_close(fd);
}

int CheckWriteAccess(const QString& path)
{
    // The read-only attribute, the file's security and the volume all have their say; only an
    // open for writing asks every one of them.
    const HANDLE handle = openHandle(path, GENERIC_WRITE);
    if (handle == INVALID_HANDLE_VALUE)
        return LastSystemError();
    ::CloseHandle(handle);
    return 0;
}

qint64 ReadAt(int fd, char* into, qint64 size, qint64 offset, int& error)
{
    const HANDLE handle = HANDLE(::_get_osfhandle(fd));
    qint64 total = 0;
    while (total < size) {
        OVERLAPPED at{};
        const quint64 position = quint64(offset + total);
        at.Offset = DWORD(position);
        at.OffsetHigh = DWORD(position >> 32);
        DWORD got = 0;
        const DWORD want = DWORD(qMin<qint64>(size - total, 1 << 30));
        if (!::ReadFile(handle, into + total, want, &got, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            error = LastSystemError();
            return -1;
        }
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

int SeekTo(int fd, qint64 offset)
{
    return ::_lseeki64(fd, offset, SEEK_SET) == offset ? 0 : errno;
}

} // namespace veldor
