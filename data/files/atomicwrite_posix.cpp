#include "data/files/atomicwrite.h"

#include "data/files/extendedattributes.h"
#include "data/files/savecalls.h"
#include "data/files/savetemps.h"
#include "data/files/systemerror.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

// The new contents before they have the target's name: an unnamed file where the file system
// offers one (a crash leaves nothing behind), otherwise a file of our temporary name pattern.
class TempFile
{
public:
    ~TempFile()
    {
        if (!name_.isEmpty())
            ::unlink(name_.constData());
        if (fd_ >= 0)
            ::close(fd_);
    }

    int fd() const { return fd_; }

    // True when publishing failed only because the unnamed file could not be linked (no /proc):
    // a named temporary file will do.
    bool linkFailed() const { return linkFailed_; }

    int create(const QByteArray& folder, const SaveCalls& calls, bool unnamed)
    {
        if (const int error = calls.injected(SaveStep::CreateTemp))
            return error;
        if (unnamed)
            fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (unnamed && fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return errno;
        if (fd_ < 0) {
            QByteArray path = folder + '/' + SaveTempPattern();
            fd_ = ::mkostemp(path.data(), O_CLOEXEC);
            if (fd_ < 0)
                return errno;
            name_ = path;
        }
        // Tells a cleaning save in another process that this file is still in use.
        ::flock(fd_, LOCK_EX | LOCK_NB);
        return 0;
    }

    // Gives the file `target`'s name in one step.
    int publish(const QByteArray& folder, const QByteArray& target, const SaveCalls& calls)
    {
        if (const int error = calls.injected(SaveStep::Publish))
            return error;
        if (name_.isEmpty()) {
            if (const int error = linkIntoFolder(folder)) {
                linkFailed_ = error == ENOENT || error == EPERM || error == EACCES;
                return error;
            }
        }
        if (std::rename(name_.constData(), target.constData()) != 0)
            return errno;
        name_.clear();
        return 0;
    }

private:
    // An unnamed file can only be linked under a new name; the rename then replaces the old.
    int linkIntoFolder(const QByteArray& folder)
    {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = folder + '/' + RandomSaveTempName();
            int result =
                ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
            if (result != 0 && errno == ENOENT)
                result = ::linkat(fd_, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
            if (result == 0) {
                name_ = name;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    int fd_ = -1;
    QByteArray name_;
    bool linkFailed_ = false;
};

QString octal(mode_t mode)
{
    return QStringLiteral("%1").arg(uint(mode & 07777), 4, 8, QLatin1Char('0'));
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Owner before mode: changing the owner clears the set-id bits.
void keepOwner(int fd, const struct stat& like, const SaveCalls& calls, QStringList& warnings)
{
    struct stat now;
    if (::fstat(fd, &now) != 0) {
        // Not knowing who owns the new file is no reason to fail the save, but the user is told.
        warnings << QStringLiteral("无法确认文件的所有者和组是否保留为 %1:%2：%3")
                        .arg(like.st_uid)
                        .arg(like.st_gid)
                        .arg(SystemReason(errno));
        return;
    }
    if (now.st_uid == like.st_uid && now.st_gid == like.st_gid)
        return;
    int error = calls.injected(SaveStep::Own);
    if (error == 0 && ::fchown(fd, like.st_uid, like.st_gid) == 0)
        return;
    if (error == 0)
        error = errno;
    // Not allowed to give the file away, but perhaps to keep its group.
    if (now.st_gid != like.st_gid && ::fchown(fd, uid_t(-1), like.st_gid) == 0)
        now.st_gid = like.st_gid;
    warnings << QStringLiteral("无法保留文件的所有者和组 %1:%2（现为 %3:%4）：%5")
                    .arg(like.st_uid)
                    .arg(like.st_gid)
                    .arg(now.st_uid)
                    .arg(now.st_gid)
                    .arg(SystemReason(error));
}

void keepMode(int fd, mode_t mode, const SaveCalls& calls, QStringList& warnings)
{
    int error = calls.injected(SaveStep::Mode);
    if (error == 0 && ::fchmod(fd, mode) != 0)
        error = errno;
    struct stat now;
    if (::fstat(fd, &now) != 0 || (error == 0 && (now.st_mode & 07777) == mode))
        return;
    // The kernel drops a set-group-id bit for a group the user is not in without an error.
    warnings << QStringLiteral("无法保留文件的权限 %1（现为 %2）%3")
                    .arg(octal(mode), octal(now.st_mode),
                         error ? QStringLiteral("：") + SystemReason(error) : QString());
}

// Makes the rename itself durable. The new contents are in place by now, so a failure here is
// no reason to report the save as failed.
void syncFolder(const QByteArray& folder, const SaveCalls& calls)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        calls.sync(fd, SaveStep::SyncFolder);
        ::close(fd);
    }
}

bool refusedByFolder(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

int writeTemp(TempFile& temp, const QByteArray& folder, bool unnamed, const QByteArray& bytes,
              const FileStatus* like, const QString& likePath, const SaveCalls& calls,
              QStringList& warnings)
{
    if (const int error = temp.create(folder, calls, unnamed))
        return error;
    if (const int error = calls.writeAll(temp.fd(), bytes.constData(), bytes.size()))
        return error;
    if (like)
        keepOwner(temp.fd(), like->posix, calls, warnings);
    keepMode(temp.fd(), like ? like->posix.st_mode & 07777 : newFileMode(), calls, warnings);
    // After the mode: an ACL sets the group bits of the mode to its mask.
    if (like && !likePath.isEmpty()) {
        const QString lost = CopyExtendedAttributes(QFile::encodeName(likePath), temp.fd());
        if (!lost.isEmpty())
            warnings << lost;
    }
    return calls.syncing() ? calls.sync(temp.fd()) : 0;
}

} // namespace

AtomicWrite WriteFileAtomically(const QString& target, const QByteArray& bytes,
                                const FileStatus* like, const ReplaceOptions& options,
                                QString& reason, QStringList& warnings, const QString& likePath)
{
    const SaveCalls calls(options);
    const QString folderPath = QFileInfo(target).absolutePath();
    const QByteArray folder = QFile::encodeName(folderPath);
    RemoveStaleSaveTemps(folderPath);

    int error = 0;
    bool created = false;
    bool publishing = false;
    for (bool unnamed : {true, false}) {
        TempFile temp;
        error = writeTemp(temp, folder, unnamed, bytes, like, likePath, calls, warnings);
        created = temp.fd() >= 0;
        publishing = error == 0;
        if (publishing)
            error = temp.publish(folder, QFile::encodeName(target), calls);
        if (error == 0 || !temp.linkFailed())
            break;
        warnings.clear();
    }
    if (error) {
        reason = SystemReason(error);
        // A sticky folder lets the new file be made but not take another owner's file's name.
        return (!created || publishing) && refusedByFolder(error) ? AtomicWrite::FolderRefused
                                                                  : AtomicWrite::Failed;
    }
    if (calls.syncing())
        syncFolder(folder, calls);
    return AtomicWrite::Written;
}

} // namespace veldor
