#include "ui/widgets/scrollbarpictures.h"

#include "ui/widgets/pixelgrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <memory>

namespace veldor {
namespace {

// Enough for every scroll bar of every window at once (a tall one is about 25 KB).
constexpr int kPictureKBytes = 2048;

// A colour no style paints a scroll bar with: where the two drawings of the trust check leave
// their ground uncovered, it shows through both alike.
constexpr QRgb kGround = 0xFFFF00FF;

// The base colour of the list a scroll bar belongs to: Fusion paints the groove with it.
QRgb areaBaseOf(const QWidget* widget)
{
    for (const QWidget* up = widget; up; up = up->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(up))
            return up->palette().color(QPalette::Base).rgba();
    return 0;
}

// The parts of a scroll bar's option that choose how the style draws it, apart from sizes
// and positions: one trust check stands for all scroll bars alike in these.
int kindOf(const QStyleOptionSlider& option)
{
    const QStyle::State drawn = QStyle::State_Enabled | QStyle::State_Active |
                                QStyle::State_Sunken | QStyle::State_MouseOver |
                                QStyle::State_HasFocus | QStyle::State_Horizontal;
    return int(option.state & drawn) ^ (int(option.activeSubControls) << 20) ^
           (option.orientation == Qt::Horizontal ? 1 << 30 : 0);
}

// The painter a picture is drawn with starts as the widget's own did.
void startAs(QPainter& picture, const QPainter& original)
{
    picture.setPen(original.pen());
    picture.setBrush(original.brush());
    picture.setFont(original.font());
    picture.setRenderHints(original.renderHints());
}

} // namespace

bool ScrollBarPictures::Key::operator==(const Key& other) const
{
    return size == other.size && orientation == other.orientation && minimum == other.minimum &&
           maximum == other.maximum && sliderPosition == other.sliderPosition &&
           sliderValue == other.sliderValue && singleStep == other.singleStep &&
           pageStep == other.pageStep && upsideDown == other.upsideDown && state == other.state &&
           subControls == other.subControls && activeSubControls == other.activeSubControls &&
           direction == other.direction && palette == other.palette && areaBase == other.areaBase;
}

ScrollBarPictures::ScrollBarPictures(const QString& styleName)
    : ScrollBarPictures(QStyleFactory::create(styleName))
{
}

ScrollBarPictures::ScrollBarPictures(QStyle* base) : QProxyStyle(base), pictures_(kPictureKBytes) {}

ScrollBarPictures::~ScrollBarPictures() = default;

void ScrollBarPictures::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const
{
    if (control == CC_ScrollBar) {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (slider && drawPicture(*slider, painter, widget))
            return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

bool ScrollBarPictures::drawPicture(const QStyleOptionSlider& option, QPainter* painter,
                                    const QWidget* widget) const
{
    // A transient scroll bar fades by a clock the option does not carry. Fusion draws the
    // slider's edge a pixel past the option's rectangle; a picture holds only the rectangle,
    // so it stands in only for a bar that fills its widget, whose painting is clipped there.
    if (!OnPixelGrid(painter) || option.rect.isEmpty() || !widget ||
        option.rect != widget->rect() || styleHint(SH_ScrollBar_Transient, &option, widget) ||
        !trusted(option, widget, *painter))
        return false;
    const Key key{option.rect.size(),    int(option.orientation),   option.minimum,
                  option.maximum,        option.sliderPosition,     option.sliderValue,
                  option.singleStep,     option.pageStep,           option.upsideDown,
                  int(option.state),     int(option.subControls),   int(option.activeSubControls),
                  int(option.direction), option.palette.cacheKey(), areaBaseOf(widget)};
    QImage* picture = pictures_.object(key);
    if (!picture) {
        auto made = std::make_unique<QImage>(drawnByStyle(option, widget, 0, *painter));
        // Most scroll bars cover every pixel: copied as opaque rows, not blended.
        bool opaque = true;
        for (int y = 0; y < made->height() && opaque; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(made->constScanLine(y));
            for (int x = 0; x < made->width() && opaque; ++x)
                opaque = qAlpha(row[x]) == 0xFF;
        }
        if (opaque)
            made->convertTo(QImage::Format_RGB32);
        picture = made.get();
        if (!pictures_.insert(key, made.release(), int(picture->sizeInBytes() / 1024) + 1))
            return false; // larger than the whole store: drawn by the style
    }
    painter->drawImage(option.rect.topLeft(), *picture);
    ++picturePaints_;
    return true;
}

QImage ScrollBarPictures::drawnByStyle(const QStyleOptionSlider& option, const QWidget* widget,
                                       QRgb ground, const QPainter& original) const
{
    QStyleOptionSlider atOrigin = option;
    atOrigin.rect.moveTopLeft(QPoint(0, 0));
    QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    QPainter onImage(&image);
    startAs(onImage, original);
    QProxyStyle::drawComplexControl(CC_ScrollBar, &atOrigin, &onImage, widget);
    return image;
}

bool ScrollBarPictures::trusted(const QStyleOptionSlider& option, const QWidget* widget,
                                const QPainter& original) const
{
    const int kind = kindOf(option);
    const auto known = trustedKinds_.constFind(kind);
    if (known != trustedKinds_.cend())
        return *known;
    // Drawn on the ground directly, and drawn on nothing and then laid on the ground.
    const QImage direct = drawnByStyle(option, widget, kGround, original);
    QImage laid(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    laid.fill(kGround);
    {
        QPainter onLaid(&laid);
        onLaid.drawImage(0, 0, drawnByStyle(option, widget, 0, original));
    }
    const bool same = direct == laid;
    trustedKinds_.insert(kind, same);
    return same;
}

void UseScrollBarPictures(QAbstractScrollArea* area)
{
    const QString styleName = QApplication::style()->name();
    if (styleName.compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    // One for the whole program, so that all lists share their pictures; it lives as long as
    // the application and is made again for a new one.
    static QPointer<ScrollBarPictures> shared;
    if (!shared) {
        shared = new ScrollBarPictures(styleName);
        shared->setParent(qApp);
    }
    area->verticalScrollBar()->setStyle(shared);
    area->horizontalScrollBar()->setStyle(shared);
}

} // namespace veldor
