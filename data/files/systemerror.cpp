#include "data/files/systemerror.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace veldor {

#ifdef _WIN32

namespace {
// errno values are small; a Windows code carries this bit so it is never taken for one.
constexpr int kWindowsFlag = 0x20000000;
} // namespace

int WindowsError(unsigned long code)
{
    return code == 0 ? 0 : kWindowsFlag | int(code & 0xFFFFFFF);
}

int LastSystemError()
{
    return WindowsError(::GetLastError());
}

bool IsMissingFileError(int error)
{
    return error == ENOENT || error == ENOTDIR || error == WindowsError(ERROR_FILE_NOT_FOUND) ||
           error == WindowsError(ERROR_PATH_NOT_FOUND) ||
           error == WindowsError(ERROR_INVALID_NAME) || error == WindowsError(ERROR_BAD_NETPATH);
}

QString SystemReason(int error)
{
    if (!(error & kWindowsFlag))
        return QString::fromLocal8Bit(std::strerror(error));
    // In the user's language, without the line break FormatMessage ends with.
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(error & ~kWindowsFlag), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, int(length)).trimmed()
                            : QStringLiteral("Windows 错误 %1").arg(error & ~kWindowsFlag);
    if (text)
        ::LocalFree(text);
    // A reason is set into a sentence that has its own full stop.
    while (reason.endsWith(QLatin1Char('.')) || reason.endsWith(QChar(0x3002)))
        reason.chop(1);
    return reason;
}

#else

int LastSystemError()
{
    return errno;
}

bool IsMissingFileError(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

#endif

} // namespace veldor
