#include "data/rules/personeditor.h"

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/session/scenariostore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace veldor;

namespace {

RowMarks Rows(std::initializer_list<int> rows)
{
    RowMarks marks;
    for (int r : rows)
        marks.set(size_t(r));
    return marks;
}

// A store with known persons: everybody in no city, standing 3, all fields distinct enough to
// tell one person's value from another's.
class PersonEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int p = 0; p < kPersons; ++p) {
            store.persons.City[p] = kNone;
            store.persons.Degree[p] = kOfficer;
            store.persons.TongShuai[p] = uint16_t(p % 200);
            store.persons.WuLi[p] = uint16_t(p % 100);
            store.persons.BornYear[p] = uint16_t(p % 60);
            store.persons.Aptitude[p][BuBing] = uint16_t(p);
            std::memset(store.persons.Faith[p], 40, kForces);
        }
        for (int i = 0; i < kItems; ++i)
            store.items.ItemOwner[i] = uint16_t(i);
        editor.TakeWorkingCopy();
    }

    ScenarioStore store;
    PersonEditor editor{store};
};

TEST_F(PersonEditorTest, EqualKeysSwapOnEverySortAndTheFocusFollowsItsPerson)
{
    // Persons 3 and 7 alone share a WuLi value.
    for (int p = 0; p < kPersons; ++p)
        editor.Work().WuLi[p] = uint16_t(1000 + p);
    editor.Work().WuLi[3] = editor.Work().WuLi[7] = 5;
    const int focus = editor.SortPrsnList(PrsnSortKey::WuLi, 7);
    EXPECT_EQ(editor.PrsnOrder[798], 7);
    EXPECT_EQ(editor.PrsnOrder[799], 3);
    EXPECT_EQ(editor.PrsnOrder[0], 799);
    EXPECT_EQ(editor.PrsnOrder[focus], 7);
    editor.SortPrsnList(PrsnSortKey::WuLi, focus);
    EXPECT_EQ(editor.PrsnOrder[798], 3);
    EXPECT_EQ(editor.PrsnOrder[799], 7);

    const int named = editor.SortPrsnList(PrsnSortKey::Name, 0);
    EXPECT_EQ(named, 799); // row 0 showed person 799
    for (int r = 0; r < kPersons; ++r)
        ASSERT_EQ(editor.PrsnOrder[r], r);
}

TEST_F(PersonEditorTest, ForceColumnAndKeyCountOnlyPersonsOfAForceInAnOwnedCity)
{
    std::fill(std::begin(store.forces.King), std::end(store.forces.King), kNone);
    store.cities.Forc[4] = 9;
    store.forces.King[9] = 20;
    store.cities.Forc[5] = kNone;
    store.Names().setPerson(20, ToGbk(QStringLiteral("曹操")));
    editor.Work().City[1] = 4; // a member of force 9
    editor.Work().City[2] = 4;
    editor.Work().Degree[2] = kUnaffiliated; // stands in force 9's city, belongs to none
    editor.Work().City[3] = 5;               // a city without owner
    editor.Work().City[4] = 4;
    store.forces.King[9] = 20;

    EXPECT_EQ(FromGbk(editor.PrsnLineText(1).mid(13, 8)), QStringLiteral("曹操    "));
    EXPECT_EQ(editor.PrsnLineText(2).mid(13, 8), PrsnNoForceText());
    EXPECT_EQ(editor.PrsnLineText(3).mid(13, 8), PrsnNoForceText());

    editor.SortPrsnList(PrsnSortKey::Forc, 0);
    EXPECT_EQ(editor.PrsnOrder[0], 3); // key 65535 before everyone without force (50)
    EXPECT_EQ(editor.PrsnOrder[798], 4);
    EXPECT_EQ(editor.PrsnOrder[799], 1);

    store.forces.King[9] = kNone; // a force without sovereign shows "空"
    EXPECT_EQ(editor.PrsnLineText(1).mid(13, 8), PrsnNameText(store.Names(), kNone));
    EXPECT_EQ(editor.FaithLineText(1, 9), PrsnNameText(store.Names(), kNone) + "(40)");
}

TEST_F(PersonEditorTest, RowTextIsFortyThreeBytesInColumns)
{
    store.Names().setPerson(0, ToGbk(QStringLiteral("刘备")));
    editor.Work().City[0] = kNone;
    editor.Work().Degree[0] = 12;
    editor.Work().TongShuai[0] = 5;
    editor.Work().WuLi[0] = 42;
    editor.Work().ZhiLi[0] = 100;
    editor.Work().ZhengZhi[0] = 7;
    const QByteArray row = editor.PrsnLineText(0);
    EXPECT_EQ(row.size(), 43);
    EXPECT_EQ(row, ToGbk(QStringLiteral("刘备    空   无             ")) + "  5  42 100   7");
}

TEST_F(PersonEditorTest, NumberButtonsWriteThePersonsOfTheMarkedRowsAfterASort)
{
    editor.SortPrsnList(PrsnSortKey::TongShuai, 0);
    const uint16_t a = editor.PrsnOrder[0], b = editor.PrsnOrder[2], c = editor.PrsnOrder[1];
    const uint16_t before = editor.Work().TongShuai[c];
    EXPECT_FALSE(editor.Assign(PrsnField::TongShuai, QStringLiteral("77"), Rows({0, 2}), a, 0));
    EXPECT_EQ(editor.Work().TongShuai[a], 77);
    EXPECT_EQ(editor.Work().TongShuai[b], 77);
    EXPECT_EQ(editor.Work().TongShuai[c], before);
    EXPECT_EQ(editor.Work().TongShuai[0], 0); // person 0 is not in a marked row

    // A text that is no number leaves each person his own value; the button's own maximum.
    editor.Work().XiangXing[a] = 12;
    editor.Work().XiangXing[b] = 34;
    editor.Assign(PrsnField::XiangXing, QStringLiteral("x"), Rows({0, 2}), a, 0);
    EXPECT_EQ(editor.Work().XiangXing[a], 12);
    EXPECT_EQ(editor.Work().XiangXing[b], 34);
    editor.Assign(PrsnField::XiangXing, QStringLiteral("300"), Rows({0, 2}), a, 0);
    EXPECT_EQ(editor.Work().XiangXing[b], 255);
}

TEST_F(PersonEditorTest, YearsBelowTheBaseYearAreStoredAsTheBaseYear)
{
    editor.Assign(PrsnField::BornYear, QStringLiteral("184"), Rows({5}), 5, 0);
    EXPECT_EQ(editor.Work().BornYear[5], 54);
    EXPECT_EQ(editor.ShownValue(PrsnField::BornYear, 5), 184);
    editor.Assign(PrsnField::BornYear, QStringLiteral("100"), Rows({5}), 5, 0);
    EXPECT_EQ(editor.Work().BornYear[5], 0);
    editor.Assign(PrsnField::EnterYear, QStringLiteral("2500"), Rows({5}), 5, 0);
    EXPECT_EQ(editor.Work().EnterYear[5], 2003 - 130);
    // Not a number: each person keeps his own year, even one stored far past 2003.
    editor.Work().BornYear[6] = 51;
    editor.Work().BornYear[7] = 65535;
    editor.Assign(PrsnField::BornYear, QStringLiteral("?"), Rows({6, 7}), 6, 0);
    EXPECT_EQ(editor.Work().BornYear[6], 51);
    EXPECT_EQ(editor.Work().BornYear[7], 65535);
}

TEST_F(PersonEditorTest, ChoicesStoreTheirItemAndNoneAs65535)
{
    EXPECT_EQ(ChoiceIndexOf(PrsnChoice::Rank, kNone), 76);
    EXPECT_EQ(ChoiceIndexOf(PrsnChoice::Rank, 76), 76);
    EXPECT_EQ(ChoiceIndexOf(PrsnChoice::Rank, 77), -1);
    EXPECT_EQ(ChoiceIndexOf(PrsnChoice::XingGe, 4), -1);
    EXPECT_EQ(ChoiceIndexOf(PrsnChoice::City, 49), 49);

    editor.AssignChoice(PrsnChoice::Rank, 76, Rows({1, 2}));
    EXPECT_EQ(editor.Work().Rank[1], kNone);
    editor.AssignChoice(PrsnChoice::Rank, 0, Rows({1}));
    EXPECT_EQ(editor.Work().Rank[1], 0);
    EXPECT_EQ(editor.Work().Rank[2], kNone);
    editor.AssignChoice(PrsnChoice::Degree, -1, Rows({3}));
    EXPECT_EQ(editor.Work().Degree[3], kNone);
    editor.AssignChoice(PrsnChoice::City, 17, Rows({3}));
    EXPECT_EQ(editor.Work().City[3], 17);
}

TEST_F(PersonEditorTest, AptitudeAndLoyaltyButtonsFallBackOnTheCurrentPersonOnly)
{
    editor.SortPrsnList(PrsnSortKey::TongShuai, 0);
    const uint16_t current = editor.PrsnOrder[0];
    const uint16_t x = editor.PrsnOrder[1], y = editor.PrsnOrder[2];
    // The current person's row is not marked: he keeps his value, the edit shows the new one.
    EXPECT_EQ(editor.Assign(PrsnField::BuBing, QStringLiteral("junk"), Rows({1, 2}), current, 0),
              int32_t(current));
    EXPECT_EQ(editor.Work().Aptitude[x][BuBing], current);
    EXPECT_EQ(editor.Work().Aptitude[y][BuBing], current);
    EXPECT_EQ(editor.Assign(PrsnField::CeLue, QStringLiteral("99999"), Rows({1}), current, 0),
              2000);
    EXPECT_EQ(editor.Work().Aptitude[x][CeLue], 2000);
    EXPECT_EQ(editor.Work().Aptitude[current][CeLue], 0);

    EXPECT_EQ(editor.Assign(PrsnField::Faith, QStringLiteral("88"), Rows({1, 2}), current, 5), 88);
    EXPECT_EQ(editor.Work().Faith[x][5], 88);
    EXPECT_EQ(editor.Work().Faith[y][5], 88);
    EXPECT_EQ(editor.Work().Faith[x][4], 40);
    EXPECT_EQ(editor.Work().Faith[current][5], 40);
    EXPECT_EQ(editor.Assign(PrsnField::Faith, QStringLiteral("1"), Rows({1}), current, -1),
              std::nullopt);
}

TEST_F(PersonEditorTest, SkillsAndItemsAndApply)
{
    editor.SortPrsnList(PrsnSortKey::TongShuai, 0);
    const uint16_t x = editor.PrsnOrder[0];
    editor.SetSkill(1, true, Rows({0}));
    editor.SetSkill(31, true, Rows({0}));
    editor.SetSkill(1, true, RowMarks());
    EXPECT_TRUE(editor.Work().Skill[x][0]);
    EXPECT_TRUE(editor.Work().Skill[x][30]);
    EXPECT_EQ(std::count(&editor.Work().Skill[0][0],
                         &editor.Work().Skill[0][0] + kPersons * kSkills, true),
              2);

    ItemMarks items;
    items.set(3);
    editor.GiveMarkedItems(items, 700);
    EXPECT_EQ(editor.Holder(3), 700);
    EXPECT_EQ(editor.Holder(4), 4);

    // Nothing reaches the store before Apply; TakeWorkingCopy drops what was not applied.
    EXPECT_EQ(store.items.ItemOwner[3], 3);
    EXPECT_FALSE(store.persons.Skill[x][0]);
    editor.Apply();
    EXPECT_EQ(store.items.ItemOwner[3], 700);
    EXPECT_TRUE(store.persons.Skill[x][0]);
    editor.SetSkill(2, true, Rows({0}));
    editor.TakeWorkingCopy();
    EXPECT_FALSE(editor.Work().Skill[x][1]);
    EXPECT_EQ(editor.PrsnOrder[0], x); // the order outlives a new working copy
}

} // namespace
