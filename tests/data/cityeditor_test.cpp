#include "data/rules/cityeditor.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/session/scenariostore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace veldor;

namespace {

QByteArray gbk(const char* utf8)
{
    return ToGbk(QString::fromUtf8(utf8));
}

// A store with named persons and cities: city 3 belongs to force 7 (sovereign person 10),
// city 4 to force 8 (no sovereign), city 5 has no owner. Every person starts in city 0.
class CityEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NameTables& names = store.Names();
        for (int p = 0; p < kPersons; ++p)
            names.setPerson(p, "P" + QByteArray::number(p));
        names.setPerson(10, gbk("张飞"));
        names.setCity(3, gbk("洛阳"));
        names.setCity(5, gbk("襄平"));
        for (int c = 0; c < kCities; ++c)
            store.cities.Forc[c] = kNone;
        store.cities.Forc[3] = 7;
        store.cities.Forc[4] = 8;
        store.forces.King[7] = 10;
        for (int p = 0; p < kPersons; ++p)
            store.persons.Degree[p] = kOfficer;
        editor = std::make_unique<CityEditor>(store);
    }

    ScenarioStore store;
    std::unique_ptr<CityEditor> editor;
};

RowMarks marksOfRows(std::initializer_list<int> rows)
{
    RowMarks marks;
    for (int row : rows)
        marks[row] = true;
    return marks;
}

TEST_F(CityEditorTest, RowTextShowsTheSovereignOfTheCitysOwner)
{
    store.persons.City[20] = 3;
    store.persons.TongShuai[20] = 95;
    store.persons.WuLi[20] = 7;
    store.persons.ZhiLi[20] = 100;
    store.persons.ZhengZhi[20] = 0;
    editor->Load(3);
    EXPECT_EQ(editor->CityPrsnLineText(20),
              "P20     " + gbk("洛阳 张飞    ") + gbk("  一般  ") + " 95   7 100   0");
    EXPECT_EQ(editor->CityPrsnLineText(20).size(), 44);
}

TEST_F(CityEditorTest, RowTextForceAndStatusColumns)
{
    store.persons.City[1] = 3; // corps commander of an owned city
    store.persons.Degree[1] = kCorpsCommander;
    store.persons.City[2] = 4; // owner without sovereign
    store.persons.City[3] = 5; // city without owner
    store.persons.City[4] = 3; // unaffiliated, though his city has an owner
    store.persons.Degree[4] = kUnaffiliated;
    store.persons.City[5] = 60; // nowhere
    store.persons.Degree[6] = 1234;
    editor->Load(0);
    auto middle = [&](uint16_t p) { return editor->CityPrsnLineText(p).mid(13, 16); };
    EXPECT_EQ(editor->CityPrsnLineText(1).mid(13, 15), gbk("张飞    ") + "!!!!!!!");
    EXPECT_EQ(middle(2), gbk("空        一般  "));
    EXPECT_EQ(editor->CityPrsnLineText(3).mid(13, 17), gbk("无         一般  "));
    EXPECT_EQ(middle(4), gbk("无        在野  "));
    EXPECT_EQ(editor->CityPrsnLineText(5).mid(8, 5), gbk("空   "));
    EXPECT_EQ(editor->CityPrsnLineText(5).mid(13, 9), gbk("无       "));
    EXPECT_EQ(editor->CityPrsnLineText(6).mid(22, 7), "       ") << "unknown status: blanks";
}

TEST_F(CityEditorTest, EditRuleClampsAndKeepsTheValueOnBadText)
{
    store.cities.MinXin[3] = 500;
    store.cities.PingMin[3] = 1000;
    editor->Load(3);
    EXPECT_EQ(editor->ChangeField(CityField::MinXin, QStringLiteral("abc")), 500);
    EXPECT_EQ(editor->ChangeField(CityField::MinXin, QStringLiteral("12000")), 10000);
    EXPECT_EQ(editor->cities.MinXin[3], 10000);
    EXPECT_EQ(editor->ChangeField(CityField::PingMin, QString()), 0);
    EXPECT_EQ(editor->ChangeField(CityField::PingMin, QStringLiteral("-5")), 0);
    EXPECT_EQ(editor->ChangeField(CityField::PingMin, QStringLiteral("99999999")), 30000000);
    EXPECT_EQ(editor->ChangeField(CityField::BingYi, QStringLiteral("99999999")), 3000000);
    EXPECT_EQ(editor->ChangeField(CityField::ShiBing, QStringLiteral("$1C9C380")), 30000000);
    EXPECT_EQ(editor->ChangeField(CityField::MaxNaiJiu, QStringLiteral("77")), 77);
    EXPECT_EQ(editor->cities.MaxNaiJiu[3], 77);
    EXPECT_EQ(editor->cities.NaiJiu[3], 0) << "each field writes its own array";
    EXPECT_EQ(store.cities.MinXin[3], 500) << "nothing reaches the store before Store";
}

TEST_F(CityEditorTest, OwnerChoiceRefusesAForceWithoutSovereign)
{
    editor->Load(3);
    EXPECT_EQ(editor->OwnerEntry(), 7);
    EXPECT_EQ(editor->ForceEntryText(7), gbk("张飞    "));
    EXPECT_EQ(editor->ForceEntryText(8), gbk("空      "));
    EXPECT_FALSE(editor->ChooseForce(8));
    EXPECT_EQ(editor->cities.Forc[3], kNone);
    EXPECT_EQ(editor->OwnerEntry(), -1);
    EXPECT_TRUE(editor->ChooseForce(7));
    EXPECT_EQ(editor->cities.Forc[3], 7);
    store.cities.Forc[3] = 50;
    editor->Load(3);
    EXPECT_EQ(editor->OwnerEntry(), -1) << "any value past the table is no owner";
}

TEST_F(CityEditorTest, SortIsDescendingReversesEqualKeysAndMarksFollowPersons)
{
    for (int p = 0; p < kPersons; ++p)
        store.persons.Degree[p] = uint16_t(p % 10);
    editor->Load(0);
    RowMarks marks = marksOfRows({5, 15, 799});
    marks = editor->SortByColumn(CityPrsnColumn::Degree, marks);
    const uint16_t* order = editor->CityPrsnOrder.order;
    EXPECT_EQ(order[0], 799) << "status 9 first, the last of them on top";
    EXPECT_EQ(order[79], 9);
    EXPECT_EQ(order[799], 0);
    EXPECT_TRUE(std::is_sorted(order, order + kPersons, [&](uint16_t a, uint16_t b) {
        return store.persons.Degree[a] > store.persons.Degree[b];
    }));
    EXPECT_EQ(marks.count(), 3u);
    for (int row = 0; row < kPersons; ++row)
        EXPECT_EQ(marks[row], order[row] == 5 || order[row] == 15 || order[row] == 799) << row;

    marks = editor->SortByColumn(CityPrsnColumn::Degree, marks);
    EXPECT_EQ(order[0], 9) << "a second press reverses each group of equal keys";
    EXPECT_EQ(order[79], 799);

    marks = editor->SortByColumn(CityPrsnColumn::Name, marks);
    for (int row = 0; row < kPersons; ++row)
        ASSERT_EQ(order[row], row);
    EXPECT_EQ(marks, marksOfRows({5, 15, 799}));
}

TEST_F(CityEditorTest, ForceKeyPutsCitiesWithoutOwnerFirstAndTheForcelessNext)
{
    store.persons.City[0] = 5;  // owned by nobody: key 65535
    store.persons.City[1] = 3;  // force 7
    store.persons.City[2] = 60; // nowhere: key 50
    store.persons.City[3] = 3;
    store.persons.Degree[3] = kDead; // key 50
    for (int p = 4; p < kPersons; ++p)
        store.persons.City[p] = 4; // force 8
    store.persons.City[5] = 0;     // the edited city, no owner yet
    editor->Load(0);
    uint16_t keys[kPersons];
    editor->ColumnKeys(CityPrsnColumn::Forc, keys);
    EXPECT_EQ(keys[0], kNone);
    EXPECT_EQ(keys[1], 7);
    EXPECT_EQ(keys[2], 50);
    EXPECT_EQ(keys[3], 50);
    EXPECT_EQ(keys[4], 8);

    editor->SortByColumn(CityPrsnColumn::Forc, {});
    const uint16_t* order = editor->CityPrsnOrder.order;
    EXPECT_EQ(order[0], 5);
    EXPECT_EQ(order[1], 0);
    EXPECT_EQ(order[2], 3);
    EXPECT_EQ(order[3], 2);
    EXPECT_EQ(order[799], 1);

    editor->ChooseForce(7);
    editor->ColumnKeys(CityPrsnColumn::Forc, keys);
    EXPECT_EQ(keys[5], 7) << "a chosen owner counts before it is stored";
}

TEST_F(CityEditorTest, StoreMovesMarkedPersonsAndWritesOnlyTheEditedCity)
{
    store.persons.City[1] = 3;
    store.persons.City[2] = 4;
    store.persons.WuLi[2] = 88;
    store.cities.MinXin[4] = 12000;
    store.cities.PingMin[9] = 4444;
    editor->Load(3);
    editor->SortByColumn(CityPrsnColumn::Degree, {}); // rows no longer match persons
    const int rowOf2 = editor->CityPrsnOrder.rowOf(2);
    RowMarks marks = editor->CityMarks();
    EXPECT_TRUE(marks[editor->CityPrsnOrder.rowOf(1)]);
    marks[editor->CityPrsnOrder.rowOf(1)] = false; // unmarking does not move him out
    marks[rowOf2] = true;
    editor->ChangeField(CityField::PingMin, QStringLiteral("123"));
    editor->ChangeField(CityField::MaxNaiJiu, QStringLiteral("321"));
    editor->ChooseForce(8);
    editor->cities.PingMin[9] = 1; // another city's entry is never written
    editor->King[0] = 5;           // nor any force field
    editor->Degree[2] = kDead;     // nor any other person field
    editor->Store(marks);

    EXPECT_EQ(store.persons.City[2], 3);
    EXPECT_EQ(store.persons.City[1], 3);
    EXPECT_EQ(store.persons.Degree[2], kOfficer);
    EXPECT_EQ(store.persons.WuLi[2], 88);
    EXPECT_EQ(store.cities.PingMin[3], 123);
    EXPECT_EQ(store.cities.MaxNaiJiu[3], 321);
    EXPECT_EQ(store.cities.Forc[3], kNone);
    EXPECT_EQ(store.cities.PingMin[9], 4444);
    EXPECT_EQ(store.cities.MinXin[4], 12000);
    EXPECT_EQ(store.forces.King[0], kNone);

    editor->Load(3);
    EXPECT_EQ(editor->CityMarks().count(), 2u);
    EXPECT_TRUE(editor->CityMarks()[rowOf2]) << "the row order outlives a reload";
}

} // namespace
