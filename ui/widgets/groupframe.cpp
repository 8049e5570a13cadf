#include "ui/widgets/groupframe.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

namespace veldor {
namespace {

constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;

// What painter.drawRect(r) draws with a one pixel cosmetic pen of `color`: r's outline, one
// pixel past its right and bottom edges. Where the painter maps pixels one to one it is filled
// as four strips: the pen's line drawing visits the outline pixel by pixel, which made the
// frames of a window cost more than all its lists. Scaled, the pen keeps its one device pixel.
void drawOutline(QPainter& painter, const QRect& r, const QColor& color)
{
    const QTransform& device = painter.deviceTransform();
    const bool oneToOne = device.type() <= QTransform::TxTranslate &&
                          device.dx() == qFloor(device.dx()) && device.dy() == qFloor(device.dy());
    if (!oneToOne || r.width() < 0 || r.height() < 0) {
        painter.setPen(color);
        painter.drawRect(r);
        return;
    }
    painter.fillRect(QRect(r.left(), r.top(), r.width() + 1, 1), color);
    painter.fillRect(QRect(r.left(), r.top() + r.height(), r.width() + 1, 1), color);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() + 1), color);
    painter.fillRect(QRect(r.left() + r.width(), r.top(), 1, r.height() + 1), color);
}

} // namespace

GroupFrame::GroupFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int captionHeight = font().pixelSize() > 0 ? font().pixelSize() : metrics.ascent();
    const QRect frame = rect().adjusted(0, captionHeight / 2, -1, -1);
    // An etched line: dark, with a light one inside and below it.
    drawOutline(painter, frame.adjusted(0, 0, -1, -1), palette().color(QPalette::Mid));
    drawOutline(painter, frame.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));

    const QString caption = title();
    if (caption.isEmpty())
        return;
    const int width = metrics.horizontalAdvance(caption) + 2 * kCaptionPadding;
    const QRect captionRect(kCaptionLeft, 0, width, captionHeight + 1);
    painter.fillRect(captionRect, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionRect, Qt::AlignCenter | Qt::TextDontClip, caption);
}

} // namespace veldor
