#include "ui/listbox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using veldor::ListBox;

namespace {

struct ShownList
{
    explicit ShownList(ListBox::Marking marking) : list(marking)
    {
        QStringList rows;
        for (int i = 0; i < 20; ++i)
            rows << QStringLiteral("row %1").arg(i);
        list.setRows(rows);
        list.resize(200, 300);
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    void click(int row, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, mods,
                          list.visualItemRect(list.item(row)).center());
    }
    ListBox list;
};

TEST(ListBox, ProgramChangesRunNoHandler)
{
    ShownList shown(ListBox::Marking::Toggle);
    QSignalSpy clicks(&shown.list, &ListBox::Click);
    QSignalSpy selection(&shown.list, &QListWidget::itemSelectionChanged);
    shown.list.setMarked(3, true);
    shown.list.setFocusRow(5);
    shown.list.setRowText(3, QStringLiteral("new"), true);
    shown.list.clearMarks();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(selection.count(), 0);
    EXPECT_EQ(shown.list.focusRow(), 5);
}

TEST(ListBox, ReplacingARowClearsItsMarkUnlessKept)
{
    ShownList shown(ListBox::Marking::Toggle);
    shown.list.setMarked(2, true);
    shown.list.setMarked(4, true);
    shown.list.setRowText(2, QStringLiteral("a"), false);
    shown.list.setRowText(4, QStringLiteral("b"), true);
    EXPECT_FALSE(shown.list.isMarked(2));
    EXPECT_TRUE(shown.list.isMarked(4));
    EXPECT_EQ(shown.list.markedCount(), 1);
}

TEST(ListBox, ClicksToggleAndReport)
{
    ShownList shown(ListBox::Marking::Toggle);
    QSignalSpy clicks(&shown.list, &ListBox::Click);
    shown.click(3);
    shown.click(6);
    shown.click(3);
    ASSERT_EQ(clicks.count(), 3);
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 6);
    EXPECT_FALSE(shown.list.isMarked(3));
    EXPECT_TRUE(shown.list.isMarked(6));
}

TEST(ListBox, KeyboardMovesCountAsClicksAndKeyPressComesFirst)
{
    ShownList shown(ListBox::Marking::Single);
    shown.click(2);
    int rowSeenByKeyPress = -1;
    QObject::connect(&shown.list, &ListBox::KeyPress,
                     [&] { rowSeenByKeyPress = shown.list.currentRow(); });
    QSignalSpy clicks(&shown.list, &ListBox::Click);
    QTest::keyClick(&shown.list, Qt::Key_Down);
    EXPECT_EQ(rowSeenByKeyPress, 2);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 3);
}

TEST(ListBox, ExtendedMarkingFollowsCtrlAndShift)
{
    ShownList shown(ListBox::Marking::Extended);
    shown.click(2);
    shown.click(5, Qt::ControlModifier);
    EXPECT_EQ(shown.list.markedCount(), 2);
    shown.click(8, Qt::ShiftModifier);
    EXPECT_EQ(shown.list.markedCount(), 5); // row 2 kept, anchor 5 .. 8 added
    EXPECT_TRUE(shown.list.isMarked(2));
    EXPECT_TRUE(shown.list.isMarked(7));
    shown.click(1);
    EXPECT_EQ(shown.list.markedCount(), 1);
}

} // namespace

namespace {

TEST(ListBox, DraggingOverAToggleListTogglesOnlyThePressedRow)
{
    ShownList shown(ListBox::Marking::Toggle);
    QSignalSpy clicks(&shown.list, &ListBox::Click);
    const QPoint from = shown.list.visualItemRect(shown.list.item(2)).center();
    const QPoint to = shown.list.visualItemRect(shown.list.item(6)).center();
    QTest::mousePress(shown.list.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, shown.list.viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(shown.list.viewport(), &move);
    QTest::mouseRelease(shown.list.viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(shown.list.markedCount(), 1);
    EXPECT_TRUE(shown.list.isMarked(2));
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
