#include "listinput.h"

#include "ui/widgets/listbox.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using veldor::ListBox;
using Marking = veldor::ListBox::Marking;
namespace test = veldor::test;

namespace {

struct ShownList
{
    explicit ShownList(Marking marking, QStringList rows = {}) : list(marking)
    {
        if (rows.isEmpty())
            for (int i = 0; i < 40; ++i)
                rows << QStringLiteral("row %1").arg(i);
        list.setRows(rows);
        list.resize(200, 300);
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    void click(int row, Qt::KeyboardModifiers mods = {})
    {
        test::ClickRow(&list, row, Qt::LeftButton, mods);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&list, key, mods); }
    QList<int> marked() const
    {
        QList<int> rows;
        for (int row = 0; row < list.count(); ++row)
            if (list.isMarked(row))
                rows << row;
        return rows;
    }
    // The rows Click reported so far.
    QList<int> clicks() const
    {
        QList<int> rows;
        for (const QList<QVariant>& call : spy)
            rows << call.at(0).toInt();
        return rows;
    }
    ListBox list;
    QSignalSpy spy{&list, &ListBox::Click};
};

const Marking kAllMarkings[] = {Marking::Single, Marking::Toggle, Marking::Extended};

TEST(ListBox, ProgramChangesRunNoHandlerAndArePaintedAtOnce)
{
    for (Marking marking : kAllMarkings) {
        ShownList shown(marking);
        shown.list.setMarked(3, true);
        EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
        const QImage before = test::ShownPicture(&shown.list);
        shown.list.setFocusRow(5);
        shown.list.setMarked(5, true);
        shown.list.setRowText(3, QStringLiteral("new"), false);
        EXPECT_GT(test::PixelDifference(before, test::ShownPicture(&shown.list)), 500);
        EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
        shown.list.clearMarks();
        EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
        shown.list.setMarked(7, true);
        shown.list.setRows(QStringList(40, QStringLiteral("again")));
        EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
        EXPECT_TRUE(shown.spy.isEmpty());
        EXPECT_EQ(shown.list.focusRow(), 5);
        EXPECT_EQ(shown.list.markedCount(), 0);
    }
}

TEST(ListBox, ReplacingARowClearsItsMarkUnlessKept)
{
    ShownList shown(Marking::Toggle);
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
    ShownList shown(Marking::Toggle);
    shown.click(3);
    shown.click(6);
    shown.click(3);
    EXPECT_EQ(shown.clicks(), (QList<int>{3, 6, 3}));
    EXPECT_EQ(shown.marked(), QList<int>{6});
    EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
}

TEST(ListBox, ADoubleClickIsTwoClicksOnTheSameRow)
{
    ShownList shown(Marking::Toggle);
    // What a widget gets of a double click: press, release, double click, release.
    const QPoint at = shown.list.visualItemRect(shown.list.item(4)).center();
    QTest::mouseClick(shown.list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(shown.list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(shown.list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(shown.clicks(), (QList<int>{4, 4}));
    EXPECT_TRUE(shown.marked().isEmpty());
}

TEST(ListBox, KeyboardMovesCountAsClicksAndKeyPressComesFirst)
{
    ShownList shown(Marking::Single);
    shown.click(2);
    int rowSeenByKeyPress = -1;
    QObject::connect(&shown.list, &ListBox::KeyPress,
                     [&] { rowSeenByKeyPress = shown.list.currentRow(); });
    shown.key(Qt::Key_Down);
    EXPECT_EQ(rowSeenByKeyPress, 2);
    EXPECT_EQ(shown.clicks(), (QList<int>{2, 3}));
    EXPECT_EQ(shown.marked(), QList<int>{3});
    shown.key(Qt::Key_End);
    EXPECT_EQ(shown.clicks().last(), 39);
    EXPECT_EQ(shown.marked(), QList<int>{39});
    shown.key(Qt::Key_End); // nowhere to go: nothing runs
    EXPECT_EQ(shown.spy.count(), 3);
}

// A single-selection list never loses its one entry to the user.
TEST(ListBox, ASingleListKeepsItsEntry)
{
    ShownList shown(Marking::Single, {QStringLiteral("a"), QStringLiteral("b")});
    shown.click(1);
    shown.click(1, Qt::ControlModifier);
    EXPECT_EQ(shown.marked(), QList<int>{1});
    shown.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(shown.marked(), QList<int>{1});
    shown.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(shown.marked(), QList<int>{1});
    // Below the last row.
    QTest::mouseClick(shown.list.viewport(), Qt::LeftButton, {}, QPoint(20, 250));
    QTest::mouseClick(shown.list.viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(20, 250));
    EXPECT_EQ(shown.marked(), QList<int>{1});
    EXPECT_EQ(shown.clicks(), (QList<int>{1, 1}));
}

TEST(ListBox, ExtendedMarkingFollowsCtrlAndShift)
{
    ShownList shown(Marking::Extended);
    shown.click(2);
    shown.click(5, Qt::ControlModifier);
    EXPECT_EQ(shown.list.markedCount(), 2);
    shown.click(8, Qt::ShiftModifier);
    EXPECT_EQ(shown.list.markedCount(), 5); // row 2 kept, anchor 5 .. 8 added
    EXPECT_TRUE(shown.list.isMarked(2));
    EXPECT_TRUE(shown.list.isMarked(7));
    shown.click(6, Qt::ShiftModifier); // the range shrinks back
    EXPECT_EQ(shown.marked(), (QList<int>{2, 5, 6}));
    shown.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(shown.marked(), (QList<int>{2, 5, 6, 7}));
    shown.key(Qt::Key_Down, Qt::ControlModifier); // focus only
    EXPECT_EQ(shown.list.focusRow(), 8);
    EXPECT_EQ(shown.marked(), (QList<int>{2, 5, 6, 7}));
    shown.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(shown.marked(), (QList<int>{2, 5, 6, 7, 8}));
    shown.click(1);
    EXPECT_EQ(shown.marked(), QList<int>{1});
    // Ctrl+A marks every row here and runs the handler as a key does.
    const qsizetype before = shown.spy.count();
    shown.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(shown.list.markedCount(), 40);
    EXPECT_EQ(shown.spy.count(), before + 1);
    EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
}

// The handler hears what the user did and can see how the list stood before it.
TEST(ListBox, ClickSaysWhatTheUserDidAndHowTheListStoodBefore)
{
    using Input = ListBox::Input;
    ShownList shown(Marking::Extended);
    QList<Input> inputs;
    QList<int> focusBefore;
    QObject::connect(&shown.list, &ListBox::Click, [&](int, Input input) {
        inputs << input;
        focusBefore << shown.list.stateBefore().focusRow;
    });
    shown.click(2);
    shown.key(Qt::Key_Down);
    shown.key(Qt::Key_Down, Qt::ControlModifier);
    shown.key(Qt::Key_Space, Qt::ControlModifier);
    shown.key(Qt::Key_Down, Qt::ShiftModifier);
    shown.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(inputs, (QList<Input>{Input::Click, Input::Move, Input::FocusMove, Input::Marks,
                                    Input::Move, Input::Marks}));
    EXPECT_EQ(focusBefore.mid(1), (QList<int>{2, 3, 4, 4, 5}));
    // Put back as it stood before Ctrl+A, which runs no handler.
    shown.list.clearMarks();
    shown.list.setMarked(3, true);
    shown.list.setMarked(4, true);
    shown.key(Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(shown.list.markedCount(), 40);
    shown.list.setState(shown.list.stateBefore());
    EXPECT_EQ(shown.marked(), (QList<int>{3, 4}));
    EXPECT_EQ(shown.list.focusRow(), 5);
    EXPECT_EQ(inputs.size(), 7);
    EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
}

TEST(ListBox, DraggingMarksOnlyThePressedRow)
{
    for (Marking marking : kAllMarkings) {
        ShownList shown(marking);
        const QPoint from = shown.list.visualItemRect(shown.list.item(2)).center();
        const QPoint to = shown.list.visualItemRect(shown.list.item(6)).center();
        QTest::mousePress(shown.list.viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, shown.list.viewport()->mapToGlobal(to),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(shown.list.viewport(), &move);
        QTest::mouseRelease(shown.list.viewport(), Qt::LeftButton, {}, to);
        EXPECT_EQ(shown.marked(), QList<int>{2});
        EXPECT_EQ(shown.list.focusRow(), 2);
        EXPECT_EQ(shown.clicks(), QList<int>{2});
    }
}

QStringList Names()
{
    return {QStringLiteral("张飞"),  QStringLiteral("关羽"),  QStringLiteral("刘备"),
            QStringLiteral("bravo"), QStringLiteral("alpha"), QStringLiteral("张辽"),
            QStringLiteral("beta")};
}

// Type-ahead and input-method text act as a click on the row found in single and extended
// lists, with KeyPress first; a toggling list only moves its focus there.
TEST(ListBox, TypedTextClicksTheRowItFindsOrMovesTheFocusOfAToggleList)
{
    for (Marking marking : kAllMarkings) {
        ShownList shown(marking, Names());
        shown.click(1);
        shown.spy.clear();
        // KeyPress sees each text before the list acts on it: it counts the clicks so far.
        QStringList keyTexts;
        QList<qsizetype> clicksAtKeyPress;
        QObject::connect(&shown.list, &ListBox::KeyPress, [&](QKeyEvent* event) {
            keyTexts << event->text();
            clicksAtKeyPress << shown.spy.count();
        });
        const bool toggling = marking == Marking::Toggle;
        test::CommitText(&shown.list, QStringLiteral("张"));
        EXPECT_EQ(shown.list.focusRow(), 5);
        EXPECT_EQ(shown.marked(), toggling ? QList<int>{1} : QList<int>{5});
        EXPECT_EQ(shown.clicks(), toggling ? QList<int>{} : QList<int>{5});
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(&shown.list, QStringLiteral("br")); // "b" finds beta, "br" bravo
        EXPECT_EQ(shown.list.focusRow(), 3);
        EXPECT_EQ(shown.marked(), toggling ? QList<int>{1} : QList<int>{3});
        EXPECT_EQ(shown.clicks(), toggling ? QList<int>{} : (QList<int>{5, 6, 3}));
        test::TypeText(&shown.list, QStringLiteral("刘"));
        EXPECT_EQ(shown.list.focusRow(), 3) << "no row starts with 'br刘'";
        EXPECT_EQ(keyTexts, (QStringList{QStringLiteral("张"), QStringLiteral("b"),
                                         QStringLiteral("r"), QStringLiteral("刘")}));
        EXPECT_EQ(clicksAtKeyPress,
                  toggling ? (QList<qsizetype>{0, 0, 0, 0}) : (QList<qsizetype>{0, 1, 2, 3}));
        EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
    }
}

TEST(ListBox, ActivateRowIsAPlainClick)
{
    for (Marking marking : kAllMarkings) {
        ShownList byProgram(marking);
        ShownList byMouse(marking);
        for (ShownList* shown : {&byProgram, &byMouse}) {
            shown->list.setMarked(4, true);
            shown->list.setFocusRow(4);
        }
        byProgram.list.scrollToTop();
        byProgram.list.activateRow(35);
        byMouse.click(35);
        EXPECT_EQ(byProgram.marked(), byMouse.marked());
        EXPECT_EQ(byProgram.marked(),
                  marking == Marking::Toggle ? (QList<int>{4, 35}) : QList<int>{35});
        EXPECT_EQ(byProgram.list.focusRow(), 35);
        EXPECT_EQ(byProgram.clicks(), QList<int>{35});
        EXPECT_TRUE(byProgram.list.viewport()->rect().contains(
            byProgram.list.visualItemRect(byProgram.list.item(35))));
        EXPECT_EQ(test::PaintedDifference(&byProgram.list), 0);
    }
}

// Paths past the list's own input (accessibility actions, the selection model reached
// directly) are undone, and the picture shows it.
TEST(ListBox, ChangesMadePastTheListAreUndone)
{
    for (Marking marking : kAllMarkings) {
        ShownList shown(marking);
        shown.click(2);
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&shown.list);
        ASSERT_NE(access, nullptr);
        ASSERT_NE(access->tableInterface(), nullptr);
        access->tableInterface()->selectRow(7);
        access->tableInterface()->unselectRow(2);
        shown.list.selectAll();
        shown.list.setCurrentRow(9);
        shown.list.clearSelection();
        EXPECT_EQ(shown.marked(), QList<int>{2});
        EXPECT_EQ(shown.list.focusRow(), 2);
        EXPECT_EQ(shown.clicks(), QList<int>{2});
        EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
    }
}

} // namespace

TEST(ListBox, MarkedRowsListsEveryMarkOnceInOrder)
{
    ShownList shown(Marking::Toggle);
    for (int row : {7, 2, 3, 39})
        shown.list.setMarked(row, true);
    shown.click(4); // a user's mark joins the program's
    EXPECT_EQ(shown.list.markedRows(), (QList<int>{2, 3, 4, 7, 39}));
    shown.list.setMarked(3, false);
    EXPECT_EQ(shown.list.markedRows(), (QList<int>{2, 4, 7, 39}));
}

TEST(ListBox, SetMarkedRowsMarksExactlyThoseAndPaintsThem)
{
    ShownList shown(Marking::Toggle);
    for (int row : {1, 2, 3, 30})
        shown.list.setMarked(row, true);
    test::ShownPicture(&shown.list);
    shown.list.setMarkedRows({0, 2, 3, 4, 39});
    EXPECT_EQ(shown.marked(), (QList<int>{0, 2, 3, 4, 39}));
    EXPECT_EQ(test::PaintedDifference(&shown.list), 0);
    EXPECT_TRUE(shown.spy.isEmpty()); // a program change runs no handler
    shown.list.setMarkedRows({});
    EXPECT_TRUE(shown.marked().isEmpty());
}
