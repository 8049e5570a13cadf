#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace veldor {

// Decodes a baseline or progressive JPEG into an RGB image. A file libjpeg refuses gives a null
// image and the decoder's reason in `error`; the program is never ended by a bad picture.
QImage DecodeJpeg(const QByteArray& bytes, QString& error);

// The map built into the program, made for `scale` (1, or 2 for twice the size in each
// direction), or a null image (with the reason) when it is missing or broken, in which case
// the window keeps a plain background.
QImage MapPicture(QString& error, int scale = 1);

// The window icon built into the program; null when missing.
QImage IconPicture();

} // namespace veldor
