#include "data/scenariobackup.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

QString reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString failure(const QString& path, const QString& why)
{
    return QStringLiteral("无法写入备份文件“%1”：%2。剧本未保存。")
        .arg(QDir::toNativeSeparators(path), why);
}

// Closes a descriptor when it goes out of scope.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

enum class CopyResult { Done, ReadFailed, WriteFailed };

CopyResult copyAll(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return CopyResult::ReadFailed;
        if (got == 0)
            return CopyResult::Done;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return CopyResult::WriteFailed;
            done += put;
        }
    }
}

QString readFailure(const QString& scenarioPath)
{
    return QStringLiteral("无法读取剧本文件“%1”以做备份：%2。剧本未保存。")
        .arg(QDir::toNativeSeparators(scenarioPath), reason());
}

} // namespace

bool WriteScenarioBackup(const QString& scenarioPath, QString& error)
{
    const QString backupPath = scenarioPath + QStringLiteral(".bak");
    const Descriptor source{
        ::open(QFile::encodeName(scenarioPath).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat status = {};
    if (source.fd < 0 || ::fstat(source.fd, &status) != 0) {
        error = readFailure(scenarioPath);
        return false;
    }
    const mode_t mode = status.st_mode & 07777;
    const Descriptor backup{::open(QFile::encodeName(backupPath).constData(),
                                   O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode)};
    // A link in the backup's place is refused rather than followed to some other file. The
    // mode given to open passes through the umask and does not reach an existing file.
    if (backup.fd < 0 || ::fchmod(backup.fd, mode) != 0) {
        error = failure(backupPath, reason());
        return false;
    }
    const CopyResult copied = copyAll(source.fd, backup.fd);
    if (copied == CopyResult::ReadFailed) {
        error = readFailure(scenarioPath);
        return false;
    }
    if (copied == CopyResult::WriteFailed || ::fsync(backup.fd) != 0) {
        error = failure(backupPath, reason());
        return false;
    }
    return true;
}

} // namespace veldor
