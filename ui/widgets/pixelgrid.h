#pragma once

#include <QPainter>
#include <QTransform>
#include <QtMath>

namespace veldor {

// Whether the painter puts each pixel of a picture on one pixel of its device, opaque, as
// drawing there directly would: only then may a kept picture stand in for a drawing.
inline bool OnPixelGrid(const QPainter* painter)
{
    const QTransform& device = painter->deviceTransform();
    return device.type() <= QTransform::TxTranslate && device.dx() == qRound(device.dx()) &&
           device.dy() == qRound(device.dy()) && painter->opacity() == 1.0 &&
           painter->compositionMode() == QPainter::CompositionMode_SourceOver;
}

} // namespace veldor
