#include "tools/sce/textfiles.h"

#include "data/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace veldor {
namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

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
