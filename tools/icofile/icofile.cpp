#include "tools/icofile/icofile.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

namespace veldor {
namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;

QImage squared(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    if (argb.width() == argb.height())
        return argb;
    const int side = qMax(argb.width(), argb.height());
    QImage square(side, side, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((side - argb.width()) / 2, (side - argb.height()) / 2, argb);
    return square;
}

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

void appendLittleEndian16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendLittleEndian32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

const QList<int>& IcoFileSizes()
{
    static const QList<int> sizes{16, 20, 24, 32, 40, 48, 64, 128, 256};
    return sizes;
}

QByteArray MakeIcoFile(const QImage& picture, const QList<int>& sizes)
{
    if (picture.isNull() || sizes.isEmpty() || sizes.size() > 0xffff)
        return {};
    const QImage square = squared(picture);
    QList<QByteArray> images;
    for (const int size : sizes) {
        if (size < 1 || size > 256)
            return {};
        const QImage scaled =
            size == square.width()
                ? square
                : square.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        images << pngOf(scaled);
        if (images.back().isEmpty())
            return {};
    }

    QByteArray ico;
    appendLittleEndian16(ico, 0); // reserved
    appendLittleEndian16(ico, 1); // an icon, not a cursor
    appendLittleEndian16(ico, quint16(sizes.size()));
    quint32 offset = quint32(kDirectorySize + kEntrySize * sizes.size());
    for (int k = 0; k < sizes.size(); ++k) {
        // A width or height of 256 does not fit the byte and is written as 0.
        const char side = char(sizes[k] == 256 ? 0 : sizes[k]);
        ico.append(side).append(side);
        ico.append(char(0)).append(char(0)); // no palette, reserved
        appendLittleEndian16(ico, 1);        // colour planes
        appendLittleEndian16(ico, 32);       // bits per pixel
        appendLittleEndian32(ico, quint32(images[k].size()));
        appendLittleEndian32(ico, offset);
        offset += quint32(images[k].size());
    }
    for (const QByteArray& image : images)
        ico += image;
    return ico;
}

} // namespace veldor
