// The frozen columns lie over the table's own: their heads above the table's heads, and the
// cells beside them painted as a plain table paints them.

#include "listinput.h"

#include "ui/widgets/cachedtextdelegate.h"
#include "ui/widgets/frozentableview.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTest>

#include <gtest/gtest.h>

using veldor::CachedTextDelegate;
using veldor::FrozenTableView;
namespace test = veldor::test;

namespace {

// The same cells shown by a table with two frozen columns, painted through the text cache, and
// by a plain table painted by Qt's own delegate.
struct FrozenTable : testing::Test
{
    FrozenTable() : model(40, 12), frozen(2)
    {
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column) {
                auto* item = new QStandardItem(column == 1 ? QStringLiteral("张飞%1").arg(row)
                                                           : QString::number(row * column * 7));
                if (column % 3 == 2)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                model.setItem(row, column, item);
            }
        auto* cache = new CachedTextDelegate(&frozen);
        frozen.setItemDelegate(cache);
        frozen.FrozenPart()->setItemDelegate(cache);
        for (QTableView* view : {static_cast<QTableView*>(&frozen), &plain}) {
            view->setModel(&model);
            view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
            view->resize(420, 260);
            view->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
        }
    }
    // Pixels that differ right of the frozen part.
    int differenceBesideFrozen()
    {
        const int right = frozen.FrozenPart()->geometry().right() + 1;
        const QRegion beside(right, 0, frozen.width() - right, frozen.height());
        return test::PixelDifference(test::ShownPicture(&frozen), test::ShownPicture(&plain),
                                     beside);
    }
    QStandardItemModel model;
    FrozenTableView frozen;
    QTableView plain;
};

TEST_F(FrozenTable, FrozenHeadsLieOverTheTablesHeads)
{
    QHeaderView* heads = frozen.FrozenPart()->horizontalHeader();
    const QPoint inHeads = heads->mapTo(&frozen, QPoint(5, heads->height() / 2));
    EXPECT_TRUE(frozen.FrozenPart()->isAncestorOf(frozen.childAt(inHeads)));
}

TEST_F(FrozenTable, CellsBesideTheFrozenColumnsAsAPlainTable)
{
    EXPECT_EQ(differenceBesideFrozen(), 0);
    for (QTableView* view : {static_cast<QTableView*>(&frozen), &plain})
        view->horizontalScrollBar()->setValue(50);
    EXPECT_EQ(differenceBesideFrozen(), 0);
}

} // namespace
