#include "data/scenariofile.h"

#include "data/scenariolayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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
// or a device is no scenario) and is long enough to hold every table.
bool checkScenarioPath(const QString& path, QString& error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        error = QStringLiteral("找不到剧本文件“%1”。").arg(shown(path));
        return false;
    }
    if (!info.isFile()) {
        error = QStringLiteral("“%1”不是普通文件，不能作为剧本打开。").arg(shown(path));
        return false;
    }
    return true;
}

bool checkSize(const QString& path, qint64 size, QString& error)
{
    if (size >= layout::kMinFileSize)
        return true;
    error = QStringLiteral("剧本文件“%1”只有 %2 字节，剧本至少需要 %3 字节。")
                .arg(shown(path), grouped(size), grouped(layout::kMinFileSize));
    return false;
}

qint64 defaultWrite(QFileDevice& device, const char* data, qint64 size)
{
    return device.write(data, size);
}

bool writeAll(QFileDevice& device, const QByteArray& bytes, const ReplaceOptions& options)
{
    const auto& write = options.write ? options.write : defaultWrite;
    return write(device, bytes.constData(), bytes.size()) == bytes.size() && device.flush();
}

bool syncToDisk(QFileDevice& device)
{
    return ::fsync(device.handle()) == 0;
}

// Makes the rename itself durable. The new contents are already on the disk and in place, so
// a failure here is no reason to report the save as failed.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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

bool replaceInPlace(const QString& path, const QByteArray& bytes, QString& error,
                    const ReplaceOptions& options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        error = writeFailure(path, file.errorString());
        return false;
    }
    if (file.size() != bytes.size()) {
        error = writeFailure(path, QStringLiteral("文件在保存期间被改变了长度"));
        return false;
    }
    const auto& write = options.write ? options.write : defaultWrite;
    for (const Range& range : kTableRanges) {
        const qint64 length = range.end - range.begin;
        if (!file.seek(range.begin) ||
            write(file, bytes.constData() + range.begin, length) != length || !file.flush()) {
            error = inPlaceWriteFailure(path, file.errorString());
            return false;
        }
    }
    if (options.sync && !syncToDisk(file)) {
        error = inPlaceWriteFailure(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

} // namespace

bool ReadScenarioFile(const QString& path, QByteArray& bytes, QString& error)
{
    if (!checkScenarioPath(path, error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("无法打开剧本文件“%1”：%2。").arg(shown(path), file.errorString());
        return false;
    }
    QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("无法读取剧本文件“%1”：%2。").arg(shown(path), file.errorString());
        return false;
    }
    if (!checkSize(path, contents.size(), error))
        return false;
    bytes = std::move(contents);
    return true;
}

bool ReplaceScenarioFile(const QString& path, const QByteArray& bytes, QString& error,
                         const ReplaceOptions& options)
{
    if (!checkScenarioPath(path, error))
        return false;
    // Replace the file a link points to, not the link.
    const QFileInfo info(path);
    const QString target = info.canonicalFilePath();
    if (!info.isWritable()) {
        error = writeFailure(path, QStringLiteral("文件是只读的"));
        return false;
    }
    if (info.size() != bytes.size()) {
        error = writeFailure(path, QStringLiteral("文件在保存期间被改变了长度"));
        return false;
    }

    QTemporaryFile fresh(QFileInfo(target).absolutePath() + QStringLiteral("/.veldor-save-XXXXXX"));
    if (!fresh.open())
        return replaceInPlace(target, bytes, error, options);

    if (!writeAll(fresh, bytes, options) || (options.sync && !syncToDisk(fresh))) {
        error = writeFailure(path, fresh.errorString());
        return false;
    }
    fresh.setPermissions(QFile::permissions(target));
    fresh.close();
    if (std::rename(QFile::encodeName(fresh.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        error = writeFailure(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    fresh.setAutoRemove(false);
    if (options.sync)
        syncFolder(QFileInfo(target).absolutePath());
    return true;
}

} // namespace veldor
