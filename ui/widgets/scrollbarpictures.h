#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QProxyStyle>
#include <QRgb>
#include <QSize>

class QAbstractScrollArea;
class QStyleOptionSlider;

namespace veldor {

// Draws scroll bars as the application's style does, but keeps each one as the picture it
// paints, and copies the picture when the same scroll bar is painted again.
//
// Qt 6.4's raster painting hands every fill of more than about a hundred rows to the global
// thread pool and waits for it. A scroll bar is a tall gradient and a few tall lines, so
// painting one costs a dozen thread hand-overs, which on a small machine took more than half
// of the time a window of lists needs to paint. A copied picture is a plain copy of rows.
//
// A picture is keyed by everything the scroll bar tells the style in its option (size,
// range, position, pressed and hovered parts, state, palette) and by the base colour of the
// list around it, which Fusion uses for the groove: whatever changes the drawing finds no
// picture and is drawn anew. Before pictures are used for a kind of scroll bar (orientation
// and state), one of that kind is drawn both ways off screen and compared; a kind that comes
// out different is always drawn by the style. Painters that scale, turn, fade or blend
// otherwise than plain over are left to the style too.
//
// Only Fusion, the style of the Linux build, is known to draw a scroll bar from its option
// alone; other styles (Windows' animates its scroll bars) keep their own drawing.
class ScrollBarPictures : public QProxyStyle
{
    Q_OBJECT
public:
    // Draws over a new instance of the style named `styleName`.
    explicit ScrollBarPictures(const QString& styleName);
    // Draws over `base`, which it takes.
    explicit ScrollBarPictures(QStyle* base);
    ~ScrollBarPictures() override;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // For tests: how many scroll bars were copied from a picture, and pictures held.
    int picturePaints() const { return picturePaints_; }
    int pictureCount() const { return pictures_.count(); }

private:
    struct Key
    {
        QSize size;
        int orientation = 0;
        int minimum = 0;
        int maximum = 0;
        int sliderPosition = 0;
        int sliderValue = 0;
        int singleStep = 0;
        int pageStep = 0;
        bool upsideDown = false;
        int state = 0;
        int subControls = 0;
        int activeSubControls = 0;
        int direction = 0;
        qint64 palette = 0;
        QRgb areaBase = 0;
        bool operator==(const Key& other) const;
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.size.width(), key.size.height(), key.orientation,
                              key.minimum, key.maximum, key.sliderPosition, key.sliderValue,
                              key.pageStep, key.state, key.activeSubControls, key.palette,
                              key.areaBase);
        }
    };

    bool drawPicture(const QStyleOptionSlider& option, QPainter* painter,
                     const QWidget* widget) const;
    // Drawn by the style on `ground`, with a painter that starts as `original`.
    QImage drawnByStyle(const QStyleOptionSlider& option, const QWidget* widget, QRgb ground,
                        const QPainter& original) const;
    bool trusted(const QStyleOptionSlider& option, const QWidget* widget,
                 const QPainter& original) const;

    mutable QCache<Key, QImage> pictures_;
    // Per kind of scroll bar: whether its picture comes out as the style draws it.
    mutable QHash<int, bool> trustedKinds_;
    mutable int picturePaints_ = 0;
};

// Gives the area's scroll bars the shared ScrollBarPictures when the application's style is
// one it knows; otherwise leaves them to the application's style.
void UseScrollBarPictures(QAbstractScrollArea* area);

} // namespace veldor
