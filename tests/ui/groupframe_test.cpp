#include "ui/widgets/groupframe.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace veldor {
namespace {

QImage rendered(QWidget& widget, qreal scale)
{
    QImage image((QSizeF(widget.size()) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(widget.palette().color(QPalette::Window));
    widget.render(&image);
    return image;
}

// The etched line is filled where pixels map one to one; it must cover exactly the pixels the
// one pixel pen draws, and a scaled painter keeps the pen's one device pixel.
TEST(GroupFrame, OutlineCoversExactlyThePensPixels)
{
    GroupFrame frame{QString()};
    frame.resize(97, 61);
    const QColor dark = frame.palette().color(QPalette::Mid);
    // Where the frame's top line lies: the first dark pixel down its middle.
    const QImage atOne = rendered(frame, 1);
    int top = 0;
    while (top < atOne.height() && atOne.pixel(48, top) != dark.rgb())
        ++top;
    ASSERT_LT(top, atOne.height() / 2);
    for (const qreal scale : {1.0, 2.0}) {
        const QImage painted = rendered(frame, scale);
        QImage byPen(painted.size(), QImage::Format_RGB32);
        byPen.setDevicePixelRatio(scale);
        byPen.fill(frame.palette().color(QPalette::Window));
        {
            QPainter painter(&byPen);
            const QRect outline(0, top, 97 - 1, 61 - 1 - top);
            painter.setPen(dark);
            painter.drawRect(outline.adjusted(0, 0, -1, -1));
            painter.setPen(frame.palette().color(QPalette::Light));
            painter.drawRect(outline.adjusted(1, 1, 0, 0));
        }
        EXPECT_EQ(painted, byPen) << scale;
    }
}

} // namespace
} // namespace veldor
