#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace veldor {

// Decodes a baseline or progressive JPEG into an RGB image. A file libjpeg refuses gives a null
// image and the decoder's reason in `error`; the program is never ended by a bad picture.
QImage DecodeJpeg(const QByteArray& bytes, QString& error);

} // namespace veldor
