#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace veldor {

// The sizes Windows picks from for the program's icon: the small ones for title bars and lists,
// 256 for large Explorer views.
const QList<int>& IcoFileSizes();

// An .ico file of `picture` at each of `sizes` (1..256 pixels square), every entry a PNG as
// Windows Vista and later read them. A picture that is not square is centred on a clear
// square first. Empty when the picture is null, a size is out of range or Qt cannot write PNG.
QByteArray MakeIcoFile(const QImage& picture, const QList<int>& sizes = IcoFileSizes());

} // namespace veldor
