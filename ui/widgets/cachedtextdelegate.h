#pragma once

#include <QCache>
#include <QFont>
#include <QHash>
#include <QSize>
#include <QStyledItemDelegate>
#include <QTextLayout>

class QStyle;

namespace veldor {

// Paints an item exactly as QStyledItemDelegate does, but keeps each text's shaped line, so a
// row painted again (after a sort, a scroll or a repaint of the window) is not shaped again.
// Shaping is most of what painting a row of Chinese text costs.
//
// The cache is keyed by the text itself: a row whose text changed finds no entry and is
// shaped anew, so what is painted always follows the data. Everything else the shaped line
// depends on (font, row size, alignment, direction, style) is checked on every paint; any
// change empties the cache. Only texts that fit their item on one line take this path; elided,
// wrapped or broken texts, check boxes and icons are left to the style.
//
// The cached path repeats the order of the style's own item painting (background, text, focus
// frame). Before it is trusted for a kind of row (selected, focused, active...), one row of
// that kind is painted both ways off screen and compared; a style that paints differently
// keeps the plain path for that kind of row.
//
// In a list, a row painted on the screen's own pixel grid is also kept as the picture it
// paints, on the list's background: most of a row's cost is blending its glyphs, and a row
// painted again unchanged (a repaint of the window, a scroll back, a sort) is then copied.
// Pictures are held for all lists together up to a fixed size, the most recent kept.
class CachedTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CachedTextDelegate(QObject* parent = nullptr);
    ~CachedTextDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // For tests: how many rows were painted from the cache, and the number of shaped texts
    // held.
    int cachedPaints() const { return cachedPaints_; }
    int cachedTexts() const { return lines_.size(); }
    // How many of those rows were copied from a kept picture.
    int picturePaints() const { return picturePaints_; }

private:
    // What every cached line was shaped for; a change empties the cache.
    struct Shape
    {
        QFont font;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        Qt::TextElideMode elideMode = Qt::ElideRight;
        const QStyle* style = nullptr;
        bool operator==(const Shape& other) const;
    };
    // One text in one item size and alignment (the columns of a table differ in both).
    struct Key
    {
        QString text;
        QSize itemSize;
        int alignment = 0;
        bool operator==(const Key& other) const;
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.itemSize.width(), key.itemSize.height(),
                              key.alignment);
        }
    };
    // What places the text area in an item whose text has the item's whole width.
    struct AreaKey
    {
        QSize itemSize;
        int features = 0;
        int decorationPosition = 0;
        int alignment = 0;
        bool operator==(const AreaKey& other) const;
        friend size_t qHash(const AreaKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.itemSize.width(), key.itemSize.height(), key.features,
                              key.decorationPosition, key.alignment);
        }
    };
    struct Line
    {
        Line(const QString& text, const QFont& font) : layout(text, font) {}
        QTextLayout layout;
        // Where the style would start painting it, from the top left of the item.
        QPointF at;
        // Elided or broken into lines: the style paints it.
        bool plain = false;
    };

    // Draws `option` (text and state filled in) with the cached line, or returns false.
    bool paintCached(QPainter* painter, const QStyleOptionViewItem& option) const;
    void drawCached(QPainter* painter, const QStyleOptionViewItem& option, const Line& line) const;
    const Line* lineFor(const QStyleOptionViewItem& option) const;
    // Where the style puts the item's text, less the margins it keeps inside that.
    QRect textArea(const QStyleOptionViewItem& option) const;
    // Whether the cached path paints rows in `option`'s state as the style does.
    bool trusted(QPainter* painter, const QStyleOptionViewItem& option, const Line& line) const;
    // Paints the row from its kept picture (made now if needed), or returns false where a
    // picture would not show the same pixels.
    bool paintPicture(QPainter* painter, const QStyleOptionViewItem& option,
                      const Line& line) const;

    mutable Shape shape_;
    // Tells this delegate's pictures in the shared store from others' and from those of a
    // shape it no longer paints; never reused.
    mutable quint64 shapeId_;
    mutable QCache<Key, Line> lines_;
    // Text areas relative to the item, where they do not depend on the text.
    mutable QHash<AreaKey, QRect> areas_;
    mutable QHash<int, bool> trustedStates_;
    mutable int cachedPaints_ = 0;
    mutable int picturePaints_ = 0;
};

} // namespace veldor
