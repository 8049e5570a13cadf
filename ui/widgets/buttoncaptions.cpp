#include "ui/widgets/buttoncaptions.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLine>
#include <QWidget>

#include <cmath>

namespace veldor {
namespace {

// Every mark a scenario can show, with room for those of the next scenarios opened.
constexpr int kCachedTexts = 256;

// Characters the style's text drawing handles on their own (mnemonics, tabs, line breaks, length
// variants) or that a single line handles differently at its ends (spaces).
bool isPlain(const QString& text)
{
    for (const QChar c : text)
        if (c == u'&' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\x9c' || c.isSpace() ||
            c == QChar::LineSeparator || c.isLowSurrogate() || c.isHighSurrogate())
            return false;
    return !text.isEmpty();
}

// The parts of a button's state that can move or recolour its caption.
int stateKey(const QStyleOptionButton& option)
{
    const QStyle::State moving =
        QStyle::State_Enabled | QStyle::State_On | QStyle::State_Sunken | QStyle::State_Active;
    return int(option.state & moving);
}

} // namespace

ButtonCaptions::ButtonCaptions() : lines_(kCachedTexts) {}

ButtonCaptions::~ButtonCaptions() = default;

bool ButtonCaptions::Draw(QPainter* painter, const QStyleOptionButton& option,
                          const QWidget* widget)
{
    if (widget == nullptr || !option.icon.isNull() ||
        (option.features & QStyleOptionButton::HasMenu) || !isPlain(option.text) ||
        painter->layoutDirection() == Qt::RightToLeft || option.direction == Qt::RightToLeft ||
        option.text.isRightToLeft() || painter->pen().style() == Qt::NoPen)
        return false;
    const Shape shape{painter->font(), widget->style()};
    if (!(shape == shape_)) {
        shape_ = shape;

        lines_.clear();
        verdicts_.clear();
    }
    QTextLayout* line = lineFor(option.text, shape_.font);
    if (line == nullptr)
        return false;
    const Kind kind{option.rect.size(), stateKey(option)};
    auto verdict = verdicts_.find(kind);
    if (verdict == verdicts_.end())
        verdict = verdicts_.insert(kind, sameAsStyle(option, widget, shape_.font, *line));
    if (!verdict.value())
        return false;
    drawCached(painter, option, *line);
    ++cachedDraws_;
    return true;
}

// Laid out as QPainter::drawText lays out a text in a rectangle: one line, as wide as it likes,
// at the top of the layout.
QTextLayout* ButtonCaptions::lineFor(const QString& text, const QFont& font)
{
    if (QTextLayout* found = lines_.object(text))
        return found;
    auto* layout = new QTextLayout(text, font);
    QTextOption textOption;
    textOption.setTextDirection(Qt::LeftToRight);
    textOption.setAlignment(Qt::AlignLeft);
    layout->setTextOption(textOption);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine first = layout->createLine();
    if (first.isValid()) {
        first.setLineWidth(0x01000000);
        first.setPosition(QPointF(0, 0));
    }
    const bool more = layout->createLine().isValid();
    layout->endLayout();
    if (!first.isValid() || more) {
        delete layout;
        return nullptr;
    }
    lines_.insert(text, layout);
    return layout;
}

// The label of a text-only button: the text centred in the button's rectangle in the button
// text's colour, clipped to the rectangle where it is larger.
void ButtonCaptions::drawCached(QPainter* painter, const QStyleOptionButton& option,
                                QTextLayout& layout) const
{
    const QTextLine line = layout.lineAt(0);
    const QRectF r(option.rect);
    const qreal height = line.ascent() + line.descent();
    const qreal width = line.naturalTextWidth();
    const qreal top = r.y() + (r.height() - height) / 2;
    const QRectF bounds(r.x() + (r.width() - width) / 2, top, width, height);
    painter->save();
    painter->setPen(QPen(option.palette.brush(QPalette::ButtonText), painter->pen().widthF()));
    if (!r.contains(bounds))
        painter->setClipRect(r, Qt::IntersectClip);
    line.draw(painter, QPointF(r.x() + (r.width() - line.horizontalAdvance()) / 2, top));
    painter->restore();
}

// The caption drawn by the style and from the cache on two like pictures of the button.
bool ButtonCaptions::sameAsStyle(const QStyleOptionButton& option, const QWidget* widget,
                                 const QFont& font, QTextLayout& line) const
{
    const qreal scale = widget->devicePixelRatioF();
    const QSize size = option.rect.united(QRect(QPoint(0, 0), widget->size())).size();
    QImage byStyle(QSize(std::ceil(size.width() * scale), std::ceil(size.height() * scale)),
                   QImage::Format_RGB32);
    byStyle.setDevicePixelRatio(scale);
    byStyle.fill(option.palette.color(QPalette::Button));
    QImage cached = byStyle;
    const auto paint = [&](QImage& image, bool fromCache) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setLayoutDirection(Qt::LeftToRight);
        if (fromCache)
            drawCached(&painter, option, line);
        else
            widget->style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, widget);
    };
    paint(byStyle, false);
    paint(cached, true);
    return byStyle == cached;
}

} // namespace veldor
