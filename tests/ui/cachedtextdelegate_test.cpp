#include "listinput.h"

#include "ui/widgets/cachedtextdelegate.h"
#include "ui/widgets/listbox.h"

#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using veldor::CachedTextDelegate;
using veldor::ListBox;
namespace test = veldor::test;

namespace {

QStringList personRows(int count, int shift = 0)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("%1 张飞%2 成都  %3 %4")
                    .arg(i + shift, 3)
                    .arg(QChar(u'甲' + (i + shift) % 10))
                    .arg((i * 37 + shift) % 100, 3)
                    .arg((i * 11) % 100, 3);
    return rows;
}

// A shown list whose painting is compared with what Qt's own delegate paints of it in the
// same state.
struct CachedList : testing::Test
{
    CachedList() : list(ListBox::Marking::Extended)
    {
        list.setRows(personRows(60));
        list.resize(260, 300);
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
        list.setMarked(2, true);
        list.setMarked(5, true);
        list.setFocusRow(5);
    }
    CachedTextDelegate* cache() { return qobject_cast<CachedTextDelegate*>(list.itemDelegate()); }
    QImage paintedByQt()
    {
        QAbstractItemDelegate* kept = list.itemDelegate();
        QStyledItemDelegate plain;
        list.setItemDelegate(&plain);
        const QImage picture = list.grab().toImage().convertToFormat(QImage::Format_RGB32);
        list.setItemDelegate(kept);
        return picture;
    }
    // Screen against Qt's painting; also against a fresh render of the list.
    void expectPaintedAsQt()
    {
        const QImage shown = test::ShownPicture(&list);
        EXPECT_EQ(test::PixelDifference(shown, paintedByQt()), 0);
        EXPECT_EQ(test::PaintedDifference(&list), 0);
    }
    ListBox list;
};

TEST_F(CachedList, PaintsEveryKindOfRowAsQtDoes)
{
    ASSERT_NE(cache(), nullptr);
    expectPaintedAsQt();
    // A marked row, the marked focus row and a plain row all come from the cache.
    const int before = cache()->cachedPaints();
    for (int row : {2, 5, 7})
        list.viewport()->repaint(list.visualItemRect(list.item(row)));
    EXPECT_EQ(cache()->cachedPaints() - before, 3);
}

TEST_F(CachedList, RowPaintedAgainIsCopiedFromItsPicture)
{
    test::ShownPicture(&list);
    const int before = cache()->picturePaints();
    for (int row : {2, 7})
        list.viewport()->repaint(list.visualItemRect(list.item(row)));
    // The focus row's frame is drawn in place.
    list.viewport()->repaint(list.visualItemRect(list.item(5)));
    EXPECT_EQ(cache()->picturePaints() - before, 2);
    expectPaintedAsQt();
}

TEST_F(CachedList, OtherColoursPaintNewPictures)
{
    test::ShownPicture(&list);
    QPalette colours = list.palette();
    colours.setColor(QPalette::Text, QColor(0, 90, 0));
    colours.setColor(QPalette::Highlight, QColor(160, 30, 30));
    list.setPalette(colours);
    expectPaintedAsQt();
    colours.setColor(QPalette::Base, QColor(250, 240, 200));
    list.setPalette(colours);
    expectPaintedAsQt();
}

// A painter that scales (a screen at 1.5 or 2) puts no picture's pixel on one pixel of its
// device: the rows are painted directly, as Qt paints them.
TEST_F(CachedList, ScaledPaintingDrawsRowsInPlace)
{
    test::ShownPicture(&list);
    const auto rendered = [this](QAbstractItemDelegate* delegate) {
        QAbstractItemDelegate* kept = list.itemDelegate();
        list.setItemDelegate(delegate);
        QImage picture(list.size() * 2, QImage::Format_RGB32);
        picture.setDevicePixelRatio(2);
        list.render(&picture);
        list.setItemDelegate(kept);
        return picture;
    };
    const int before = cache()->picturePaints();
    QStyledItemDelegate plain;
    EXPECT_EQ(test::PixelDifference(rendered(cache()), rendered(&plain)), 0);
    EXPECT_EQ(cache()->picturePaints(), before);
}

TEST_F(CachedList, InactiveAndDisabledRowsAsQtDoes)
{
    QWidget other;
    other.show();
    other.activateWindow();
    QCoreApplication::processEvents();
    expectPaintedAsQt();
    list.setEnabled(false);
    expectPaintedAsQt();
}

TEST_F(CachedList, ReplacedRowShowsItsNewText)
{
    test::ShownPicture(&list);
    list.setRowText(3, QStringLiteral("  3 赵云乙 江陵   99  1"), false);
    list.setRowText(5, personRows(60)[6], true); // another row's text: a cached line
    expectPaintedAsQt();
}

TEST_F(CachedList, ReorderedRowsShowTheirTexts)
{
    test::ShownPicture(&list);
    QStringList reversed = personRows(60);
    std::reverse(reversed.begin(), reversed.end());
    list.setRows(reversed);
    list.setMarked(1, true);
    expectPaintedAsQt();
    list.setRows(personRows(60, 7)); // partly the old texts, in other rows
    expectPaintedAsQt();
}

TEST_F(CachedList, NarrowerRowsAreElidedAsQtDoes)
{
    test::ShownPicture(&list);
    list.resize(120, 300);
    expectPaintedAsQt();
    list.resize(300, 300);
    expectPaintedAsQt();
}

TEST_F(CachedList, OtherFontIsShapedAgain)
{
    test::ShownPicture(&list);
    // Bold keeps the rows' size, so only the font tells the cached lines apart.
    QFont bold = list.font();
    bold.setBold(true);
    list.setFont(bold);
    expectPaintedAsQt();
    const int before = cache()->cachedPaints();
    list.viewport()->repaint(list.visualItemRect(list.item(7)));
    EXPECT_EQ(cache()->cachedPaints() - before, 1); // shaped anew, not left to the style
    QFont larger = list.font();
    larger.setPixelSize(larger.pixelSize() > 0 ? larger.pixelSize() + 3 : 18);
    list.setFont(larger);
    expectPaintedAsQt();
}

TEST_F(CachedList, ScrolledRowsAsQtDoes)
{
    test::ShownPicture(&list);
    list.scrollToBottom();
    expectPaintedAsQt();
}

// Table cells wrap words: a text that fits stays one cached line, a longer one is wrapped by
// the style, and a narrowed column turns a cached text into a wrapped one.
TEST(CachedTable, WrappedCellsAsQtDoes)
{
    QTableWidget table(12, 3);
    auto* cached = new CachedTextDelegate(&table);
    table.setItemDelegate(cached);
    for (int row = 0; row < 12; ++row) {
        table.setItem(row, 0, new QTableWidgetItem(QString::number(row * 137)));
        table.setItem(row, 1, new QTableWidgetItem(QStringLiteral("关羽 张飞 赵云 马超")));
        auto* right = new QTableWidgetItem(QString::number(row));
        right->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table.setItem(row, 2, right);
    }
    table.setColumnWidth(1, 60);
    table.setCurrentCell(2, 2);
    table.resize(400, 300);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    const auto paintedByQt = [&table, cached] {
        QStyledItemDelegate plain;
        table.setItemDelegate(&plain);
        const QImage picture = table.grab().toImage().convertToFormat(QImage::Format_RGB32);
        table.setItemDelegate(cached);
        return picture;
    };
    EXPECT_EQ(test::PixelDifference(test::ShownPicture(&table), paintedByQt()), 0);
    EXPECT_GT(cached->cachedPaints(), 0);
    table.setColumnWidth(0, 12);
    EXPECT_EQ(test::PixelDifference(test::ShownPicture(&table), paintedByQt()), 0);
}

// A table cell's text has the cell's whole width, a list row's text its own: texts of every
// length, aligned right and centred, land where Qt puts them.
TEST(CachedAlignment, TextsOfEveryLengthAsQtDoes)
{
    const QStringList texts = {QStringLiteral("1"), QStringLiteral("12345"), QStringLiteral("赵云"),
                               QStringLiteral("诸葛亮 孔明"), QStringLiteral("678")};
    QTableWidget table(10, 2);
    QListWidget list;
    for (int row = 0; row < 10; ++row) {
        const QString text = texts[row % texts.size()];
        const Qt::Alignment alignment =
            (row % 2 ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter;
        for (int column = 0; column < 2; ++column) {
            table.setItem(row, column, new QTableWidgetItem(text));
            table.item(row, column)
                ->setTextAlignment(column ? Qt::AlignRight | Qt::AlignVCenter : alignment);
        }
        list.addItem(text);
        list.item(row)->setTextAlignment(alignment);
    }
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(&table), static_cast<QAbstractItemView*>(&list)}) {
        auto* cached = new CachedTextDelegate(view);
        view->setItemDelegate(cached);
        view->resize(300, 320);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        const QImage shown = test::ShownPicture(view);
        QStyledItemDelegate plain;
        view->setItemDelegate(&plain);
        EXPECT_EQ(test::PixelDifference(
                      shown, view->grab().toImage().convertToFormat(QImage::Format_RGB32)),
                  0)
            << view->metaObject()->className();
        view->setItemDelegate(cached);
        EXPECT_GT(cached->cachedPaints(), 0);
    }
}

} // namespace
