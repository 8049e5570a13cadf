#include "tools/sce/textfiles.h"

#include "data/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("无法写入“%1”：%2").arg(shown(path), file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("写入“%1”失败：%2").arg(shown(path), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("无法读取“%1”：这是一个文件夹").arg(shown(path));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("无法读取“%1”：%2").arg(shown(path), file.errorString());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("读取“%1”失败：%2").arg(shown(path), file.errorString());
        return false;
    }
    return true;
}

QString DecodeSpreadsheetText(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(body);
    return utf8.hasError() ? FromGbk(body) : text;
}

bool SameFile(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace veldor
