#include "listinput.h"

#include "ui/widgets/listbox.h"
#include "ui/widgets/scrollbarpictures.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using veldor::ListBox;
using veldor::ScrollBarPictures;
namespace test = veldor::test;

namespace {

// A scroll bar's option drawn by a style for a scroll bar of its size, on a window-coloured
// image and clipped to the bar as a widget's painting is.
QImage drawn(const QStyle& style, const QStyleOptionSlider& option)
{
    QScrollBar bar(option.orientation);
    bar.resize(option.rect.size());
    QImage image(option.rect.size() + QSize(6, 6), QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter painter(&image);
    painter.translate(3, 3);
    QStyleOptionSlider placed = option;
    placed.rect.moveTopLeft(QPoint(0, 0));
    painter.setClipRect(placed.rect);
    style.drawComplexControl(QStyle::CC_ScrollBar, &placed, &painter, &bar);
    return image;
}

QStyleOptionSlider verticalBar()
{
    QStyleOptionSlider option;
    option.rect = QRect(0, 0, 16, 240);
    option.orientation = Qt::Vertical;
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    option.subControls = QStyle::SC_All;
    option.minimum = 0;
    option.maximum = 700;
    option.pageStep = 100;
    option.singleStep = 1;
    option.sliderPosition = option.sliderValue = 120;
    option.palette = QApplication::palette();
    return option;
}

struct Pictures : testing::Test
{
    std::unique_ptr<QStyle> fusion{QStyleFactory::create(QStringLiteral("fusion"))};
    ScrollBarPictures pictures{QStringLiteral("fusion")};
};

// Every part of the option that changes the drawing finds a new picture: drawn after the
// unchanged bar, the changed one is what the style draws of it.
TEST_F(Pictures, EveryChangeOfTheOptionIsDrawnAnew)
{
    const std::vector<std::function<void(QStyleOptionSlider&)>> changes = {
        [](QStyleOptionSlider& o) { o.sliderPosition = o.sliderValue = 600; },
        // Dragged without tracking: the slider is drawn where it is held.
        [](QStyleOptionSlider& o) { o.sliderPosition = 400; },
        [](QStyleOptionSlider& o) { o.maximum = 4000; },
        [](QStyleOptionSlider& o) { o.minimum = 100; },
        [](QStyleOptionSlider& o) { o.pageStep = 600; },
        [](QStyleOptionSlider& o) { o.upsideDown = true; },
        [](QStyleOptionSlider& o) { o.rect.setHeight(300); },
        [](QStyleOptionSlider& o) { o.state &= ~QStyle::State_Enabled; },
        [](QStyleOptionSlider& o) { o.state |= QStyle::State_Sunken; },
        [](QStyleOptionSlider& o) {
            o.state |= QStyle::State_Sunken;
            o.activeSubControls = QStyle::SC_ScrollBarSlider;
        },
        [](QStyleOptionSlider& o) { o.activeSubControls = QStyle::SC_ScrollBarAddLine; },
        [](QStyleOptionSlider& o) { o.subControls = QStyle::SC_ScrollBarGroove; },
        [](QStyleOptionSlider& o) { o.palette.setColor(QPalette::Button, QColor(90, 140, 90)); },
        [](QStyleOptionSlider& o) {
            o.orientation = Qt::Horizontal;
            o.state |= QStyle::State_Horizontal;
            o.rect = QRect(0, 0, 240, 16);
        },
        [](QStyleOptionSlider& o) {
            o.orientation = Qt::Horizontal;
            o.state |= QStyle::State_Horizontal;
            o.rect = QRect(0, 0, 240, 16);
            o.direction = Qt::RightToLeft;
        },
    };
    const QImage plain = drawn(pictures, verticalBar());
    ASSERT_EQ(test::PixelDifference(plain, drawn(*fusion, verticalBar())), 0);
    for (size_t i = 0; i < changes.size(); ++i) {
        QStyleOptionSlider changed = verticalBar();
        changes[i](changed);
        drawn(pictures, verticalBar());
        EXPECT_EQ(test::PixelDifference(drawn(pictures, changed), drawn(*fusion, changed)), 0)
            << "change " << i;
    }
    // The same bar drawn again is copied.
    const int before = pictures.picturePaints();
    drawn(pictures, verticalBar());
    EXPECT_EQ(pictures.picturePaints(), before + 1);
}

// A painter that scales, fades or blends otherwise puts no picture's pixel on one pixel of its
// device: the style draws.
TEST_F(Pictures, PaintersOffTheGridAreLeftToTheStyle)
{
    const QStyleOptionSlider option = verticalBar();
    QScrollBar bar;
    bar.resize(option.rect.size());
    const auto drawnWith = [&](const QStyle& style, const std::function<void(QPainter&)>& set) {
        QImage image(QSize(40, 500), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        set(painter);
        style.drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
        return image;
    };
    drawnWith(pictures, [](QPainter&) {});
    const int onTheGrid = pictures.picturePaints();
    drawnWith(pictures, [](QPainter& p) { p.translate(2, 3); });
    ASSERT_EQ(pictures.picturePaints(), onTheGrid + 1);
    const std::vector<std::function<void(QPainter&)>> painters = {
        [](QPainter& p) { p.scale(1.5, 1.5); },
        [](QPainter& p) { p.translate(0.5, 0); },
        [](QPainter& p) { p.setOpacity(0.5); },
        [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); },
    };
    for (size_t i = 0; i < painters.size(); ++i) {
        const int before = pictures.picturePaints();
        EXPECT_EQ(test::PixelDifference(drawnWith(pictures, painters[i]),
                                        drawnWith(*fusion, painters[i])),
                  0)
            << "painter " << i;
        EXPECT_EQ(pictures.picturePaints(), before) << "painter " << i;
    }
}

// A bar drawn in part of its widget: the style's drawing past the bar's rectangle shows.
TEST_F(Pictures, BarSmallerThanItsWidgetIsLeftToTheStyle)
{
    const QStyleOptionSlider option = verticalBar();
    QScrollBar bar;
    bar.resize(option.rect.size() + QSize(4, 0));
    const auto drawnOn = [&](const QStyle& style) {
        QImage image(bar.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        style.drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
        return image;
    };
    EXPECT_EQ(test::PixelDifference(drawnOn(pictures), drawnOn(*fusion)), 0);
    EXPECT_EQ(pictures.picturePaints(), 0);
}

// Draws only the upper half of a scroll bar: the rest of its picture is clear, and must let
// the ground show as drawing in place does.
class HalfStyle : public QProxyStyle
{
public:
    HalfStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("fusion"))) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        painter->save();
        const QRect& all = option->rect;
        painter->setClipRect(all.x(), all.y(), all.width(), all.height() / 2);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        painter->restore();
    }
};

TEST(ScrollBarPictureClearParts, GroundShowsThroughWhatTheStyleLeavesUndrawn)
{
    ScrollBarPictures pictures(new HalfStyle);
    HalfStyle direct;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(
            test::PixelDifference(drawn(pictures, verticalBar()), drawn(direct, verticalBar())), 0);
    EXPECT_EQ(pictures.picturePaints(), 2);
}

// Fills the scroll bar half transparent, replacing what lies under it: laid on the ground as a
// picture it would come out otherwise than drawn in place.
class ReplacingStyle : public QProxyStyle
{
public:
    ReplacingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("fusion"))) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        painter->save();
        painter->setCompositionMode(QPainter::CompositionMode_Source);
        painter->fillRect(option->rect.adjusted(2, 2, -2, -2), QColor(200, 0, 0, 128));
        painter->restore();
    }
};

TEST(ScrollBarPictureTrust, KindThatComesOutOtherwiseIsDrawnByTheStyle)
{
    ScrollBarPictures pictures(new ReplacingStyle);
    ReplacingStyle direct;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(
            test::PixelDifference(drawn(pictures, verticalBar()), drawn(direct, verticalBar())), 0);
    EXPECT_EQ(pictures.picturePaints(), 0);
}

// A list's scroll bar on the screen, against the same list with the application's style.
struct ListScrollBar : testing::Test
{
    ListScrollBar() : list(ListBox::Marking::Single)
    {
        QStringList rows;
        for (int i = 0; i < 300; ++i)
            rows << QStringLiteral("%1 关羽").arg(i, 3);
        list.setRows(rows);
        list.resize(200, 260);
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    QScrollBar* bar() { return list.verticalScrollBar(); }
    QImage paintedByTheStyle()
    {
        QStyle* kept = bar()->style();
        bar()->setStyle(QApplication::style());
        const QImage picture = list.grab().toImage().convertToFormat(QImage::Format_RGB32);
        bar()->setStyle(kept);
        return picture;
    }
    void expectPaintedAsTheStyle()
    {
        const QImage shown = test::ShownPicture(&list);
        EXPECT_EQ(test::PixelDifference(shown, paintedByTheStyle()), 0);
        EXPECT_EQ(test::PaintedDifference(&list), 0);
    }
    ListBox list;
};

TEST_F(ListScrollBar, FollowsScrollingAndTheListsColours)
{
    auto* pictures = qobject_cast<const ScrollBarPictures*>(bar()->style());
    ASSERT_NE(pictures, nullptr);
    expectPaintedAsTheStyle();
    const int before = pictures->picturePaints();
    bar()->repaint();
    EXPECT_EQ(pictures->picturePaints(), before + 1);

    bar()->setValue(bar()->maximum() / 2);
    expectPaintedAsTheStyle();
    // Fusion paints the groove with the base colour of the list, not of the scroll bar.
    QPalette colours = list.palette();
    colours.setColor(QPalette::Base, QColor(250, 240, 200));
    list.setPalette(colours);
    expectPaintedAsTheStyle();
    list.setEnabled(false);
    expectPaintedAsTheStyle();
}

TEST(ScrollBarPictureStyles, OtherStylesKeepTheirOwnDrawing)
{
    QApplication::setStyle(QStringLiteral("windows"));
    {
        ListBox list(ListBox::Marking::Single);
        EXPECT_EQ(list.verticalScrollBar()->style(), QApplication::style());
        EXPECT_EQ(list.horizontalScrollBar()->style(), QApplication::style());
    }
    QApplication::setStyle(QStringLiteral("fusion"));
    ListBox list(ListBox::Marking::Single);
    EXPECT_NE(qobject_cast<const ScrollBarPictures*>(list.horizontalScrollBar()->style()), nullptr);
}

} // namespace
