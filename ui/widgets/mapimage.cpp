#include "ui/widgets/mapimage.h"

#include "ui/widgets/mappicture.h"

#include <QPainter>

namespace veldor {

int MapPictureScale(qreal devicePixelRatio)
{
    return devicePixelRatio > 1 ? 2 : 1;
}

MapImage::MapImage(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MapImage::setPicture(const QImage& picture, int scale)
{
    scale_ = scale;
    if (picture.isNull())
        return;
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(scale);
    setPixmap(pixmap);
}

void MapImage::paintEvent(QPaintEvent*)
{
    // Only a move to a screen of another kind gets here with a different scale; the picture
    // for the screen the window opens on is decoded at start-up.
    const int wanted = MapPictureScale(devicePixelRatioF());
    if (scale_ != 0 && wanted != scale_) {
        QString error;
        const QImage picture = MapPicture(error, wanted);
        if (picture.isNull())
            qWarning("%s", qPrintable(error));
        setPicture(picture, wanted);
    }
    // A fractional ratio (1.25, 1.5) draws the double-size picture scaled down; smoothly, so
    // the coast lines stay whole.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, pixmap());
}

} // namespace veldor
