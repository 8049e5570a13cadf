// The person editor's three lists under every input that could move a mark or the focus row:
// each either acts as the matching click or key, or changes nothing. The working copy is
// checked after each input, the store after Apply and the file after a save; the painted
// marks are compared with a fresh render.
#include "tests/ui/personwindow.h"

#include "tests/ui/listinput.h"

#include <QApplication>

#include <cstring>

using namespace veldor;
using veldor::test::ClickRow;

namespace {

class PersonInput : public test::PersonWindow
{
protected:
    ListBox* faith() const { return child<ListBox>(QStringLiteral("ListBox_Prsn_Faith")); }
    ListBox* items() const { return child<ListBox>(QStringLiteral("ListBox_Prsn_Item")); }
    QString shown(const char* edit) const
    {
        return child<NumberEdit>(QStringLiteral("Edit_Prsn_") + QLatin1String(edit))->text();
    }
    int rowOf(uint16_t person) const
    {
        for (int row = 0; row < kPersons; ++row)
            if (personAt(row) == person)
                return row;
        return -1;
    }
    bool workUnchanged() const
    {
        return std::memcmp(&form->Editor().Work(), &store.persons, sizeof(PrsnTable)) == 0;
    }
    QList<int> holders() const
    {
        QList<int> result;
        for (int i = 0; i < kItems; ++i)
            result << form->Editor().Holder(i);
        return result;
    }
    void expectPainted()
    {
        for (ListBox* box : {list(), faith(), items()})
            EXPECT_EQ(test::PaintedDifference(box), 0) << box->objectName().toStdString();
    }
    void saved()
    {
        QString error;
        ASSERT_TRUE(store.Save(error)) << error.toStdString();
    }
};

// Issue 13, case 1: click row 3, right-click row 7, then "统率".
TEST_F(PersonInput, RightAndMiddleClicksInThePersonListChangeNothing)
{
    clickRow(list(), 3);
    const uint16_t loaded = personAt(3), other = personAt(7);
    const uint16_t otherValue = store.persons.TongShuai[other];
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickRow(list(), 7, button);
        ClickRow(list(), 8, button, Qt::ShiftModifier);
        EXPECT_FALSE(list()->isMarked(7));
        EXPECT_EQ(list()->focusRow(), 3);
        EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 1 人）"));
        EXPECT_EQ(shown("TongShuai"), QString::number(store.persons.TongShuai[loaded]));
        EXPECT_TRUE(workUnchanged());
    }
    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("99"));
    press(QStringLiteral("SpeedButton_TongShuai"));
    EXPECT_EQ(form->Editor().Work().TongShuai[loaded], 99);
    EXPECT_EQ(form->Editor().Work().TongShuai[other], otherValue);
    press(QStringLiteral("Button11"));
    EXPECT_EQ(store.persons.TongShuai[loaded], 99);
    EXPECT_EQ(store.persons.TongShuai[other], otherValue);
    saved();
    EXPECT_EQ(fileField(loaded, 16), 99);
    EXPECT_EQ(fileField(other, 16), otherValue);
    expectPainted();
}

// Case 1 and 4: the loyalty list keeps its entry under right, middle and Ctrl clicks, and
// "修改忠诚度" changes the loyalty toward the force it shows.
TEST_F(PersonInput, TheLoyaltyListKeepsItsEntry)
{
    clickRow(list(), 10);
    const uint16_t person = personAt(10);
    clickRow(faith(), 2);
    ClickRow(faith(), 5, Qt::RightButton);
    ClickRow(faith(), 6, Qt::MiddleButton);
    ClickRow(faith(), 2, Qt::LeftButton, Qt::ControlModifier);
    QTest::keyClick(faith(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(faith()->focusRow(), 2);
    EXPECT_TRUE(faith()->isMarked(2));
    EXPECT_EQ(faith()->markedCount(), 1);
    EXPECT_TRUE(workUnchanged());
    type(QStringLiteral("Edit_Prsn_Faith"), QStringLiteral("88"));
    press(QStringLiteral("SpeedButton_Faith"));
    EXPECT_EQ(form->Editor().Work().Faith[person][2], 88);
    EXPECT_EQ(form->Editor().Work().Faith[person][5], 30);
    press(QStringLiteral("Button11"));
    EXPECT_EQ(store.persons.Faith[person][2], 88);
    EXPECT_EQ(store.persons.Faith[person][5], 30);
    expectPainted();
}

// Case 4: after a focus-only move in the person list, keys in the treasure list move its focus
// and hand nothing over; nor do Ctrl+A, right clicks and typed names. Space then toggles.
TEST_F(PersonInput, TheTreasureListHandsOverOnlyOnAToggle)
{
    for (int i = 0; i < kItems; ++i)
        store.items.ItemOwner[i] = i < 4 ? personAt(9) : kNone;
    form->FormShow();
    clickRow(list(), 9);
    QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier); // focus only: loads nothing
    EXPECT_EQ(list()->focusRow(), 10);
    const QList<int> before = holders();
    const auto unchanged = [&](const char* what) {
        EXPECT_EQ(holders(), before) << what;
        EXPECT_EQ(items()->markedCount(), 4) << what;
    };
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown,
                        Qt::Key_PageUp, Qt::Key_Down})
        QTest::keyClick(items(), key);
    QTest::keyClick(items(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(items(), Qt::Key_End, Qt::ControlModifier);
    unchanged("keys");
    QTest::keyClick(items(), Qt::Key_A, Qt::ControlModifier);
    unchanged("Ctrl+A");
    ClickRow(items(), 6, Qt::RightButton);
    ClickRow(items(), 7, Qt::MiddleButton);
    unchanged("right and middle clicks");
    test::CommitText(items(), QStringLiteral("铁")); // 铁脊蛇矛
    EXPECT_EQ(items()->focusRow(), 12);
    test::TypeText(items(), QStringLiteral("铁")); // again: 铁鞭
    EXPECT_EQ(items()->focusRow(), 18);
    unchanged("typed names");
    press(QStringLiteral("Button11"));
    for (int i = 0; i < kItems; ++i)
        ASSERT_EQ(store.items.ItemOwner[i], i < 4 ? personAt(9) : kNone) << i;
    expectPainted();

    // A program focus move (the find bar's) is where Space toggles, and the rule runs.
    clickRow(list(), 9);
    items()->setFocusRow(30);
    QTest::keyClick(items(), Qt::Key_Space);
    EXPECT_TRUE(items()->isMarked(30));
    EXPECT_EQ(form->Editor().Holder(30), personAt(9));
    press(QStringLiteral("Button11"));
    EXPECT_EQ(store.items.ItemOwner[30], personAt(9));
}

// Case 2: typed and committed names in the person list load the person found, as a click.
TEST_F(PersonInput, TypedNamesInThePersonListLoadThePersonFound)
{
    store.Names().setPerson(33, ToGbk(QStringLiteral("孙权")));
    store.Names().setPerson(34, ToGbk(QStringLiteral("孙策")));
    form->FormShow();
    clickRow(list(), 3);
    const uint16_t clicked = personAt(3);
    test::CommitText(list(), QStringLiteral("孙权"));
    EXPECT_EQ(list()->focusRow(), rowOf(33));
    EXPECT_TRUE(list()->isMarked(rowOf(33)));
    EXPECT_EQ(list()->markedCount(), 1);
    EXPECT_EQ(shown("TongShuai"), QString::number(store.persons.TongShuai[33]));
    EXPECT_TRUE(workUnchanged());
    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("98"));
    press(QStringLiteral("SpeedButton_TongShuai"));
    EXPECT_EQ(form->Editor().Work().TongShuai[33], 98);
    EXPECT_NE(form->Editor().Work().TongShuai[clicked], 98);

    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    test::TypeText(list(), QStringLiteral("孙"));
    EXPECT_EQ(list()->focusRow(), rowOf(34));
    EXPECT_EQ(shown("TongShuai"), QString::number(store.persons.TongShuai[34]));
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 1 人）"));
    press(QStringLiteral("Button11"));
    EXPECT_EQ(store.persons.TongShuai[33], 98);
    saved();
    EXPECT_EQ(fileField(33, 16), 98);
    EXPECT_NE(fileField(34, 16), 98);
}

// After the program moves the focus row (a sort keeps the focused person), Shift+click
// extends from there.
TEST_F(PersonInput, ShiftExtendsFromTheFocusRowTheProgramSet)
{
    clickRow(list(), 3);
    const uint16_t person = personAt(3);
    press(QStringLiteral("Button_Sort_TongShuai"));
    const int focus = list()->focusRow();
    ASSERT_EQ(personAt(focus), person);
    clickRow(list(), focus + 2, Qt::ShiftModifier);
    EXPECT_EQ(list()->markedCount(), 3);
    EXPECT_TRUE(list()->isMarked(focus));
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 3 人）"));
    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("7"));
    press(QStringLiteral("SpeedButton_TongShuai"));
    for (int row = focus; row <= focus + 2; ++row)
        EXPECT_EQ(form->Editor().Work().TongShuai[personAt(row)], 7) << row;
    for (int row : {focus - 1, focus + 3}) {
        if (row >= 0) {
            EXPECT_EQ(form->Editor().Work().TongShuai[personAt(row)],
                      store.persons.TongShuai[personAt(row)])
                << row;
        }
    }
}

// Ctrl+A marks every person and loads as a key does.
TEST_F(PersonInput, CtrlAMarksEveryPerson)
{
    clickRow(list(), 3);
    QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list()->markedCount(), kPersons);
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 800 人）"));
    EXPECT_TRUE(workUnchanged());
    expectPainted();
}

TEST_F(PersonInput, DropDownsTakeTheWheelOnlyWithFocus)
{
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    clickRow(list(), 3);
    for (const char* name : {"ComboBox_Prsn_XingGe", "ComboBox_Prsn_Degree", "ComboBox_Prsn_City",
                             "ComboBox_Prsn_Rank"}) {
        auto* combo = child<QComboBox>(QLatin1String(name));
        const int before = combo->currentIndex();
        test::TurnWheel(combo, false);
        test::TurnWheel(combo, true);
        test::TurnWheel(combo, true);
        EXPECT_EQ(combo->currentIndex(), before) << name;
        EXPECT_FALSE(combo->hasFocus()) << name;
    }
    EXPECT_TRUE(workUnchanged());
}

// Case 3: marks the program sets are painted at once: the treasures of the person loaded, the
// loyalty entry, and the person list after a sort and after Apply.
TEST_F(PersonInput, ProgramMarksArePaintedAtOnce)
{
    for (int i = 0; i < kItems; ++i)
        store.items.ItemOwner[i] = i % 2 == 0 ? personAt(5) : personAt(6);
    form->FormShow();
    expectPainted();
    clickRow(list(), 5);
    const QImage treasures = test::ShownPicture(items());
    expectPainted();
    clickRow(list(), 6);
    EXPECT_GT(test::PixelDifference(treasures, test::ShownPicture(items())), 1000);
    expectPainted();
    clickRow(list(), 8, Qt::ShiftModifier);
    const QImage persons = test::ShownPicture(list());
    press(QStringLiteral("Button_Sort_Name"));
    EXPECT_EQ(list()->markedCount(), 0);
    EXPECT_GT(test::PixelDifference(persons, test::ShownPicture(list())), 1000);
    expectPainted();
    press(QStringLiteral("Button_Sort_TongShuai"));
    expectPainted();
    clickRow(list(), 2);
    clickRow(faith(), 4);
    press(QStringLiteral("Button11"));
    expectPainted();
}

} // namespace
