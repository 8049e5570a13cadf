#include "data/scenariostore.h"
#include "ui/formcity.h"
#include "ui/formprsn.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldor {
namespace {

// Bounding box of the dark (text) pixels of `image` within `area` (in the widget's own
// coordinates), in the image's pixels.
QRect inkBounds(const QImage& image, const QRect& area)
{
    const qreal scale = image.devicePixelRatio();
    const QRect pixels(area.topLeft() * scale, area.size() * scale);
    QRect ink;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// `widget` as its window paints it, siblings on top included; the window's frame and
// background are light, so the only dark pixels are the widget's text.
QImage inWindow(QWidget* widget, qreal scale)
{
    QImage image(widget->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    widget->parentWidget()->render(&image, QPoint(), QRegion(widget->geometry()));
    return image;
}

QImage alone(QWidget* widget, qreal scale)
{
    QImage image(widget->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

// A caption is whole when its ink in the window is as large as in `roomy`, a copy of the
// control with room to spare, rendered on its own. The room is added in whole pixels on the
// side that does not move the text, or on both sides equally, so both draw the same glyphs.
// `textArea` says where in a control its caption may lie.
void expectWhole(QWidget* widget, QWidget* roomy, QRect (*textArea)(QWidget*))
{
    roomy->setFont(widget->font());
    for (const qreal scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const QRect ink = inkBounds(inWindow(widget, scale), textArea(widget));
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.size(), inkBounds(alone(roomy, scale), textArea(roomy)).size());
    }
}

QRect wholeControl(QWidget* widget)
{
    return widget->rect();
}

// Left of the drop-down arrow, which is dark too.
QRect comboText(QWidget* widget)
{
    auto* combo = static_cast<QComboBox*>(widget);
    QStyleOptionComboBox option;
    option.initFrom(combo);
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                          QStyle::SC_ComboBoxEditField, combo);
}

TEST(Clipping, TheCityEditorsColumnHeadsAreWhole)
{
    ScenarioStore store;
    store.Clear();
    TFCity form(store, {});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const char* heads[] = {"Button_Prsn_Name",   "Button_Prsn_City",      "Button_Prsn_Forc",
                           "Button_Prsn_Degree", "Button_Prsn_TongShuai", "Button_Prsn_WuLi",
                           "Button_Prsn_ZhiLi",  "Button_Prsn_ZhengZhi"};
    for (const char* name : heads) {
        SCOPED_TRACE(name);
        auto* head = form.findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(head, nullptr);
        QPushButton roomy(head->text());
        roomy.resize(head->width(), head->height() + 20);
        expectWhole(head, &roomy, wholeControl);
    }
}

TEST(Clipping, ThePersonEditorsHeadsAndChoicesAreWhole)
{
    ScenarioStore store;
    store.Clear();
    TFPrsn form(store);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (QPushButton* head :
         form.findChildren<QPushButton*>(QRegularExpression(QStringLiteral("^Button_Sort_")))) {
        SCOPED_TRACE(head->objectName().toStdString());
        QPushButton roomy(head->text());
        roomy.resize(head->width(), head->height() + 20);
        expectWhole(head, &roomy, wholeControl);
    }
    const QList<QComboBox*> choices = form.findChildren<QComboBox*>();
    ASSERT_EQ(choices.size(), 4);
    for (QComboBox* choice : choices)
        for (int item = 0; item < choice->count(); ++item) {
            SCOPED_TRACE((choice->objectName() + QString::number(item)).toStdString());
            choice->setCurrentIndex(item);
            QComboBox roomy;
            roomy.addItem(choice->currentText());
            roomy.resize(choice->width() + 40, choice->height());
            expectWhole(choice, &roomy, comboText);
        }
}

} // namespace
} // namespace veldor
