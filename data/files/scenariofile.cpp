#include "data/files/scenariofile.h"

#include "data/files/atomicwrite.h"
#include "data/files/savecalls.h"
#include "data/files/savetemps.h"
#include "data/files/systemerror.h"
#include "data/files/systemfile.h"
#include "data/format/scenariolayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cstring>

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
    FileStatus st;
    if (const int failure = StatusOfPath(path, st)) {
        error = IsMissingFileError(failure)
                    ? QStringLiteral("找不到剧本文件“%1”。").arg(shown(path))
                    : QStringLiteral("无法访问剧本文件“%1”：%2。")
                          .arg(shown(path), SystemReason(failure));
        return false;
    }
    if (!st.regular) {
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
        if (const int error = SeekTo(fd, range.begin))
            return error;
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
    RemoveStaleSaveTemps(QFileInfo(target).absolutePath());
    int fd = -1;
    if (const int failure = OpenForWriting(target, fd)) {
        error = writeFailure(path, SystemReason(failure));
        return false;
    }
    FileStatus st;
    if (StatusOfFile(fd, st) != 0 || st.size != bytes.size()) {
        CloseFile(fd);
        error = writeFailure(path, QStringLiteral("文件在保存期间被改变了长度"));
        return false;
    }
    const int failure = writeRanges(fd, bytes, SaveCalls(options));
    CloseFile(fd);
    if (failure == 0)
        return true;
    error = inPlaceWriteFailure(path, SystemReason(failure));
    return false;
}

} // namespace

namespace {

// The reasons of a failed open or read are worded as QFile words them.
QString readReason(int error)
{
#ifdef _WIN32
    return SystemReason(error);
#else
    return qt_error_string(error);
#endif
}

// Opens `path` for reading after the checks every read makes, leaving its status in `st`.
// Straight system calls rather than QFile: an open is one read, and QFile asks the file's
// status twice more and goes through its buffer's bookkeeping. Returns the descriptor, or -1
// with `error` set.
int openChecked(const QString& path, FileStatus& st, QString& error)
{
    if (!checkScenarioPath(path, error))
        return -1;
    int fd = -1;
    int failure = OpenForReading(path, fd);
    if (failure == 0 && (failure = StatusOfFile(fd, st)) != 0)
        CloseFile(fd);
    if (failure) {
        error = QStringLiteral("无法打开剧本文件“%1”：%2。").arg(shown(path), readReason(failure));
        return -1;
    }
    if (!checkSize(path, st.size, error)) {
        CloseFile(fd);
        return -1;
    }
    return fd;
}

QString readFailure(const QString& path, int error)
{
    return QStringLiteral("无法读取剧本文件“%1”：%2。").arg(shown(path), readReason(error));
}

} // namespace

bool ReadScenarioFile(const QString& path, QByteArray& bytes, QString& error)
{
    FileStatus st;
    const int fd = openChecked(path, st, error);
    if (fd < 0)
        return false;
    QByteArray contents(qsizetype(st.size), Qt::Uninitialized);
    int reason = 0;
    const qint64 total = ReadAt(fd, contents.data(), contents.size(), 0, reason);
    CloseFile(fd);
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

bool ReadScenarioTables(const QString& path, QByteArray& file, FileIdentity& identity,
                        QString& error)
{
    FileStatus st;
    const int fd = openChecked(path, st, error);
    if (fd < 0)
        return false;
    // The whole file's room, for the rest to be read in place later: pages not written yet take
    // no memory, and none is copied.
    QByteArray contents(qsizetype(st.size), Qt::Uninitialized);
    int reason = 0;
    const qint64 got = ReadAt(fd, contents.data() + layout::kTablesBegin, layout::kTablesSize,
                              layout::kTablesBegin, reason);
    CloseFile(fd);
    if (got < 0) {
        error = readFailure(path, reason);
        return false;
    }
    // Cut short while it was read: the file now ends where the read did.
    if (!checkSize(path, layout::kTablesBegin + got, error))
        return false;
    file = std::move(contents);
    identity = st.identity;
    return true;
}

bool ReadBytesOutsideTables(const QString& path, const FileIdentity& identity, QByteArray& file)
{
    if (file.size() != identity.size)
        return false;
    int fd = -1;
    if (OpenForReading(path, fd) != 0)
        return false;
    FileStatus st;
    int reason = 0;
    const qint64 tail = identity.size - layout::kMinFileSize;
    char* into = file.data();
    const bool same =
        StatusOfFile(fd, st) == 0 && st.identity == identity &&
        ReadAt(fd, into, layout::kTablesBegin, 0, reason) == layout::kTablesBegin &&
        ReadAt(fd, into + layout::kMinFileSize, tail, layout::kMinFileSize, reason) == tail &&
        // Written to while it was read: what was read may be half of either state.
        StatusOfFile(fd, st) == 0 && st.identity == identity;
    CloseFile(fd);
    return same;
}

TablesOnDisk CompareTablesOnDisk(const QString& path, const char* tables, QString& error)
{
    FileStatus st;
    const int fd = openChecked(path, st, error);
    if (fd < 0)
        return TablesOnDisk::Unreadable;
    // Small enough to be no second copy of the tables, large enough for few reads.
    constexpr qint64 kPiece = qint64(32) << 10;
    QByteArray piece(qsizetype(kPiece), Qt::Uninitialized);
    TablesOnDisk answer = TablesOnDisk::Same;
    int reason = 0;
    for (qint64 done = 0; done < layout::kTablesSize && answer == TablesOnDisk::Same;) {
        const qint64 want = std::min(kPiece, layout::kTablesSize - done);
        const qint64 got = ReadAt(fd, piece.data(), want, layout::kTablesBegin + done, reason);
        if (got < 0) {
            error = readFailure(path, reason);
            answer = TablesOnDisk::Unreadable;
        } else if (got < want) {
            // Cut short while it was read: the file now ends where the read did.
            checkSize(path, layout::kTablesBegin + done + got, error);
            answer = TablesOnDisk::Unreadable;
        } else if (std::memcmp(piece.constData(), tables + done, size_t(got)) != 0) {
            answer = TablesOnDisk::Different;
        }
        done += got;
    }
    CloseFile(fd);
    return answer;
}

namespace {

// The writability checks on `target`, the real file `path` names, whose status they leave in
// `st` for the save to use.
bool checkWritableTarget(const QString& path, const QString& target, FileStatus& st, QString& error)
{
    if (const int failure = StatusOfPath(target, st)) {
        error = writeFailure(path, SystemReason(failure));
        return false;
    }
    // No write bit binds root too; otherwise the system says why this user may not write: a
    // read-only mount, a permission, an error of the disk.
    if (st.readOnly) {
        error = writeFailure(path, QStringLiteral("文件是只读的"));
        return false;
    }
    if (const int failure = CheckWriteAccess(target)) {
        error = writeFailure(path, SystemReason(failure));
        return false;
    }
    return checkSize(path, st.size, error);
}

} // namespace

bool CheckScenarioWritable(const QString& path, QString& error)
{
    if (!checkScenarioPath(path, error))
        return false;
    FileStatus st;
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
    FileStatus st;
    if (!checkWritableTarget(path, target, st, error))
        return false;
    if (st.size != bytes.size()) {
        error = writeFailure(path, QStringLiteral("文件在保存期间被改变了长度"));
        return false;
    }
    // A new file would take only one of the names; the others would keep the old contents.
    if (st.links > 1)
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
