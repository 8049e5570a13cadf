#include "tests/ui/forcewindow.h"

#include "data/format/displaytext.h"

#include <cstring>

using namespace veldor;
using namespace veldor::test::world;

namespace {

using ForceForm = test::ForceWindow;

TEST_F(ForceForm, WindowHasItsNameCaptionAndSize)
{
    show();
    EXPECT_EQ(form.objectName(), QStringLiteral("FForc"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("势力修改"));
    EXPECT_EQ(form.size(), QSize(687, 509));
    EXPECT_EQ(list("ListBox_Forc_Skill")->item(14)->text(), QStringLiteral("门舰"));
    EXPECT_EQ(list("ListBox_Forc_King")->count(), kPersons);
    EXPECT_EQ(text("Edit_Faith_CurrentForce"), QStringLiteral("255"));
    EXPECT_EQ(text("Edit_Faith_OtherForce"), QStringLiteral("0"));
    // Every control lies inside the window, so nothing needs scrolling.
    const QRect client = form.rect();
    for (QWidget* child : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(client.contains(child->geometry())) << child->objectName().toStdString();
}

TEST_F(ForceForm, ShownForcesAreClampedAndOnlyTheyAreWrittenSo)
{
    store.forces.MinRepute[0] = 1500;
    store.forces.Money[0] = -7;
    store.forces.MinRepute[kCorps] = 1500;
    show();
    EXPECT_EQ(text("Edit_Forc_MinRepute"), QStringLiteral("1000"));
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("0"));
    EXPECT_EQ(store.forces.MinRepute[0], 1500); // not before Apply
    press("Button_Apply");
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(form.isVisible());
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.MinRepute[0], 1000);
    EXPECT_EQ(saved->forces.Money[0], 0);
    EXPECT_EQ(saved->forces.MinRepute[kCorps], 1500);
}

TEST_F(ForceForm, AttributeEditsClampEmptyAndFallBack)
{
    store.forces.Money[kLord] = 4321;
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("4321"));
    type("Edit_Forc_Money", "x");
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("4321"));
    type("Edit_Forc_Money", "");
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("0"));
    type("Edit_Forc_Grain", "99999999");
    EXPECT_EQ(text("Edit_Forc_Grain"), QStringLiteral("30000000"));
    type("Edit_Forc_Repute", "800");
    press("Button_Ok");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.Money[kLord], 0);
    EXPECT_EQ(saved->forces.Grain[kLord], 30000000);
    EXPECT_EQ(saved->forces.Repute[kLord], 800);
}

TEST_F(ForceForm, RankNameAndSkillChoices)
{
    store.forces.Name[0] = 25;
    store.forces.Name[kLord] = 1;
    store.forces.Rank[kLord] = 2;
    for (bool& flag : store.forces.Skill[kLord])
        flag = false;
    show();
    EXPECT_EQ(control<QComboBox>("ComboBox_Forc_Name")->currentIndex(), 20);
    clickRow("ListBox_Forc_Forc", kLord);
    EXPECT_EQ(control<QComboBox>("ComboBox_Forc_Rank")->currentIndex(), 2);
    QTest::keyClick(control<QComboBox>("ComboBox_Forc_Name"), Qt::Key_End);
    QTest::keyClick(control<QComboBox>("ComboBox_Forc_Rank"), Qt::Key_End);
    clickRow("ListBox_Forc_Skill", 14);
    clickRow("ListBox_Forc_Skill", 30);
    clickRow("ListBox_Forc_Skill", 30);
    press("Button_Apply");
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.Name[kLord], kNone);
    EXPECT_EQ(saved->forces.Rank[kLord], 8);
    EXPECT_EQ(saved->forces.Name[0], 25); // shown as "——", never chosen
    for (int k = 0; k < kSkills; ++k)
        EXPECT_EQ(saved->forces.Skill[kLord][k], k == 14) << k;
}

TEST_F(ForceForm, NewSovereignShowsAtOnceInBothForceLists)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    EXPECT_EQ(selected("ListBox_Forc_King"), kLordKing);
    clickRow("ListBox_Forc_King", 40);
    const QString name = FromGbk(PrsnNameText(store.Names(), 40));
    EXPECT_EQ(row("ListBox_Forc_Forc", kLord), name);
    EXPECT_EQ(row("ListBox_Forc_Metro", kLord), name);
    EXPECT_TRUE(row("ListBox_Forc_Relation", kLord).startsWith(name + u'('));
    EXPECT_EQ(selected("ListBox_Forc_Forc"), kLord);
    // A keyboard move in the sovereign list chooses too.
    QTest::keyClick(list("ListBox_Forc_King"), Qt::Key_Down);
    EXPECT_EQ(row("ListBox_Forc_Forc", kLord), FromGbk(PrsnNameText(store.Names(), 41)));
    press("Button_Apply");
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.King[kLord], 41);
    EXPECT_EQ(saved->persons.Degree[40], kSovereign);
    EXPECT_EQ(saved->persons.Degree[41], kSovereign);
    EXPECT_EQ(saved->persons.Degree[kLordKing], kSovereign);
}

TEST_F(ForceForm, CorpsOwnerMakesTheSovereignACommanderAndBack)
{
    show();
    clickRow("ListBox_Forc_Forc", kCorps);
    EXPECT_EQ(selected("ListBox_Forc_Metro"), kLord);
    clickRow("ListBox_Forc_Metro", 9);
    press("Button_Apply");
    EXPECT_EQ(store.forces.Metro[kCorps], 9);
    EXPECT_EQ(store.persons.Degree[kCorpsKing], kCorpsCommander);
    clickRow("ListBox_Forc_Metro", kCorps);
    press("Button_Apply");
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.Metro[kCorps], kCorps);
    EXPECT_EQ(saved->persons.Degree[kCorpsKing], kSovereign);
}

TEST_F(ForceForm, ForceListRunsItsRoutineOnKeysBeforeTheListMoves)
{
    store.forces.Money[kCorps] = 555;
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    QTest::keyClick(list("ListBox_Forc_Forc"), Qt::Key_Down);
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("555"));
    // Choosing another friendliness entry, then typing a character in the force list, shows
    // the chosen force again: its own entry is selected anew.
    clickRow("ListBox_Forc_Relation", 9);
    EXPECT_EQ(selected("ListBox_Forc_Relation"), 9);
    QTest::keyClick(list("ListBox_Forc_Forc"), Qt::Key_Space);
    EXPECT_EQ(selected("ListBox_Forc_Relation"), kCorps);
}

TEST_F(ForceForm, CityListKeepsSovereignsHomeCities)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    ListBox* cities = list("ListBox_Forc_City");
    EXPECT_TRUE(cities->isMarked(kLordHome));
    EXPECT_TRUE(cities->isMarked(kLordCity));
    EXPECT_EQ(cities->markedCount(), 2);
    clickRow("ListBox_Forc_City", kLordHome);
    EXPECT_TRUE(cities->isMarked(kLordHome));
    clickRow("ListBox_Forc_City", kCorpsHome);
    EXPECT_FALSE(cities->isMarked(kCorpsHome));
    clickRow("ListBox_Forc_City", kFreeCity);
    clickRow("ListBox_Forc_City", kLordCity);
    EXPECT_EQ(cities->markedCount(), 2);
    press("Button_Ok");
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->cities.Forc[kLordHome], kLord);
    EXPECT_EQ(saved->cities.Forc[kCorpsHome], kCorps);
    EXPECT_EQ(saved->cities.Forc[kFreeCity], kLord);
    EXPECT_EQ(saved->cities.Forc[kLordCity], kNone);
}

TEST_F(ForceForm, MovingThroughTheCityListChangesNoOwner)
{
    store.cities.Forc[kLordHome] = kNone; // the sovereign stands in a city his force lost
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    clickRow("ListBox_Forc_City", kLordHome - 1);
    QTest::keyClick(list("ListBox_Forc_City"), Qt::Key_Down);
    EXPECT_EQ(list("ListBox_Forc_City")->focusRow(), kLordHome);
    EXPECT_FALSE(list("ListBox_Forc_City")->isMarked(kLordHome));
    QTest::keyClick(list("ListBox_Forc_City"), Qt::Key_Space); // a toggle is a click
    EXPECT_TRUE(list("ListBox_Forc_City")->isMarked(kLordHome));
    press("Button_Apply");
    EXPECT_EQ(store.cities.Forc[kLordHome - 1], kLord);
    EXPECT_EQ(store.cities.Forc[kLordHome], kLord);
}

// A drag over the city list toggles every row it passes, not only the one released on; the
// home-city rule judges each of them, and the marks keep showing the cities the force owns.
TEST_F(ForceForm, DraggingOverTheCityListKeepsTheHomeCityRule)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    ListBox* cities = list("ListBox_Forc_City");
    const auto drag = [&](int fromRow, int toRow) {
        const QPoint from = cities->visualItemRect(cities->item(fromRow)).center();
        const QPoint to = cities->visualItemRect(cities->item(toRow)).center();
        QTest::mousePress(cities->viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to),
                         cities->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(cities->viewport(), &move);
        QTest::mouseRelease(cities->viewport(), Qt::LeftButton, {}, to);
    };
    drag(kLordHome, kFreeCity);
    drag(kLordCity, kFreeCity);
    for (int c = 0; c < kCities; ++c)
        EXPECT_EQ(cities->isMarked(c), form.Editor().Forc[c] == kLord) << c;
    press("Button_Apply");
    EXPECT_EQ(store.cities.Forc[kLordHome], kLord);
    EXPECT_EQ(store.cities.Forc[kCorpsHome], kCorps);
}

TEST_F(ForceForm, DeletingAnIndependentForceWithStrategistsAndCorps)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    press("Button_Delete");
    const QString empty = QStringLiteral("空       ");
    EXPECT_EQ(row("ListBox_Forc_Forc", kLord), empty);
    EXPECT_EQ(row("ListBox_Forc_Metro", kLord), empty);
    EXPECT_TRUE(row("ListBox_Forc_Relation", kLord).startsWith(empty + u'('));
    EXPECT_EQ(list("ListBox_Forc_King")->markedCount(), 0);
    EXPECT_EQ(list("ListBox_Forc_City")->markedCount(), 0);
    EXPECT_EQ(selected("ListBox_Forc_Metro"), kLord);
    EXPECT_EQ(selected("ListBox_Forc_Forc"), kLord);
    EXPECT_EQ(store.forces.King[kLord], kLordKing); // nothing written yet
    press("Button_Ok");
    EXPECT_EQ(refreshes, 1);
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.King[kLord], kNone);
    EXPECT_EQ(saved->forces.Metro[kLord], kLord);
    EXPECT_EQ(saved->persons.Degree[kLordKing], kOfficer);
    EXPECT_EQ(saved->persons.Degree[kLordStrategist], kOfficer);
    EXPECT_EQ(saved->persons.Degree[kCorpsStrategist], kStrategist);
    EXPECT_EQ(saved->cities.Forc[kLordHome], kNone);
    EXPECT_EQ(saved->cities.Forc[kLordCity], kNone);
    EXPECT_EQ(saved->forces.Metro[kCorps], kCorps);
    EXPECT_EQ(saved->persons.Degree[kCorpsKing], kSovereign);
    EXPECT_EQ(saved->forces.Metro[kHollow], kHollow);
}

TEST_F(ForceForm, CancelDropsEveryChangeButKeepsWhatWasApplied)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    type("Edit_Forc_Money", "111");
    press("Button_Apply");
    const auto applied = std::make_unique<ScenarioTables>(store);
    type("Edit_Forc_Money", "222");
    clickRow("ListBox_Forc_King", 40);
    clickRow("ListBox_Forc_City", kFreeCity);
    press("Button_Delete");
    {
        test::NextAnswer drop(QStringLiteral("放弃"));
        press("Button_Cancel");
    }
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(
        std::memcmp(applied.get(), static_cast<ScenarioTables*>(&store), sizeof(ScenarioTables)),
        0);
    EXPECT_EQ(store.forces.Money[kLord], 111);
    // The next showing starts from the store again.
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    EXPECT_EQ(text("Edit_Forc_Money"), QStringLiteral("111"));
    EXPECT_EQ(row("ListBox_Forc_Forc", kLord), FromGbk(PrsnNameText(store.Names(), kLordKing)));
}

// The sovereign list is made again only where names changed; a showing still starts with only
// the chosen force's sovereign and cities marked.
TEST_F(ForceForm, NextShowingShowsChangedNamesAndOnlyTheChosenForcesMarks)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    clickRow("ListBox_Forc_King", 40);
    clickRow("ListBox_Forc_City", kFreeCity);
    {
        test::NextAnswer drop(QStringLiteral("放弃"));
        press("Button_Cancel");
    }
    store.Names().setPerson(41, ToGbk(QStringLiteral("新名")));
    show();
    EXPECT_EQ(row("ListBox_Forc_King", 41), QStringLiteral("新名    "));
    EXPECT_EQ(row("ListBox_Forc_King", 40), FromGbk(PrsnNameText(store.Names(), 40)));
    clickRow("ListBox_Forc_Forc", kLord);
    EXPECT_EQ(list("ListBox_Forc_King")->markedRows(), QList<int>{kLordKing});
    EXPECT_EQ(list("ListBox_Forc_City")->markedRows(), (QList<int>{kLordHome, kLordCity}));
}

} // namespace
