// The table's heads keep each text's size: the sizes must stay Qt's own through font changes,
// sort arrows and heads the model dresses itself.

#include "ui/widgets/tableheaderview.h"

#include <QCoreApplication>
#include <QStandardItemModel>

#include <gtest/gtest.h>

using veldor::TableHeaderView;

namespace {

// Thirty heads, two of them the same text, measured by Qt's own heads and by the keeping ones.
struct Heads : testing::Test
{
    Heads() : model(1, 30), plain(Qt::Horizontal), kept(Qt::Horizontal)
    {
        for (int column = 0; column < model.columnCount(); ++column)
            model.setHeaderData(column, Qt::Horizontal,
                                column == 7 ? QStringLiteral("统率")
                                            : QStringLiteral("字段%1").arg(column * 37));
        model.setHeaderData(3, Qt::Horizontal, QStringLiteral("统率"));
        for (QHeaderView* heads : {&plain, static_cast<QHeaderView*>(&kept)})
            heads->setModel(&model);
    }
    // Qt keeps the size it found until something it watches changes: a font change event
    // makes both measure their heads again.
    static QSize measured(QHeaderView& heads)
    {
        QEvent fontChange(QEvent::FontChange);
        QCoreApplication::sendEvent(heads.viewport(), &fontChange);
        return heads.sizeHint();
    }
    void expectSizesAsQt()
    {
        for (bool arrow : {false, true}) {
            plain.setSortIndicatorShown(arrow);
            kept.setSortIndicatorShown(arrow);
            EXPECT_EQ(measured(kept), measured(plain)) << "arrow " << arrow;
        }
    }
    QStandardItemModel model;
    QHeaderView plain;
    TableHeaderView kept;
};

TEST_F(Heads, MeasureEachTextOnceAndAsQtDoes)
{
    expectSizesAsQt();
    EXPECT_EQ(kept.measuredTexts(), 2 * 29); // 29 texts, without and with the arrow's room
    expectSizesAsQt();
    EXPECT_EQ(kept.measuredTexts(), 2 * 29);
}

TEST_F(Heads, LargerFontIsMeasuredAgain)
{
    expectSizesAsQt();
    QFont larger = kept.font();
    larger.setPixelSize(30);
    plain.setFont(larger);
    kept.setFont(larger);
    expectSizesAsQt();
}

TEST_F(Heads, ChangedTextIsMeasuredAgain)
{
    expectSizesAsQt();
    model.setHeaderData(12, Qt::Horizontal, QStringLiteral("一个长得多的字段名称"));
    expectSizesAsQt();
}

TEST_F(Heads, HeadWithItsOwnFontIsLeftToQt)
{
    expectSizesAsQt();
    QFont larger = kept.font();
    larger.setPixelSize(32);
    // Text seen before, in a font of its own.
    model.setHeaderData(3, Qt::Horizontal, larger, Qt::FontRole);
    expectSizesAsQt();
}

TEST_F(Heads, SharingHeadsMeasureNothingNew)
{
    TableHeaderView sharing(Qt::Horizontal, nullptr, &kept);
    sharing.setModel(&model);
    expectSizesAsQt();
    const int before = kept.measuredTexts();
    sharing.setSortIndicatorShown(true);
    EXPECT_EQ(measured(sharing), measured(kept));
    EXPECT_EQ(sharing.measuredTexts(), before);
}

} // namespace
