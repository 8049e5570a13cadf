#include "data/session/scenariostore.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formprsn.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>

#include <gtest/gtest.h>

namespace veldor {
namespace {

// Size of the dark (text) pixels' bounding box in `widget` painted at `scale`, within the part
// where its caption goes. `inWindow` paints it as its window does, siblings on top included.
QSize inkSize(QWidget* widget, int scale, bool inWindow)
{
    QRect area = widget->rect();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) { // left of the arrow, which is dark too
        QStyleOptionComboBox option;
        option.initFrom(combo);
        area = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                              QStyle::SC_ComboBoxEditField, combo);
    }
    QImage image(widget->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    if (inWindow)
        widget->parentWidget()->render(&image, QPoint(), QRegion(widget->geometry()));
    else
        widget->render(&image);
    QRect ink;
    for (int y = area.top() * scale; y < (area.bottom() + 1) * scale; ++y)
        for (int x = area.left() * scale; x < (area.right() + 1) * scale; ++x)
            if (qGray(image.pixel(x, y)) < 96)
                ink |= QRect(x, y, 1, 1);
    return ink.size();
}

// A caption is whole when its ink in the window is as large as in `roomy`, a copy of the
// control with whole pixels of room added where they do not move the text.
void expectWhole(QWidget* control, QWidget* roomy)
{
    roomy->setFont(control->font());
    for (const int scale : {1, 2}) {
        const QSize ink = inkSize(control, scale, true);
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink, inkSize(roomy, scale, false)) << "at scale " << scale;
    }
}

void expectHeadsWhole(QDialog& form, const QString& names)
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto heads = form.findChildren<QPushButton*>(QRegularExpression(names));
    ASSERT_EQ(heads.size(), 8);
    for (QPushButton* head : heads) {
        SCOPED_TRACE(head->objectName().toStdString());
        QPushButton roomy(head->text());
        roomy.resize(head->width(), head->height() + 20);
        expectWhole(head, &roomy);
    }
}

TEST(Clipping, TheCityEditorsColumnHeadsAreWhole)
{
    ScenarioStore store;
    store.Clear();
    TFCity form(store, {});
    expectHeadsWhole(form, QStringLiteral("^Button_Prsn_"));
}

TEST(Clipping, ThePersonEditorsHeadsAndChoicesAreWhole)
{
    ScenarioStore store;
    store.Clear();
    TFPrsn form(store);
    expectHeadsWhole(form, QStringLiteral("^Button_Sort_"));
    for (QComboBox* choice : form.findChildren<QComboBox*>())
        for (int item = 0; item < choice->count(); ++item) {
            SCOPED_TRACE((choice->objectName() + QString::number(item)).toStdString());
            choice->setCurrentIndex(item);
            QComboBox roomy;
            roomy.addItem(choice->currentText());
            roomy.resize(choice->width() + 40, choice->height());
            expectWhole(choice, &roomy);
        }
}

} // namespace
} // namespace veldor
