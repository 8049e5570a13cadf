#pragma once

#include <QCache>
#include <QFont>
#include <QSet>
#include <QSize>
#include <QString>
#include <QTextLayout>

class QPainter;
class QStyle;
class QStyleOptionButton;
class QWidget;

namespace veldor {

// Draws push-button captions exactly as the style's CE_PushButtonLabel does, but shapes each
// distinct text only once. The map's fifty marks hold few distinct characters (all fifty are
// "空" before a scenario is open), and shaping each anew was most of what painting them cost.
//
// Only plain captions take this path: text alone (no icon, menu or mnemonic), one line, left
// to right. Before a kind of caption (style, font, size, state) is drawn from the cache, one is
// drawn both ways off screen and compared; a style that draws differently keeps its own path.
class ButtonCaptions
{
public:
    ButtonCaptions();
    ~ButtonCaptions();
    ButtonCaptions(const ButtonCaptions&) = delete;
    ButtonCaptions& operator=(const ButtonCaptions&) = delete;

    // Draws `option`'s label on `painter` (set up for `widget` as QStylePainter sets it up);
    // false, having drawn nothing, where the style must draw it.
    bool Draw(QPainter* painter, const QStyleOptionButton& option, const QWidget* widget);

    // For tests: captions drawn from the cache, and the distinct texts shaped.
    int CachedDraws() const { return cachedDraws_; }
    int ShapedTexts() const { return lines_.size(); }

private:
    // What every shaped line and every verdict holds for; a change empties both.
    struct Shape
    {
        QFont font;
        const QStyle* style = nullptr;
        bool operator==(const Shape& other) const
        {
            return style == other.style && font == other.font;
        }
    };
    // A kind of caption whose cached drawing was compared with the style's.
    struct Kind
    {
        QSize size;
        int state = 0;
        bool operator==(const Kind& other) const
        {
            return size == other.size && state == other.state;
        }
        friend size_t qHash(const Kind& kind, size_t seed = 0)
        {
            return qHashMulti(seed, kind.size.width(), kind.size.height(), kind.state);
        }
    };

    QTextLayout* lineFor(const QString& text, const QFont& font);
    void drawCached(QPainter* painter, const QStyleOptionButton& option, QTextLayout& line) const;
    bool sameAsStyle(const QStyleOptionButton& option, const QWidget* widget, const QFont& font,
                     QTextLayout& line) const;

    Shape shape_;
    QCache<QString, QTextLayout> lines_;
    QHash<Kind, bool> verdicts_;
    int cachedDraws_ = 0;
};

} // namespace veldor
