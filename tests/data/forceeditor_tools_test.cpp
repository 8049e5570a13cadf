#include "data/rules/forceeditor.h"

#include "data/rules/clampednumber.h"
#include "data/rules/personforce.h"
#include "data/session/scenariostore.h"
#include "support/forceworld.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace veldor;
using namespace veldor::test::world;

namespace {

struct ForceToolsTest : ::testing::Test
{
    ForceToolsTest()
    {
        test::LayForceWorld(store);
        for (int p = 0; p < kPersons; ++p) {
            store.persons.XiangXing[p] = 77;
            for (int j = 0; j < kForces; ++j)
                store.persons.Faith[p][j] = 60;
        }
        editor.Load();
    }

    ScenarioStore store;
    ForceEditor editor{store};
};

TEST(PersonForce, OnlyAValidCityWithAValidOwnerGivesAForce)
{
    uint16_t owners[kCities];
    std::fill(std::begin(owners), std::end(owners), kNone);
    owners[3] = 7;
    owners[4] = 50;
    EXPECT_EQ(PersonForce(3, owners), 7);
    EXPECT_EQ(PersonForce(4, owners), kNone);
    EXPECT_EQ(PersonForce(50, owners), kNone);
    EXPECT_EQ(PersonForce(kNone, owners), kNone);
    EXPECT_TRUE(PersonBelongsToForce(3, owners, 7));
    EXPECT_FALSE(PersonBelongsToForce(4, owners, 50));
    EXPECT_FALSE(PersonBelongsToForce(5, owners, -1));
}

TEST_F(ForceToolsTest, RelationIsOneDirection)
{
    editor.forces.Relation[7][3] = 12;
    editor.SetRelation(3, 7, 40);
    EXPECT_EQ(editor.forces.Relation[3][7], 40);
    EXPECT_EQ(editor.forces.Relation[7][3], 12);
    EXPECT_TRUE(editor.RelationEntryText(3, 7).endsWith("(40)"));
    editor.SetRelation(3, 3, 300);
    EXPECT_EQ(editor.forces.Relation[3][3], 255);
}

// The tool value is parsed once for all persons; it must give what ClampedNumber gives each.
TEST_F(ForceToolsTest, ToolTextsReadLikeClampedNumberPerPerson)
{
    const QString texts[] = {"",    "abc", "   ", " 12",         "12 ",  "-5",
                             "300", "$1F", "+7",  "99999999999", "0x10", "255"};
    for (const QString& text : texts) {
        editor.Load();
        editor.Faith[kLordKing][kLord] = 5;
        editor.Faith[kPrisoner][kLord] = 250;
        editor.SetOwnForceLoyalty(kLord, text);
        EXPECT_EQ(editor.Faith[kLordKing][kLord], ClampedNumber(5, text, 255, 0))
            << text.toStdString();
        EXPECT_EQ(editor.Faith[kPrisoner][kLord], ClampedNumber(250, text, 255, 0))
            << text.toStdString();
    }
}

TEST_F(ForceToolsTest, OwnForceLoyaltyReachesExactlyTheListedPersonsInItsCities)
{
    editor.SetOwnForceLoyalty(kLord, "");
    for (int p : {kLordKing, kLordStrategist, kPrisoner})
        EXPECT_EQ(editor.Faith[p][kLord], 0) << p;
    EXPECT_EQ(editor.Faith[kGenerated][kLord], 60); // generated names are not reached
    EXPECT_EQ(editor.Faith[kCorpsKing][kLord], 60); // stands in a corps' city
    EXPECT_EQ(editor.Faith[kLordKing][kCorps], 60); // toward other forces untouched
    editor.SetOwnForceLoyalty(kLord, "abc");
    EXPECT_EQ(editor.Faith[kLordKing][kLord], 0);
}

TEST_F(ForceToolsTest, OtherForceLoyaltySparesTheOwnForce)
{
    store.persons.Faith[kLordKing][kLord] = 200;
    editor.Load();
    editor.SetOtherForceLoyalty(kLord, "abc");
    EXPECT_EQ(editor.Faith[kLordKing][kCorps], 60);
    editor.SetOtherForceLoyalty(kLord, "9");
    for (int j = 0; j < kForces; ++j)
        EXPECT_EQ(editor.Faith[kLordKing][j], j == kLord ? 200 : 9) << j;
    EXPECT_EQ(editor.Faith[kGenerated][kCorps], 60);
    EXPECT_EQ(editor.Faith[kCorpsKing][kHollow], 60);
}

TEST_F(ForceToolsTest, CompatibilityReachesGeneratedPersonsToo)
{
    editor.SetCompatibility(kLord, "300");
    for (int p : {kLordKing, kLordStrategist, kPrisoner, kGenerated})
        EXPECT_EQ(editor.XiangXing[p], 255) << p;
    EXPECT_EQ(editor.XiangXing[kCorpsKing], 77);
    EXPECT_EQ(editor.XiangXing[kFree], 77);
}

TEST_F(ForceToolsTest, ToolsCountPersonsOfACityMovedBeforeApply)
{
    CityMarks marks = editor.OwnedCities(kLord);
    marks[kFreeCity] = true;
    editor.SetOwnedCities(kLord, marks);
    editor.SetOwnForceLoyalty(kLord, "123");
    editor.SetCompatibility(kLord, "5");
    EXPECT_EQ(editor.Faith[kFree][kLord], 123);
    EXPECT_EQ(editor.XiangXing[kFree], 5);
    EXPECT_EQ(store.persons.Faith[kFree][kLord], 60);
}

TEST_F(ForceToolsTest, StandardPatternKeepsHighOwnLoyaltyAndRaisesLowOne)
{
    editor.Faith[kLordKing][kLord] = 180;
    editor.Faith[kLordKing][kCorps] = 90;
    editor.Faith[kCorpsKing][kCorps] = 60;
    editor.Faith[kCorpsKing][kLord] = 200;
    editor.SetStandardLoyalty();
    EXPECT_EQ(editor.Faith[kLordKing][kLord], 180);
    EXPECT_EQ(editor.Faith[kLordKing][kCorps], 50);
    EXPECT_EQ(editor.Faith[kCorpsKing][kCorps], 100);
    EXPECT_EQ(editor.Faith[kCorpsKing][kLord], 50);
    EXPECT_EQ(editor.Faith[kFree][0], 60);      // ownerless city
    EXPECT_EQ(editor.Faith[kGenerated][0], 60); // generated name
    EXPECT_EQ(editor.Faith[100][0], 60);        // no city
}

TEST_F(ForceToolsTest, PlacesFollowTheirCitysOwner)
{
    auto place = [&](int k, uint16_t forc, uint16_t city) {
        editor.places.PlaceForc[k] = forc;
        editor.places.PlaceCity[k] = city;
    };
    place(0, 9, kHollowCity);   // held port, city of force 4
    place(1, 9, kFreeCity);     // held pass, ownerless city
    place(2, kNone, kLordCity); // building nobody holds
    place(3, 60, kLordCity);    // 60 means nobody too
    place(4, 9, 50);            // held, but its region is no city
    place(5, 9, kNone);
    editor.PlacesFollowCities();
    EXPECT_EQ(editor.places.PlaceForc[0], kHollow);
    EXPECT_EQ(editor.places.PlaceForc[1], kNone);
    EXPECT_EQ(editor.places.PlaceForc[2], kNone);
    EXPECT_EQ(editor.places.PlaceForc[3], 60);
    EXPECT_EQ(editor.places.PlaceForc[4], 9);
    EXPECT_EQ(editor.places.PlaceForc[5], 9);
    EXPECT_EQ(editor.places.PlaceCity[0], kHollowCity);
}

} // namespace
