#pragma once

#include <QByteArray>
#include <QImage>

namespace veldor {

// A picture kept as the pixels the screen takes, so that showing it costs no decoding: a
// 16-byte head (the mark "VRP1", then width, height and QImage format as 32-bit numbers in the
// machine's byte order) and the rows, 4 bytes a pixel, without padding. The build makes these
// from the JPEG and PNG sources; they are only read on the machine they were made for.

// The ready-made form of `image`, in 32-bit RGB, or premultiplied ARGB where it has alpha.
QByteArray RawPictureBytes(const QImage& image);

// The picture in `bytes`, sharing their memory where it is 4-byte aligned (the bytes must then
// outlive the image), or a null image when the head and the size do not agree.
QImage RawPicture(const uchar* bytes, qint64 size);

} // namespace veldor
