#include "tools/sce/textfiles.h"

#include "data/files/atomicwrite.h"
#include "data/files/devicewrite.h"
#include "data/files/systemerror.h"
#include "data/files/systemfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace veldor {
namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool IsStandardStream(const QString& path)
{
    return path == QLatin1String("-");
}

QString ShownInput(const QString& path)
{
    return IsStandardStream(path) ? QStringLiteral("标准输入") : shown(path);
}

bool ReadStandardInput(QIODevice* in, QByteArray& bytes, QString& error)
{
    if (in == nullptr || !in->isReadable()) {
        error = QStringLiteral("无法读取标准输入：它没有打开");
        return false;
    }
    // Grown by doubling: appending chunk after chunk copies the whole array each time.
    constexpr qint64 kChunk = 1 << 16;
    QByteArray all;
    qint64 size = 0;
    for (;;) {
        if (all.size() - size < kChunk)
            all.resize(std::max(2 * all.size(), size + kChunk));
        const qint64 got = in->read(all.data() + size, kChunk);
        if (got < 0) {
            error = QStringLiteral("读取标准输入失败：%1").arg(in->errorString());
            return false;
        }
        if (got == 0)
            break;
        size += got;
        if (size > kStandardInputLimit) {
            error = QStringLiteral("标准输入超过 %1 MiB，不予读取").arg(kStandardInputLimit >> 20);
            return false;
        }
    }
    all.truncate(size);
    bytes = std::move(all);
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error)
{
    const QFileInfo info(path);
    QString reason;
    if (IsSpecialFile(path)) {
        if (WriteToDevice(path, bytes, reason))
            return true;
    } else {
        const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        FileStatus like;
        const bool replacing = StatusOfPath(target, like) == 0;
        QStringList warnings;
        if (WriteFileAtomically(target, bytes, replacing ? &like : nullptr, ReplaceOptions{},
                                reason, warnings,
                                replacing ? target : QString()) == AtomicWrite::Written)
            return true;
    }
    error = QStringLiteral("无法写入“%1”：%2").arg(shown(path), reason);
    return false;
}

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 limit)
{
    // Not blocking in the open: a FIFO without a writer would wait for one forever.
    int fd = -1;
    FileStatus st;
    int failure = OpenForReading(path, fd);
    if (failure == 0 && (failure = StatusOfFile(fd, st)) != 0)
        CloseFile(fd);
    if (failure) {
        error = QStringLiteral("无法读取“%1”：%2").arg(shown(path), SystemReason(failure));
        return false;
    }
    if (!st.regular) {
        CloseFile(fd);
        error = st.directory
                    ? QStringLiteral("无法读取“%1”：这是一个文件夹").arg(shown(path))
                    : QStringLiteral("无法读取“%1”：不是普通文件（管道或设备请用 - 从标准输入读）")
                          .arg(shown(path));
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        CloseFile(fd);
        error = QStringLiteral("无法读取“%1”：%2").arg(shown(path), file.errorString());
        return false;
    }
    QByteArray contents;
    contents.reserve(qBound<qint64>(0, file.size(), limit) + 1);
    char chunk[65536];
    qint64 n;
    while ((n = file.read(chunk, sizeof chunk)) > 0) {
        if (contents.size() + n > limit) {
            error = QStringLiteral("“%1”超过 %2 字节，不会是一张表的 CSV，已停止读取")
                        .arg(shown(path), QLocale(QLocale::English).toString(limit));
            return false;
        }
        contents.append(chunk, n);
    }
    if (n < 0) {
        error = QStringLiteral("读取“%1”失败：%2").arg(shown(path), file.errorString());
        return false;
    }
    bytes = std::move(contents);
    return true;
}

bool SameFile(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace veldor
