#pragma once

#include "ui/widgets/jpegdecode.h"

#include <QImage>
#include <QString>

namespace veldor {

// The map built into the program, made for `scale` (1, or 2 for twice the size in each
// direction), or a null image (with the reason) when it is missing or broken, in which case
// the window keeps a plain background.
QImage MapPicture(QString& error, int scale = 1);

// The window icon built into the program; null when missing. The map at scale 1 and the icon
// are built in as ready-made pixels, shared with the program's memory rather than decoded.
QImage IconPicture();

} // namespace veldor
