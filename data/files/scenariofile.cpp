#include "data/files/scenariofile.h"

#include "data/files/atomicwrite.h"
#include "data/files/savecalls.h"
#include "data/files/savetemps.h"
#include "data/files/systemerror.h"
#include "data/format/scenariolayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString grouped(qint64 n)
{
    // The C locale omits group separators unless asked for them.
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(n);
}

// The checks shared by open, reload and save: the file exists, is a regular file (a directory
// or a device is no scenario) and is long enough to hold every table. A file that cannot be
// looked at (no permission on a folder, a failing disk) is reported with the system's reason.
bool checkScenarioPath(const QString& path, QString& error)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        error = errno == ENOENT || errno == ENOTDIR
                    ? QStringLiteral("找不到剧本文件“%1”。").arg(shown(path))
                    : QStringLiteral("无法访问剧本文件“%1”：%2。")
                          .arg(shown(path), SystemReason(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = QStringLiteral("“%1”不是普通文件，不能作为剧本打开。").arg(shown(path));
        return false;
    }
    return true;
}

bool checkSize(const QString& path, qint64 size, QString& error)
{
    if (size > kMaxScenarioFileSize) {
        error = QStringLiteral("“%1”有 %2 字节，不像剧本文件：剧本不到 1 MB，这里最多读 %3 字节。")
                    .arg(shown(path), grouped(size), grouped(kMaxScenarioFileSize));
        return false;
    }
    if (size >= layout::kMinFileSize)
        return true;
    error = QStringLiteral("剧本文件“%1”只有 %2 字节，剧本至少需要 %3 字节。")
                .arg(shown(path), grouped(size), grouped(layout::kMinFileSize));
    return false;
}

QString writeFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("无法写入剧本文件“%1”：%2。文件保持原样，修改未保存。")
        .arg(shown(path), reason);
}

// Once the writing in place has begun, the old contents are no longer guaranteed.
QString inPlaceWriteFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("写入剧本文件“%1”时出错：%2。文件可能只改写了一部分，修改未完整保存。")
        .arg(shown(path), reason);
}

// Only the byte ranges of the five tables can differ; writing just those keeps a failed
// in-place save from touching anything else.
struct Range
{
    qint64 begin, end;
};
constexpr Range kTableRanges[] = {
    {layout::kPlaceOffset, layout::kPlaceOffset + kPlaces* layout::kPlaceSize},
    {layout::kCityOffset, layout::kCityOffset + kCities* layout::kCitySize},
    {layout::kForcOffset, layout::kForcOffset + kForces* layout::kForcSize},
    {layout::kItemOffset, layout::kItemOffset + kItems* layout::kItemSize},
    {layout::kPrsnOffset, layout::kMinFileSize},
};

int writeRanges(int fd, const QByteArray& bytes, const SaveCalls& calls)
{
    if (const int error = calls.injected(SaveStep::WriteInPlace))
        return error;
    for (const Range& range : kTableRanges) {
        if (::lseek(fd, range.begin, SEEK_SET) != range.begin)
            return errno;
        if (const int error =
                calls.writeAll(fd, bytes.constData() + range.begin, range.end - range.begin))
            return error;
    }
    return calls.syncing() ? calls.sync(fd) : 0;
}

bool replaceInPlace(const QString& path, const QString& target, const QByteArray& bytes,
                    QString& error, const ReplaceOptions& options)
{
    // No temporary file of its own, but an earlier save or backup killed in this folder may
    // have left one that nothing else would clear.
    timespec started;
    ::clock_gettime(CLOCK_REALTIME_COARSE, &started);
    RemoveStaleSaveTemps(QFileInfo(target).absolutePath(), started);
    const int fd = ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = writeFailure(path, SystemReason(errno));
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_size != bytes.size()) {
        ::close(fd);
        error = writeFailure(path, QStringLiteral("文件在保存期间被改变了长度"));
        return false;
    }
    const int failure = writeRanges(fd, bytes, SaveCalls(options));
    ::close(fd);
    if (failure == 0)
        return true;
    error = inPlaceWriteFailure(path, SystemReason(failure));
    return false;
}

} // namespace

namespace {

// Opens `path` for reading after the checks every read makes, leaving its status in `st`.
// Straight system calls rather than QFile: an open is one read, and QFile asks the file's
// status twice more and goes through its buffer's bookkeeping. The reasons are worded as QFile
// words them. Returns the descriptor, or -1 with `error` set.
int openChecked(const QString& path, struct stat& st, QString& error)
{
    if (!checkScenarioPath(path, error))
        return -1;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error =
            QStringLiteral("无法打开剧本文件“%1”：%2。").arg(shown(path), qt_error_string(errno));
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        error =
            QStringLiteral("无法打开剧本文件“%1”：%2。").arg(shown(path), qt_error_string(errno));
        ::close(fd);
        return -1;
    }
    if (!checkSize(path, st.st_size, error)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to `size` bytes from `offset` on; the count read, which falls short only at the
// end of the file, or -1 with errno set.
qint64 readAt(int fd, char* into, qint64 size, qint64 offset)
{
    qint64 total = 0;
    while (total < size) {
        const ssize_t n = ::pread(fd, into + total, size_t(size - total), offset + total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

QString readFailure(const QString& path, int error)
{
    return QStringLiteral("无法读取剧本文件“%1”：%2。").arg(shown(path), qt_error_string(error));
}

} // namespace

bool ReadScenarioFile(const QString& path, QByteArray& bytes, QString& error)
{
    struct stat st;
    const int fd = openChecked(path, st, error);
    if (fd < 0)
        return false;
    QByteArray contents(qsizetype(st.st_size), Qt::Uninitialized);
    const qint64 total = readAt(fd, contents.data(), contents.size(), 0);
    const int reason = errno;
    ::close(fd);
    if (total < 0) {
        error = readFailure(path, reason);
        return false;
    }
    if (!checkSize(path, total, error))
        return false;
    contents.truncate(qsizetype(total));
    bytes = std::move(contents);
    return true;
}

bool ReadScenarioTables(const QString& path, QByteArray& tables, FileIdentity& identity,
                        QString& error)
{
    struct stat st;
    const int fd = openChecked(path, st, error);
    if (fd < 0)
        return false;
    QByteArray contents(qsizetype(layout::kTablesSize), Qt::Uninitialized);
    const qint64 got = readAt(fd, contents.data(), contents.size(), layout::kTablesBegin);
    const int reason = errno;
    ::close(fd);
    if (got < 0) {
        error = readFailure(path, reason);
        return false;
    }
    // Cut short while it was read: the file now ends where the read did.
    if (!checkSize(path, layout::kTablesBegin + got, error))
        return false;
    tables = std::move(contents);
    identity = FileIdentity::Of(st);
    return true;
}

bool ReadBytesOutsideTables(const QString& path, const FileIdentity& identity,
                            const QByteArray& tables, QByteArray& whole)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st;
    QByteArray contents;
    bool same = ::fstat(fd, &st) == 0 && FileIdentity::Of(st) == identity;
    if (same) {
        const qint64 size = st.st_size, tail = size - layout::kMinFileSize;
        contents = QByteArray(qsizetype(size), Qt::Uninitialized);
        same = readAt(fd, contents.data(), layout::kTablesBegin, 0) == layout::kTablesBegin &&
               readAt(fd, contents.data() + layout::kMinFileSize, tail, layout::kMinFileSize) ==
                   tail &&
               // Written to while it was read: what was read may be half of either state.
               ::fstat(fd, &st) == 0 && FileIdentity::Of(st) == identity;
    }
    ::close(fd);
    if (!same)
        return false;
    std::memcpy(contents.data() + layout::kTablesBegin, tables.constData(),
                size_t(layout::kTablesSize));
    whole = std::move(contents);
    return true;
}

namespace {

// The writability checks on `target`, the real file `path` names, whose status they leave in
// `st` for the save to use.
bool checkWritableTarget(const QString& path, const QString& target, struct stat& st,
                         QString& error)
{
    const QByteArray name = QFile::encodeName(target);
    if (::stat(name.constData(), &st) != 0) {
        error = writeFailure(path, SystemReason(errno));
        return false;
    }
    // No write bit binds root too; otherwise the system says why this user may not write: a
    // read-only mount, a permission, an error of the disk.
    if ((st.st_mode & 0222) == 0) {
        error = writeFailure(path, QStringLiteral("文件是只读的"));
        return false;
    }
    if (::access(name.constData(), W_OK) != 0) {
        error = writeFailure(path, SystemReason(errno));
        return false;
    }
    return checkSize(path, st.st_size, error);
}

} // namespace

bool CheckScenarioWritable(const QString& path, QString& error)
{
    if (!checkScenarioPath(path, error))
        return false;
    struct stat st;
    return checkWritableTarget(path, QFileInfo(path).canonicalFilePath(), st, error);
}

bool ReplaceScenarioFile(const QString& path, const QString& realPath, const QByteArray& bytes,
                         QString& error, const ReplaceOptions& options, QString* warning)
{
    if (!checkScenarioPath(path, error))
        return false;
    // Replace the file a link points to, not the link; resolved once, as every call costs a
    // walk of the path.
    const QString target = realPath.isEmpty() ? QFileInfo(path).canonicalFilePath() : realPath;
    struct stat st;
    if (!checkWritableTarget(path, target, st, error))
        return false;
    if (st.st_size != bytes.size()) {
        error = writeFailure(path, QStringLiteral("文件在保存期间被改变了长度"));
        return false;
    }
    // A new file would take only one of the names; the others would keep the old contents.
    if (st.st_nlink > 1)
        return replaceInPlace(path, target, bytes, error, options);

    QString reason;
    QStringList warnings;
    switch (WriteFileAtomically(target, bytes, &st, options, reason, warnings, target)) {
    case AtomicWrite::Written:
        if (warning && !warnings.isEmpty())
            *warning = SavedButNotKept(path, warnings);
        return true;
    case AtomicWrite::FolderRefused:
        return replaceInPlace(path, target, bytes, error, options);
    case AtomicWrite::Failed:
        break;
    }
    error = writeFailure(path, reason);
    return false;
}

QString SavedButNotKept(const QString& path, const QStringList& kept)
{
    return QStringLiteral("剧本文件“%1”已保存，但%2。")
        .arg(shown(path), kept.join(QStringLiteral("；")));
}

} // namespace veldor
