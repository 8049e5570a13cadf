#include "data/files/atomicwrite.h"

#include "data/files/savecalls.h"
#include "data/files/savetemps.h"
#include "data/files/systemerror.h"
#include "data/files/windowspath.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace veldor {
namespace {

// The new contents before they have the target's name: a file of our temporary name pattern.
// While it is open nobody else may delete or rename it, which is what tells a cleaning save in
// another process that it is still in use.
class TempFile
{
public:
    ~TempFile()
    {
        close();
        if (!name_.isEmpty())
            ::DeleteFileW(WindowsPath(name_));
    }

    int fd() const { return fd_; }

    int create(const QString& folder, const SaveCalls& calls)
    {
        if (const int error = calls.injected(SaveStep::CreateTemp))
            return error;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name =
                folder + QLatin1Char('/') + QString::fromLatin1(RandomSaveTempName());
            const HANDLE handle =
                ::CreateFileW(WindowsPath(name), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                const DWORD code = ::GetLastError();
                if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
                    continue;
                return WindowsError(code);
            }
            name_ = name;
            fd_ = ::_open_osfhandle(intptr_t(handle), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
            if (fd_ < 0) {
                ::CloseHandle(handle);
                return EMFILE;
            }
            return 0;
        }
        return WindowsError(ERROR_FILE_EXISTS);
    }

    // Gives the file `target`'s name in one step. The system's replace keeps what the old file
    // had besides its contents: its security, attributes, creation time and streams.
    int publish(const QString& target, bool replacing, const SaveCalls& calls)
    {
        if (const int error = calls.injected(SaveStep::Publish))
            return error;
        // Renaming needs the file closed.
        if (const int error = close())
            return error;
        const WindowsPath from(name_), to(target);
        bool done = replacing && ::ReplaceFileW(to, from, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                                nullptr, nullptr);
        // Gone since it was looked at: the new file simply takes the free name.
        if (!done && (!replacing || ::GetLastError() == ERROR_FILE_NOT_FOUND))
            done = ::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!done)
            return LastSystemError();
        name_.clear();
        return 0;
    }

private:
    int close()
    {
        if (fd_ < 0)
            return 0;
        const int result = ::_close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    int fd_ = -1;
    QString name_;
};

bool refusedByFolder(int error)
{
    return error == EACCES || error == EPERM || error == EROFS ||
           error == WindowsError(ERROR_ACCESS_DENIED) || error == WindowsError(ERROR_WRITE_PROTECT);
}

int writeTemp(TempFile& temp, const QString& folder, const QByteArray& bytes,
              const SaveCalls& calls)
{
    if (const int error = temp.create(folder, calls))
        return error;
    if (const int error = calls.writeAll(temp.fd(), bytes.constData(), bytes.size()))
        return error;
    return calls.syncing() ? calls.sync(temp.fd()) : 0;
}

} // namespace

AtomicWrite WriteFileAtomically(const QString& target, const QByteArray& bytes,
                                const FileStatus* like, const ReplaceOptions& options,
                                QString& reason, QStringList&, const QString&)
{
    const SaveCalls calls(options);
    const QString folder = QFileInfo(target).absolutePath();
    RemoveStaleSaveTemps(folder);

    TempFile temp;
    int error = writeTemp(temp, folder, bytes, calls);
    const bool created = temp.fd() >= 0;
    const bool publishing = error == 0;
    if (publishing)
        error = temp.publish(target, like != nullptr, calls);
    if (error == 0)
        return AtomicWrite::Written;
    reason = SystemReason(error);
    return (!created || publishing) && refusedByFolder(error) ? AtomicWrite::FolderRefused
                                                              : AtomicWrite::Failed;
}

} // namespace veldor
