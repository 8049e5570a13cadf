#include "ui/widgets/cachedtextdelegate.h"

#include "ui/widgets/pixelgrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QStyle>
#include <QTextLine>
#include <QWidget>

#include <memory>

namespace veldor {
namespace {

// Enough for every row of the largest list and the distinct cell texts of a table's screen.
constexpr int kCachedLines = 4000;
// Beside the alignment flags in a cache key: the item wraps words (table cells do).
constexpr int kWraps = 1 << 16;
// The rows' pictures of all lists together, in KB: the rows of a few screens of every list
// of the largest window.
constexpr int kPictureKBytes = 6 * 1024;

quint64 newShapeId()
{
    static quint64 last = 0;
    return ++last;
}

// One row's picture: what was painted, in which state, colours and shape, on what.
struct PictureKey
{
    QString text;
    QSize size;
    int alignment = 0;
    int state = 0;
    qint64 palette = 0;
    QRgb background = 0;
    quint64 shape = 0;
    bool operator==(const PictureKey& o) const
    {
        return shape == o.shape && state == o.state && size == o.size && alignment == o.alignment &&
               palette == o.palette && background == o.background && text == o.text;
    }
    friend size_t qHash(const PictureKey& key, size_t seed = 0)
    {
        return qHashMulti(seed, key.text, key.size.width(), key.size.height(), key.state,
                          key.palette, key.background, key.shape);
    }
};

QCache<PictureKey, QImage>& pictures()
{
    static QCache<PictureKey, QImage> store(kPictureKBytes);
    return store;
}

// The colour a list fills under its rows, where it fills them with one opaque colour.
bool listBackground(const QStyleOptionViewItem& option, QRgb& colour)
{
    const auto* list = qobject_cast<const QListView*>(option.widget);
    if (!list)
        return false;
    const QWidget* viewport = list->viewport();
    if (!viewport->autoFillBackground())
        return false;
    const QBrush& brush = viewport->palette().brush(viewport->backgroundRole());
    if (brush.style() != Qt::SolidPattern || !brush.isOpaque())
        return false;
    colour = brush.color().rgba();
    return true;
}

const QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
}

// The parts of an item's state and look that can change how the style paints it.
int stateKey(const QStyleOptionViewItem& option)
{
    const QStyle::State painted = QStyle::State_Selected | QStyle::State_HasFocus |
                                  QStyle::State_Active | QStyle::State_Enabled |
                                  QStyle::State_MouseOver;
    int key = int(option.state & painted);
    if (option.features & QStyleOptionViewItem::Alternate)
        key |= 1 << 30;
    if (option.backgroundBrush.style() != Qt::NoBrush)
        key |= 1 << 29;
    return key;
}

bool breaksLine(const QString& text)
{
    return text.contains(u'\n') || text.contains(QChar::LineSeparator);
}

} // namespace

bool CachedTextDelegate::Shape::operator==(const Shape& other) const
{
    return direction == other.direction && elideMode == other.elideMode && style == other.style &&
           font == other.font;
}

bool CachedTextDelegate::AreaKey::operator==(const AreaKey& other) const
{
    return itemSize == other.itemSize && features == other.features &&
           decorationPosition == other.decorationPosition && alignment == other.alignment;
}

bool CachedTextDelegate::Key::operator==(const Key& other) const
{
    return itemSize == other.itemSize && alignment == other.alignment && text == other.text;
}

CachedTextDelegate::CachedTextDelegate(QObject* parent)
    : QStyledItemDelegate(parent), shapeId_(newShapeId()), lines_(kCachedLines)
{
}

CachedTextDelegate::~CachedTextDelegate() = default;

// What QStyledItemDelegate::paint does, with the text drawn from the cache where it can be.
void CachedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    if (!paintCached(painter, item))
        styleOf(item)->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
}

bool CachedTextDelegate::paintCached(QPainter* painter, const QStyleOptionViewItem& option) const
{
    const auto extras =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    if (option.text.isEmpty() || (option.features & extras) ||
        (option.state & QStyle::State_Editing) || breaksLine(option.text))
        return false;
    const Line* line = lineFor(option);
    if (!line || line->plain || !trusted(painter, option, *line))
        return false;
    if (!paintPicture(painter, option, *line))
        drawCached(painter, option, *line);
    ++cachedPaints_;
    return true;
}

bool CachedTextDelegate::paintPicture(QPainter* painter, const QStyleOptionViewItem& option,
                                      const Line& line) const
{
    // The focus frame is drawn smoothed, and its smoothed edge at a picture's border comes out
    // a shade apart from the same edge drawn in place; the one focus row is painted directly.
    QRgb background = 0;
    if ((option.state & QStyle::State_HasFocus) || option.backgroundBrush.style() != Qt::NoBrush ||
        !OnPixelGrid(painter) || !listBackground(option, background) || option.rect.isEmpty())
        return false;
    PictureKey key{option.text,      option.rect.size(),        int(option.displayAlignment),
                   stateKey(option), option.palette.cacheKey(), background,
                   shapeId_};
    QImage* picture = pictures().object(key);
    if (!picture) {
        auto made = std::make_unique<QImage>(option.rect.size(), QImage::Format_RGB32);
        made->fill(background);
        QStyleOptionViewItem atOrigin = option;
        atOrigin.rect.moveTopLeft(QPoint(0, 0));
        {
            QPainter onPicture(made.get());
            drawCached(&onPicture, atOrigin, line);
        }
        picture = made.get();
        const int kbytes = int(made->sizeInBytes() / 1024) + 1;
        if (!pictures().insert(key, made.release(), kbytes))
            return false; // larger than the whole store: painted directly
    }
    painter->drawImage(option.rect.topLeft(), *picture);
    ++picturePaints_;
    return true;
}

const CachedTextDelegate::Line*
CachedTextDelegate::lineFor(const QStyleOptionViewItem& option) const
{
    const Shape shape{option.font, option.direction, option.textElideMode, styleOf(option)};
    if (!(shape == shape_)) {
        shape_ = shape;
        shapeId_ = newShapeId();
        lines_.clear();
        areas_.clear();
        trustedStates_.clear();
    }
    const bool wraps = option.features & QStyleOptionViewItem::WrapText;
    Key key{option.text, option.rect.size(), int(option.displayAlignment) | (wraps ? kWraps : 0)};
    if (Line* found = lines_.object(key))
        return found;

    // Laid out as the style lays out an item's text: lines as wide as the text area, placed by
    // the alignment of their bounding box. A text that takes more than one line is the style's.
    const QRect area = textArea(option);
    auto line = std::make_unique<Line>(option.text, option.font);
    QTextOption textOption;
    textOption.setWrapMode(wraps ? QTextOption::WordWrap : QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(QStyle::visualAlignment(option.direction, option.displayAlignment));
    line->layout.setTextOption(textOption);
    // Otherwise the layout lets go of its glyphs after every draw and shapes the text again
    // for the next one.
    line->layout.setCacheEnabled(true);
    line->layout.beginLayout();
    QTextLine first = line->layout.createLine();
    if (first.isValid()) {
        first.setLineWidth(area.width());
        first.setPosition(QPointF(0, 0));
    }
    const bool more = line->layout.createLine().isValid();
    line->layout.endLayout();
    line->plain = !first.isValid() || more || first.naturalTextWidth() > area.width();
    const QRect aligned = QStyle::alignedRect(Qt::LayoutDirectionAuto, option.displayAlignment,
                                              line->layout.boundingRect().size().toSize(), area);
    line->at = QPointF(area.x(), aligned.top()) - option.rect.topLeft();
    Line* kept = line.get();
    lines_.insert(key, line.release());
    return kept;
}

QRect CachedTextDelegate::textArea(const QStyleOptionViewItem& option) const
{
    // The style measures the text to find its area. Where the whole item shows as selected
    // (tables) the text is given the item's whole width whatever its length, so there the area
    // is kept for each size and layout of item; elsewhere it is the text's own size.
    const bool ownSize = !option.showDecorationSelected;
    const AreaKey key{option.rect.size(), int(option.features), int(option.decorationPosition),
                      int(option.displayAlignment)};
    if (!ownSize) {
        const auto known = areas_.constFind(key);
        if (known != areas_.cend())
            return known->translated(option.rect.topLeft());
    }
    const QStyle* style = styleOf(option);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget)
                           .adjusted(margin, 0, -margin, 0);
    if (!ownSize)
        areas_.insert(key, area.translated(-option.rect.topLeft()));
    return area;
}

// The style's item painting in its order: background (the style's item panel, from a copy
// without text and focus), the text in the style's pen, the focus frame.
void CachedTextDelegate::drawCached(QPainter* painter, const QStyleOptionViewItem& option,
                                    const Line& line) const
{
    const QStyle* style = styleOf(option);
    QStyleOptionViewItem bare = option;
    bare.text.clear();
    bare.state &= ~QStyle::State_HasFocus;

    painter->save();
    painter->setClipRect(option.rect);
    // What the style's item painting draws of an item without text, icon, check or focus,
    // under the same clip; the whole item painting measures the absent text and icon first.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &bare, painter, option.widget);
    const QPalette::ColorGroup group = colorGroup(option);
    painter->setPen(option.palette.color(
        group, option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    line.layout.draw(painter, option.rect.topLeft() + line.at);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect =
            style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &option, option.widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        const QPalette::ColorGroup frameGroup =
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        focus.backgroundColor = option.palette.color(
            frameGroup,
            option.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
    painter->restore();
}

bool CachedTextDelegate::trusted(QPainter* painter, const QStyleOptionViewItem& option,
                                 const Line& line) const
{
    const int key = stateKey(option);
    const auto known = trustedStates_.constFind(key);
    if (known != trustedStates_.cend())
        return *known;

    // Painted both ways on a background of the list's own colour, at the screen's scale.
    QStyleOptionViewItem atOrigin = option;
    atOrigin.rect.moveTopLeft(QPoint(0, 0));
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (QSizeF(option.rect.size()) * scale).toSize();
    QImage byStyle(pixels, QImage::Format_ARGB32_Premultiplied);
    byStyle.setDevicePixelRatio(scale);
    byStyle.fill(option.palette.color(QPalette::Base));
    QImage byCache = byStyle;
    {
        QPainter onStyle(&byStyle);
        styleOf(option)->drawControl(QStyle::CE_ItemViewItem, &atOrigin, &onStyle, option.widget);
    }
    {
        QPainter onCache(&byCache);
        drawCached(&onCache, atOrigin, line);
    }
    const bool same = byStyle == byCache;
    trustedStates_.insert(key, same);
    return same;
}

} // namespace veldor
