#include "data/files/devicewrite.h"

#include "data/files/replaceoptions.h"
#include "data/files/savecalls.h"
#include "data/files/systemerror.h"
#include "data/files/windowspath.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace veldor {
namespace {

HANDLE openExisting(const QString& path, DWORD access)
{
    return ::CreateFileW(WindowsPath(path), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
}

} // namespace

bool WriteToDevice(const QString& path, const QByteArray& bytes, QString& reason)
{
    const HANDLE handle = openExisting(path, GENERIC_WRITE);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = SystemReason(LastSystemError());
        return false;
    }
    const int fd = ::_open_osfhandle(intptr_t(handle), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        ::CloseHandle(handle);
        reason = SystemReason(EMFILE);
        return false;
    }
    const ReplaceOptions options;
    int error = SaveCalls(options).writeAll(fd, bytes.constData(), bytes.size());
    if (::_close(fd) != 0 && error == 0)
        error = errno;
    if (error)
        reason = SystemReason(error);
    return error == 0;
}

// NUL, CON and the other devices, and named pipes: whatever is not a file on a disk.
bool IsSpecialFile(const QString& path)
{
    const HANDLE handle = openExisting(path, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = ::GetFileType(handle);
    ::CloseHandle(handle);
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

} // namespace veldor
