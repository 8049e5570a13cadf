#include "ui/widgets/groupframe.h"

#include <QFontMetrics>
#include <QPainter>

namespace veldor {
namespace {

constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;

} // namespace

GroupFrame::GroupFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int captionHeight = font().pixelSize() > 0 ? font().pixelSize() : metrics.ascent();
    const QRect frame = rect().adjusted(0, captionHeight / 2, -1, -1);
    // An etched line: dark, with a light one inside and below it.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));

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
