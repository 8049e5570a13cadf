// The force editor's six lists under every input that could move a mark or the focus row: each
// either acts as the matching click or key, or changes nothing; the store is checked after
// each input (through Apply) and the painted marks against a fresh render.
#include "tests/ui/forcewindow.h"

#include "tests/ui/listinput.h"

#include <QApplication>

#include <cstring>
#include <memory>

using namespace veldor;
using namespace veldor::test::world;
using veldor::test::ClickRow;

namespace {

class ForceInput : public test::ForceWindow
{
protected:
    void applied() { press("Button_Apply"); }
    void expectPainted(const char* listName)
    {
        EXPECT_EQ(test::PaintedDifference(list(listName)), 0) << listName;
    }
    void expectEveryListPainted()
    {
        for (const char* name :
             {"ListBox_Forc_Forc", "ListBox_Forc_King", "ListBox_Forc_City",
              "ListBox_Forc_Relation", "ListBox_Forc_Metro", "ListBox_Forc_Skill"})
            expectPainted(name);
    }
    QList<int> marked(const char* listName)
    {
        QList<int> rows;
        ListBox* box = list(listName);
        for (int row = 0; row < box->count(); ++row)
            if (box->isMarked(row))
                rows << row;
        return rows;
    }
};

// Issue 13, case 1: show force 0, right-click force 5, type 777 into "钱".
TEST_F(ForceInput, RightAndMiddleClicksInTheForceListLeaveTheShownForce)
{
    store.forces.Money[0] = 1000;
    store.forces.Money[5] = 5000;
    show();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickRow(list("ListBox_Forc_Forc"), 5, button);
        EXPECT_EQ(selected("ListBox_Forc_Forc"), 0);
        EXPECT_EQ(list("ListBox_Forc_Forc")->focusRow(), 0);
        EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("1000"));
        applied();
        EXPECT_EQ(store.forces.Money[0], 1000);
        EXPECT_EQ(store.forces.Money[5], 5000);
    }
    type("Edit_Forc_Money", "777");
    applied();
    EXPECT_EQ(store.forces.Money[0], 777);
    EXPECT_EQ(store.forces.Money[5], 5000);
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.Money[0], 777);
    EXPECT_EQ(saved->forces.Money[5], 5000);
    expectEveryListPainted();
}

// Case 1: with one force shown, a right-click on another, then a click on a city: the
// home-city rule must compare the shown force's marks with the shown force's cities.
TEST_F(ForceInput, ARightClickedForceNeverMeetsTheShownForcesCities)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    ClickRow(list("ListBox_Forc_Forc"), kHollow, Qt::RightButton);
    EXPECT_EQ(selected("ListBox_Forc_Forc"), kLord);
    EXPECT_EQ(marked("ListBox_Forc_City"), (QList<int>{kLordHome, kLordCity}));
    clickRow("ListBox_Forc_City", kFreeCity);
    applied();
    for (int c = 0; c < kCities; ++c) {
        const int owner = c == kLordHome || c == kLordCity || c == kFreeCity ? kLord
                          : c == kCorpsHome                                  ? kCorps
                          : c == kHollowCity                                 ? kHollow
                                                                             : kNone;
        EXPECT_EQ(store.cities.Forc[c], owner) << c;
    }
    EXPECT_EQ(savedAndReread()->cities.Forc[kHollowCity], kHollow);
}

// Case 1: the sovereign, corps and friendliness lists keep their entry under right and middle
// clicks, and nothing is stored; the toggling lists toggle nothing.
TEST_F(ForceInput, RightAndMiddleClicksInTheOtherListsChangeNothing)
{
    show();
    clickRow("ListBox_Forc_Forc", kCorps);
    const uint16_t degree40 = store.persons.Degree[40];
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickRow(list("ListBox_Forc_King"), 40, button);
        ClickRow(list("ListBox_Forc_Metro"), 9, button);
        ClickRow(list("ListBox_Forc_Relation"), 9, button);
        ClickRow(list("ListBox_Forc_City"), kFreeCity, button);
        ClickRow(list("ListBox_Forc_Skill"), 3, button);
        EXPECT_EQ(selected("ListBox_Forc_King"), kCorpsKing);
        EXPECT_EQ(selected("ListBox_Forc_Metro"), kLord);
        EXPECT_EQ(selected("ListBox_Forc_Relation"), kCorps);
        EXPECT_EQ(marked("ListBox_Forc_City"), QList<int>{kCorpsHome});
        applied();
        EXPECT_EQ(store.forces.King[kCorps], kCorpsKing);
        EXPECT_EQ(store.forces.Metro[kCorps], kLord);
        EXPECT_EQ(store.persons.Degree[40], degree40);
        EXPECT_EQ(store.cities.Forc[kFreeCity], kNone);
    }
    // The friendliness edit still writes the entry that is shown selected.
    type("Edit_Forc_Relation", "77");
    applied();
    EXPECT_EQ(store.forces.Relation[kCorps][kCorps], 77);
    EXPECT_NE(store.forces.Relation[kCorps][9], 77);
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.King[kCorps], kCorpsKing);
    EXPECT_EQ(saved->forces.Metro[kCorps], kLord);
    EXPECT_EQ(saved->forces.Relation[kCorps][kCorps], 77);
    expectEveryListPainted();
}

// Case 2: text typed or committed by an input method in the force list loads the force it
// finds, as a click on it would; the force list's key routine runs first.
TEST_F(ForceInput, TypedTextInTheForceListLoadsTheForceItFinds)
{
    store.forces.Money[kCorps] = 3333;
    store.forces.Money[kHollow] = 4444;
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    const QString corps = row("ListBox_Forc_Forc", kCorps);
    ASSERT_FALSE(corps.isEmpty());
    test::CommitText(list("ListBox_Forc_Forc"), corps.left(1));
    EXPECT_EQ(selected("ListBox_Forc_Forc"), kCorps);
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("3333"));
    EXPECT_EQ(selected("ListBox_Forc_King"), kCorpsKing);
    type("Edit_Forc_Money", "777");
    applied();
    EXPECT_EQ(store.forces.Money[kCorps], 777);
    EXPECT_EQ(store.forces.Money[kLord], form.Editor().forces.Money[kLord]);

    // The same through a key: "空" (an empty force) after force 3 is force 4.
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    test::TypeText(list("ListBox_Forc_Forc"), row("ListBox_Forc_Forc", kHollow).left(1));
    EXPECT_EQ(selected("ListBox_Forc_Forc"), kHollow);
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("4444"));
    type("Edit_Forc_Money", "888");
    applied();
    EXPECT_EQ(store.forces.Money[kHollow], 888);
    EXPECT_EQ(store.forces.Money[kCorps], 777);
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.Money[kCorps], 777);
    EXPECT_EQ(saved->forces.Money[kHollow], 888);
    expectEveryListPainted();
}

// Case 2 and 4: in the city and skill lists typed text moves the focus only, and Ctrl+A and
// keys that move the focus mark nothing and store nothing.
TEST_F(ForceInput, TypingCtrlAAndMovingInTheToggleListsStoreNothing)
{
    for (bool& flag : store.forces.Skill[kLord])
        flag = false;
    store.forces.Skill[kLord][0] = true;
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    ListBox* skills = list("ListBox_Forc_Skill");
    ListBox* cities = list("ListBox_Forc_City");
    applied(); // stores the shown force's numbers clamped
    const auto before = std::make_unique<ScenarioTables>(store);
    const auto unchanged = [&] {
        applied();
        EXPECT_EQ(
            std::memcmp(before.get(), static_cast<ScenarioTables*>(&store), sizeof(ScenarioTables)),
            0);
        EXPECT_EQ(marked("ListBox_Forc_Skill"), QList<int>{0});
        EXPECT_EQ(marked("ListBox_Forc_City"), (QList<int>{kLordHome, kLordCity}));
    };
    test::CommitText(skills, QStringLiteral("突")); // 突破, 突进, 突击
    EXPECT_EQ(skills->focusRow(), 3);
    unchanged();
    test::TypeText(skills, QStringLiteral("突"));
    EXPECT_EQ(skills->focusRow(), 4);
    unchanged();
    QTest::keyClick(skills, Qt::Key_A, Qt::ControlModifier);
    unchanged();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Home})
        QTest::keyClick(skills, key);
    unchanged();
    const QString freeCity = row("ListBox_Forc_City", kFreeCity);
    test::CommitText(cities, freeCity.left(1));
    EXPECT_TRUE(cities->item(cities->focusRow())->text().startsWith(freeCity.left(1)));
    unchanged();
    QTest::keyClick(cities, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(cities, Qt::Key_Down);
    unchanged();
    // Space toggles the row in focus and runs the rule, as a click does.
    QTest::keyClick(skills, Qt::Key_Home);
    QTest::keyClick(skills, Qt::Key_Down);
    QTest::keyClick(skills, Qt::Key_Space);
    applied();
    EXPECT_TRUE(store.forces.Skill[kLord][1]);
    EXPECT_TRUE(savedAndReread()->forces.Skill[kLord][1]);
    expectEveryListPainted();
}

// A Ctrl+click on the chosen entry of a single-selection list keeps it chosen.
TEST_F(ForceInput, CtrlClicksKeepTheChosenEntries)
{
    store.forces.Money[kLord] = 2222;
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    ClickRow(list("ListBox_Forc_Forc"), kLord, Qt::LeftButton, Qt::ControlModifier);
    ClickRow(list("ListBox_Forc_King"), kLordKing, Qt::LeftButton, Qt::ControlModifier);
    ClickRow(list("ListBox_Forc_Relation"), kLord, Qt::LeftButton, Qt::ControlModifier);
    QTest::keyClick(list("ListBox_Forc_Metro"), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selected("ListBox_Forc_Forc"), kLord);
    EXPECT_EQ(selected("ListBox_Forc_King"), kLordKing);
    EXPECT_EQ(selected("ListBox_Forc_Relation"), kLord);
    EXPECT_EQ(selected("ListBox_Forc_Metro"), kLord);
    type("Edit_Forc_Money", "1");
    applied();
    EXPECT_EQ(store.forces.Money[kLord], 1);
    EXPECT_EQ(store.forces.King[kLord], kLordKing);
    expectEveryListPainted();
}

// Case 4: the wheel over a drop-down without focus changes nothing; with focus it chooses.
TEST_F(ForceInput, DropDownsTakeTheWheelOnlyWithFocus)
{
    store.forces.Rank[kLord] = 2;
    store.forces.Name[kLord] = 1;
    show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    clickRow("ListBox_Forc_Forc", kLord);
    auto* rank = control<QComboBox>("ComboBox_Forc_Rank");
    auto* name = control<QComboBox>("ComboBox_Forc_Name");
    test::TurnWheel(rank, false);
    test::TurnWheel(name, false);
    EXPECT_FALSE(rank->hasFocus());
    EXPECT_EQ(rank->currentIndex(), 2);
    EXPECT_EQ(name->currentIndex(), 1);
    applied();
    EXPECT_EQ(store.forces.Rank[kLord], 2);
    EXPECT_EQ(store.forces.Name[kLord], 1);
    rank->setFocus();
    test::TurnWheel(rank, false);
    EXPECT_EQ(rank->currentIndex(), 3);
    applied();
    EXPECT_EQ(store.forces.Rank[kLord], 3);
    EXPECT_EQ(savedAndReread()->forces.Rank[kLord], 3);
}

// Case 3: marks the program sets are painted at once, in every list, after choosing another
// force and after "删除势力".
TEST_F(ForceInput, ProgramMarksArePaintedAtOnce)
{
    for (int k = 0; k < kSkills; ++k) {
        store.forces.Skill[kLord][k] = k % 2 == 0;
        store.forces.Skill[kCorps][k] = k % 3 == 0;
    }
    show();
    QTest::qWait(20);
    clickRow("ListBox_Forc_Forc", kLord);
    const QImage cities = test::ShownPicture(list("ListBox_Forc_City"));
    const QImage skills = test::ShownPicture(list("ListBox_Forc_Skill"));
    expectEveryListPainted();
    clickRow("ListBox_Forc_Forc", kCorps);
    EXPECT_GT(test::PixelDifference(cities, test::ShownPicture(list("ListBox_Forc_City"))), 1000);
    EXPECT_GT(test::PixelDifference(skills, test::ShownPicture(list("ListBox_Forc_Skill"))), 1000);
    expectEveryListPainted();
    QTest::keyClick(list("ListBox_Forc_Forc"), Qt::Key_Up);
    expectEveryListPainted();
    press("Button_Delete");
    EXPECT_TRUE(marked("ListBox_Forc_City").isEmpty());
    expectEveryListPainted();
    {
        test::NextAnswer drop(QStringLiteral("放弃"));
        press("Button_Cancel");
    }
    show();
    expectEveryListPainted();
}

} // namespace
