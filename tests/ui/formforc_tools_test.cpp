#include "tests/ui/forcewindow.h"

#include <cstring>

using namespace veldor;
using namespace veldor::test::world;

namespace {

struct ForceTools : test::ForceWindow
{
    ForceTools()
    {
        for (int p = 0; p < kPersons; ++p) {
            store.persons.XiangXing[p] = 77;
            for (int j = 0; j < kForces; ++j)
                store.persons.Faith[p][j] = 60;
        }
    }
};

TEST_F(ForceTools, RelationEditWritesOneDirectionOnly)
{
    store.forces.Relation[3][7] = 1;
    store.forces.Relation[7][3] = 12;
    show();
    clickRow("ListBox_Forc_Forc", 3);
    EXPECT_EQ(text("Edit_Forc_Relation"), QString::number(store.forces.Relation[3][3]));
    clickRow("ListBox_Forc_Relation", 7);
    EXPECT_EQ(text("Edit_Forc_Relation"), QStringLiteral("1"));
    type("Edit_Forc_Relation", "40");
    EXPECT_TRUE(row("ListBox_Forc_Relation", 7).endsWith(QStringLiteral("(40)")));
    EXPECT_EQ(selected("ListBox_Forc_Relation"), 7);
    type("Edit_Forc_Relation", "300");
    EXPECT_EQ(text("Edit_Forc_Relation"), QStringLiteral("255"));
    press("Button_Apply");
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->forces.Relation[3][7], 255);
    EXPECT_EQ(saved->forces.Relation[7][3], 12);
}

TEST_F(ForceTools, LoyaltyToolsReachExactlyThePersonsOfTheForce)
{
    show();
    clickRow("ListBox_Forc_Forc", kLord);
    clickRow("ListBox_Forc_City", kFreeCity); // person 30 joins before Apply
    type("Edit_Faith_CurrentForce", "");
    press("Button_Faith_CurrentForce");
    type("Edit_Faith_OtherForce", "abc");
    press("Button_Faith_OtherForce");
    press("Button_Apply");
    auto saved = savedAndReread();
    for (int p : {kLordKing, kLordStrategist, kPrisoner, kFree})
        EXPECT_EQ(saved->persons.Faith[p][kLord], 0) << p;
    EXPECT_EQ(saved->persons.Faith[kGenerated][kLord], 60);
    EXPECT_EQ(saved->persons.Faith[kCorpsKing][kLord], 60);
    EXPECT_EQ(saved->persons.Faith[kLordKing][kCorps], 60); // "abc" changed nothing

    type("Edit_Faith_OtherForce", "9");
    press("Button_Faith_OtherForce");
    press("Button_Apply");
    saved = savedAndReread();
    EXPECT_EQ(saved->persons.Faith[kFree][kCorps], 9);
    EXPECT_EQ(saved->persons.Faith[kFree][kLord], 0);
    EXPECT_EQ(saved->persons.Faith[kGenerated][kCorps], 60);
    EXPECT_EQ(saved->persons.Faith[kCorpsKing][kHollow], 60);
}

TEST_F(ForceTools, CompatibilityReachesGeneratedPersonsAndShowsTheSovereigns)
{
    store.persons.XiangXing[kLordKing] = 300;
    show();
    EXPECT_EQ(text("Edit_ForcXX"), QStringLiteral("0")); // force 0 has no sovereign
    clickRow("ListBox_Forc_Forc", kLord);
    EXPECT_EQ(text("Edit_ForcXX"), QStringLiteral("255"));
    type("Edit_ForcXX", "x");
    EXPECT_EQ(text("Edit_ForcXX"), QStringLiteral("0"));
    type("Edit_ForcXX", "42");
    press("Button_ForceXX");
    press("Button_Ok");
    const auto saved = savedAndReread();
    for (int p : {kLordKing, kLordStrategist, kPrisoner, kGenerated})
        EXPECT_EQ(saved->persons.XiangXing[p], 42) << p;
    EXPECT_EQ(saved->persons.XiangXing[kCorpsKing], 77);
    EXPECT_EQ(saved->persons.XiangXing[kFree], 77);
}

TEST_F(ForceTools, StandardPatternAndPlacesFollowingTheirCities)
{
    store.persons.Faith[kLordKing][kLord] = 180;
    store.persons.Faith[kLordKing][kCorps] = 90;
    store.places.PlaceForc[0] = 9;
    store.places.PlaceCity[0] = kHollowCity;
    store.places.PlaceForc[1] = 9;
    store.places.PlaceCity[1] = kFreeCity;
    store.places.PlaceForc[2] = kNone;
    store.places.PlaceCity[2] = kLordCity;
    store.places.PlaceForc[3] = 9;
    store.places.PlaceCity[3] = 60;
    show();
    press("Button2");
    press("Button6");
    press("Button_Apply");
    const auto saved = savedAndReread();
    EXPECT_EQ(saved->persons.Faith[kLordKing][kLord], 180);
    EXPECT_EQ(saved->persons.Faith[kLordKing][kCorps], 50);
    EXPECT_EQ(saved->persons.Faith[kCorpsKing][kCorps], 100);
    EXPECT_EQ(saved->persons.Faith[kFree][kCorps], 60);
    EXPECT_EQ(saved->persons.Faith[kGenerated][kCorps], 60);
    EXPECT_EQ(saved->places.PlaceForc[0], kHollow);
    EXPECT_EQ(saved->places.PlaceForc[1], kNone);
    EXPECT_EQ(saved->places.PlaceForc[2], kNone);
    EXPECT_EQ(saved->places.PlaceForc[3], 9);
}

TEST_F(ForceTools, CancelAfterToolsLeavesTheStoreAndToolTextsStay)
{
    show();
    const auto before = std::make_unique<ScenarioTables>(store);
    clickRow("ListBox_Forc_Forc", kLord);
    clickRow("ListBox_Forc_Relation", 5);
    type("Edit_Forc_Relation", "3");
    type("Edit_Faith_CurrentForce", "77");
    press("Button_Faith_CurrentForce");
    press("Button_Faith_OtherForce");
    press("Button_ForceXX");
    press("Button2");
    press("Button6");
    {
        test::NextAnswer drop(QStringLiteral("放弃"));
        form.reject(); // the title bar's close box
    }
    EXPECT_EQ(
        std::memcmp(before.get(), static_cast<ScenarioTables*>(&store), sizeof(ScenarioTables)), 0);
    EXPECT_EQ(refreshes, 0);
    show();
    EXPECT_EQ(text("Edit_Faith_CurrentForce"), QStringLiteral("77"));
    EXPECT_EQ(text("Edit_Faith_OtherForce"), QStringLiteral("0"));
    EXPECT_EQ(selected("ListBox_Forc_Forc"), 0);
}

} // namespace
