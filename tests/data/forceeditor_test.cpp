#include "data/rules/forceeditor.h"

#include "data/format/displaytext.h"
#include "data/session/scenariostore.h"
#include "support/forceworld.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace veldor;
using namespace veldor::test::world;

namespace {

struct ForceEditorTest : ::testing::Test
{
    ForceEditorTest()
    {
        test::LayForceWorld(store);
        editor.Load();
    }

    CityMarks clickCity(int force, int city)
    {
        CityMarks marks = editor.OwnedCities(force);
        marks[city] = !marks[city];
        return editor.ToggleCities(force, marks);
    }

    ScenarioStore store;
    ForceEditor editor{store};
};

TEST_F(ForceEditorTest, WorkingCopyReachesTheStoreOnlyOnStore)
{
    store.persons.Faith[40][7] = 200;
    editor.Load();
    editor.SetNumber(kLord, ForceNumber::Money, 1234);
    editor.SelectKing(kHollow, 40);
    editor.Faith[40][7] = 0x1FF; // only the low byte reaches a byte field
    EXPECT_NE(store.forces.Money[kLord], 1234);
    EXPECT_EQ(store.persons.Degree[40], kUndiscovered);

    editor.Store();
    EXPECT_EQ(store.forces.Money[kLord], 1234);
    EXPECT_EQ(store.forces.King[kHollow], 40);
    EXPECT_EQ(store.persons.Degree[40], kSovereign);
    EXPECT_EQ(store.persons.Faith[40][7], 0xFF);

    editor.SetNumber(kLord, ForceNumber::Money, 99);
    editor.Load(); // what Cancel does
    EXPECT_EQ(editor.forces.Money[kLord], 1234);
}

TEST_F(ForceEditorTest, ShowingAForceClampsItsNumbersAndNoOther)
{
    store.forces.MinRepute[kLord] = 1500;
    store.forces.Repute[kLord] = 1000;
    store.forces.Money[kLord] = -5;
    store.forces.Grain[kLord] = 40000000;
    store.forces.MinRepute[kCorps] = 1500;
    editor.Load();
    editor.ClampShownNumbers(kLord);
    editor.Store();
    EXPECT_EQ(store.forces.MinRepute[kLord], 1000);
    EXPECT_EQ(store.forces.Repute[kLord], 1000);
    EXPECT_EQ(store.forces.Money[kLord], 0);
    EXPECT_EQ(store.forces.Grain[kLord], 30000000);
    EXPECT_EQ(store.forces.MinRepute[kCorps], 1500);
}

TEST_F(ForceEditorTest, RankAndStateNameItems)
{
    store.forces.Name[0] = 25;
    store.forces.Name[1] = kNone;
    store.forces.Name[5] = 20;
    store.forces.Name[6] = 19;
    store.forces.Rank[0] = 9;
    store.forces.Rank[1] = 8;
    editor.Load();
    EXPECT_EQ(editor.NameItem(0), kNoForceNameItem);
    EXPECT_EQ(editor.NameItem(1), kNoForceNameItem);
    EXPECT_EQ(editor.NameItem(5), kNoForceNameItem);
    EXPECT_EQ(editor.NameItem(6), 19);
    EXPECT_EQ(editor.RankItem(0), -1);
    EXPECT_EQ(editor.RankItem(1), 8);

    editor.ChooseNameItem(6, kNoForceNameItem);
    editor.ChooseRankItem(0, 8);
    editor.ChooseNameItem(1, 3);
    EXPECT_EQ(editor.forces.Name[6], kNone);
    EXPECT_EQ(editor.forces.Rank[0], 8);
    EXPECT_EQ(editor.forces.Name[1], 3);
    EXPECT_EQ(editor.forces.Name[0], 25); // shown as "——", kept until chosen
}

TEST_F(ForceEditorTest, NewSovereignRulesAndTheOldOneKeepsHisStanding)
{
    editor.SelectKing(kLord, kLordStrategist);
    EXPECT_EQ(editor.forces.King[kLord], kLordStrategist);
    EXPECT_EQ(editor.Degree[kLordStrategist], kSovereign);
    EXPECT_EQ(editor.Degree[kLordKing], kSovereign);
    EXPECT_EQ(editor.ForceEntryText(kLord), PrsnNameText(store.Names(), kLordStrategist));
}

TEST_F(ForceEditorTest, CorpsOwnerSetsTheSovereignsStanding)
{
    editor.SelectMetro(kLord, kCorps);
    EXPECT_EQ(editor.forces.Metro[kLord], kCorps);
    EXPECT_EQ(editor.Degree[kLordKing], kCorpsCommander);
    editor.SelectMetro(kLord, kLord);
    EXPECT_EQ(editor.Degree[kLordKing], kSovereign);

    uint16_t before[kPersons];
    std::memcpy(before, editor.Degree, sizeof before);
    editor.SelectMetro(kHollow, kHollow); // no sovereign: nobody's standing changes
    EXPECT_EQ(editor.forces.Metro[kHollow], kHollow);
    EXPECT_EQ(std::memcmp(before, editor.Degree, sizeof before), 0);
}

TEST_F(ForceEditorTest, SovereignsKeepTheirHomeCities)
{
    // Unmarking the own sovereign's city is refused.
    CityMarks marks = clickCity(kLord, kLordHome);
    EXPECT_TRUE(marks[kLordHome]);
    EXPECT_EQ(editor.Forc[kLordHome], kLord);
    // Marking another sovereign's city is refused.
    marks = clickCity(kLord, kCorpsHome);
    EXPECT_FALSE(marks[kCorpsHome]);
    EXPECT_EQ(editor.Forc[kCorpsHome], kCorps);
    // A force without sovereign guards nothing: its city can be taken.
    marks = clickCity(kLord, kHollowCity);
    EXPECT_TRUE(marks[kHollowCity]);
    EXPECT_EQ(editor.Forc[kHollowCity], kLord);
    // An ordinary city can be given up.
    clickCity(kLord, kLordCity);
    EXPECT_EQ(editor.Forc[kLordCity], kNone);
}

TEST_F(ForceEditorTest, HomeCityRuleFollowsSovereignsOfTheWorkingCopy)
{
    editor.SelectKing(kHollow, kFree); // person 30 stands in city 9
    EXPECT_FALSE(clickCity(kLord, kFreeCity)[kFreeCity]);
    EXPECT_TRUE(clickCity(kHollow, kFreeCity)[kFreeCity]);
    EXPECT_EQ(editor.Forc[kFreeCity], kHollow);
}

TEST_F(ForceEditorTest, DeletingAnIndependentForceEmptiesItsSlot)
{
    store.forces.Money[kLord] = 777;
    store.forces.Relation[kLord][kCorps] = 33;
    editor.Load();
    editor.Delete(kLord);
    EXPECT_EQ(editor.Degree[kLordKing], kOfficer);
    EXPECT_EQ(editor.Degree[kLordStrategist], kOfficer);
    EXPECT_EQ(editor.Degree[kCorpsStrategist], kStrategist); // another force's strategist
    EXPECT_EQ(editor.Degree[kPrisoner], kCaptive);
    EXPECT_EQ(editor.Forc[kLordHome], kNone);
    EXPECT_EQ(editor.Forc[kLordCity], kNone);
    EXPECT_EQ(editor.forces.Metro[kCorps], kCorps);
    EXPECT_EQ(editor.Degree[kCorpsKing], kSovereign);
    EXPECT_EQ(editor.forces.Metro[kHollow], kHollow);
    EXPECT_EQ(editor.forces.King[kLord], kNone);
    EXPECT_EQ(editor.forces.Metro[kLord], kLord);
    EXPECT_EQ(editor.forces.Money[kLord], 777);
    EXPECT_EQ(editor.forces.Relation[kLord][kCorps], 33);
    EXPECT_EQ(editor.Forc[kCorpsHome], kCorps);
}

TEST_F(ForceEditorTest, DeletingAForceWithoutSovereignStillFreesCitiesAndCorps)
{
    editor.SelectMetro(kCorps, kHollow);
    editor.Delete(kHollow);
    EXPECT_EQ(editor.Forc[kHollowCity], kNone);
    EXPECT_EQ(editor.forces.Metro[kCorps], kCorps);
    EXPECT_EQ(editor.Degree[kCorpsKing], kSovereign); // through the corps rule only
    EXPECT_EQ(editor.Degree[kLordKing], kSovereign);
}

TEST_F(ForceEditorTest, DeletionSeesCitiesMovedBeforeApply)
{
    // City 7 moves to force 2 in the working copy: its strategist is now force 2's.
    CityMarks marks = editor.OwnedCities(kLord);
    marks[kCorpsHome] = true;
    editor.SetOwnedCities(kLord, marks);
    editor.Delete(kLord);
    EXPECT_EQ(editor.Degree[kCorpsStrategist], kOfficer);
    EXPECT_EQ(editor.Forc[kCorpsHome], kNone);
}

TEST_F(ForceEditorTest, DeletedEntriesAndInvalidIndicesAreHarmless)
{
    EXPECT_EQ(ForceEditor::DeletedForceText().size(), 9);
    editor.forces.Relation[kLord][kLord] = 7;
    EXPECT_EQ(editor.DeletedRelationText(kLord), ForceEditor::DeletedForceText() + "(7)");
    editor.SelectKing(kLord, -1);
    editor.SelectKing(-1, 5);
    editor.SelectMetro(kLord, -1);
    editor.Delete(kForces);
    EXPECT_EQ(editor.forces.King[kLord], kLordKing);
    EXPECT_EQ(editor.forces.Metro[kLord], kLord);
}

} // namespace
