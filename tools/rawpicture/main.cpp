// Turns the map and the icon into the ready-made pixels the program shows at start-up, so
// that it decodes neither a JPEG nor a PNG then. Run by the build:
//   veldor-rawpicture SOURCE.jpg|SOURCE.png TARGET
#include "ui/widgets/jpegdecode.h"
#include "ui/widgets/rawpicture.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

namespace {

QImage readPicture(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    // The program's own decoder, so the pixels are the ones it would decode itself.
    if (path.endsWith(QLatin1String(".jpg")))
        return veldor::DecodeJpeg(bytes, error);
    QImage image = QImage::fromData(bytes);
    if (image.isNull())
        error = QStringLiteral("not a picture Qt can read");
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: veldor-rawpicture SOURCE TARGET\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    QString error;
    const QImage image = readPicture(source, error);
    if (image.isNull()) {
        std::fprintf(stderr, "veldor-rawpicture: %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(veldor::RawPictureBytes(image)) < 0 ||
        !file.commit()) {
        std::fprintf(stderr, "veldor-rawpicture: %s: %s\n", argv[2],
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
