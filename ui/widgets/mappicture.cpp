#include "ui/widgets/mappicture.h"

#include "ui/widgets/rawpicture.h"

#include <QFile>
#include <QResource>

// Resources of a static library are only linked in when something refers to them.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(pictures);
}

namespace veldor {
namespace {

QByteArray resourceBytes(const QString& path, QString& error)
{
    initResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("找不到地图图片 %1。").arg(path);
        return {};
    }
    return file.readAll();
}

// A ready-made picture, read in place from the program's own memory: the build stores them
// uncompressed.
QImage rawResource(const QString& path)
{
    initResources();
    const QResource resource(path);
    if (!resource.isValid())
        return {};
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return RawPicture(resource.data(), resource.size());
    const QByteArray bytes = resource.uncompressedData();
    return RawPicture(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size()).copy();
}

} // namespace

QImage MapPicture(QString& error, int scale)
{
    if (scale <= 1) {
        const QImage picture = rawResource(QStringLiteral(":/map.raw"));
        if (picture.isNull())
            error = QStringLiteral("找不到地图图片 %1。").arg(QStringLiteral(":/map.raw"));
        return picture;
    }
    // Only screens of a device pixel ratio above 1 need this one: decoded when asked for.
    const QByteArray bytes = resourceBytes(QStringLiteral(":/map@2x.jpg"), error);
    return bytes.isEmpty() ? QImage() : DecodeJpeg(bytes, error);
}

QImage IconPicture()
{
    return rawResource(QStringLiteral(":/icon.raw"));
}

} // namespace veldor
