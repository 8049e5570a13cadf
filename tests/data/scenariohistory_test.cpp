// The change history: steps as field changes, undo and redo, names and memory.

#include "data/format/fieldlabels.h"
#include "data/format/nametables.h"
#include "data/format/recordlabel.h"
#include "data/format/scenariocodec.h"
#include "data/session/scenariohistory.h"
#include "support/scenariofiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace veldor {
namespace {

QByteArray bytesOf(const ScenarioTables& tables)
{
    return QByteArray(reinterpret_cast<const char*>(&tables), sizeof(ScenarioTables));
}

class History : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DecodeScenario(test::RandomScenarioBytes(6), *tables);
        std::memcpy(static_cast<void*>(opened.get()), tables.get(), sizeof(ScenarioTables));
        history.Reset(*tables);
    }
    bool same(const ScenarioTables& a, const ScenarioTables& b) const
    {
        return std::memcmp(&a, &b, sizeof(ScenarioTables)) == 0;
    }

    std::unique_ptr<ScenarioTables> tables = std::make_unique<ScenarioTables>();
    std::unique_ptr<ScenarioTables> opened = std::make_unique<ScenarioTables>();
    const NameTables names = listedNames();
    ScenarioHistory history{names};

private:
    static NameTables listedNames()
    {
        NameTables names;
        names.load();
        return names;
    }
};

TEST_F(History, StepsAreNamedByEditorAndRecord)
{
    EXPECT_FALSE(history.Record(*tables, EditorKind::City)) << "nothing changed, no step";

    tables->cities.PingMin[9] += 1;
    ASSERT_TRUE(history.Record(*tables, EditorKind::City));
    const int mover = opened->persons.City[5] == 9 ? 6 : 5;
    tables->persons.City[mover] = 9; // only a person moved into the city
    ASSERT_TRUE(history.Record(*tables, EditorKind::City));
    tables->forces.Money[2] += 1;
    ASSERT_TRUE(history.Record(*tables, EditorKind::Force));
    for (int p : {1, 2, 3})
        tables->persons.WuLi[p] = uint16_t(tables->persons.WuLi[p] + 1);
    ASSERT_TRUE(history.Record(*tables, EditorKind::Person));

    const QString city =
        QString::fromUtf8("城市修改：") + RecordName(*opened, names, TableId::Cities, 9);
    ASSERT_EQ(history.Steps().size(), 4u);
    EXPECT_EQ(history.Steps()[0].title, city);
    EXPECT_EQ(history.Steps()[1].title, city);
    EXPECT_EQ(history.Steps()[2].title,
              QString::fromUtf8("势力修改：") + RecordName(*opened, names, TableId::Forces, 2));
    EXPECT_EQ(history.Steps()[3].title, QString::fromUtf8("武将修改：3 人"));
    EXPECT_EQ(history.StepLines(3).size(), 3);

    // Several forces in one step are named together, many are counted.
    tables->forces.Money[4] += 1;
    tables->forces.Money[5] += 1;
    ASSERT_TRUE(history.Record(*tables, EditorKind::Force));
    EXPECT_EQ(history.Steps()[4].title,
              QString::fromUtf8("势力修改：") + RecordName(*opened, names, TableId::Forces, 4) +
                  QString::fromUtf8("、") + RecordName(*opened, names, TableId::Forces, 5));
    for (int f = 0; f < 10; ++f)
        tables->forces.Grain[f] += 1;
    ASSERT_TRUE(history.Record(*tables, EditorKind::Force));
    EXPECT_EQ(history.Steps()[5].title, QString::fromUtf8("势力修改：10 个势力"));
    // Users read Chinese names and the values as the windows show them.
    EXPECT_EQ(history.StepLines(0), QStringList{QStringLiteral("城市 濮阳：平民人口 %1 → %2")
                                                    .arg(opened->cities.PingMin[9])
                                                    .arg(opened->cities.PingMin[9] + 1)});
    const QString moved = history.StepLines(1).value(0);
    EXPECT_TRUE(moved.startsWith(ChineseRecordLabel(*opened, names, TableId::Persons, mover) +
                                 QStringLiteral("：城市 ")) &&
                moved.endsWith(QStringLiteral(" → 濮阳")))
        << moved.toStdString();
}

TEST_F(History, UndoAndRedoRestoreExactlyAndANewStepDropsTheRedo)
{
    tables->cities.PingMin[0] = 1;
    history.Record(*tables, EditorKind::City);
    auto afterFirst = std::make_unique<ScenarioTables>();
    std::memcpy(static_cast<void*>(afterFirst.get()), tables.get(), sizeof(ScenarioTables));
    tables->forces.King[3] = 700;
    tables->persons.Degree[700] = 0;
    history.Record(*tables, EditorKind::Force);

    history.UndoThrough(0, *tables);
    EXPECT_TRUE(same(*tables, *opened));
    EXPECT_FALSE(history.CanUndo());
    history.Redo(*tables);
    EXPECT_TRUE(same(*tables, *afterFirst));
    EXPECT_TRUE(history.CanRedo());

    tables->items.ItemOwner[0] = 5;
    tables->items.ItemOwner[0] ^= opened->items.ItemOwner[0] == 5 ? 1 : 0;
    history.Record(*tables, EditorKind::Person);
    EXPECT_EQ(history.Steps().size(), 2u);
    EXPECT_FALSE(history.CanRedo());
    history.Undo(*tables);
    EXPECT_TRUE(same(*tables, *afterFirst));
}

TEST_F(History, FiveHundredOrdinaryStepsTakeUnderFiveMegabytes)
{
    for (int k = 0; k < 500; ++k) {
        const int p = k % kPersons;
        // A person editor's typical Apply: three values of one person, and a city's two.
        tables->persons.TongShuai[p] = uint16_t(tables->persons.TongShuai[p] + 1);
        tables->persons.WuLi[p] = uint16_t(tables->persons.WuLi[p] + 1);
        tables->persons.Faith[p][k % kForces] = uint8_t(tables->persons.Faith[p][k % kForces] + 1);
        tables->cities.PingMin[k % kCities] += 1;
        tables->cities.ShiBing[k % kCities] += 1;
        ASSERT_TRUE(history.Record(*tables, EditorKind::Person));
    }
    EXPECT_LT(history.MemoryUse(), 5u * 1024 * 1024) << history.MemoryUse();
    history.UndoThrough(0, *tables);
    EXPECT_TRUE(same(*tables, *opened));
}

// Every shape a column's run can take: records in a range and scattered, old and new values
// of each width, negative ones, a new value shared or not.
TEST_F(History, PackedChangesGiveBackEveryChangeAndReplayBothWays)
{
    for (int p = 100; p < 300; ++p)
        tables->persons.TongShuai[p] = 7; // one value, a range of records
    for (int p = 5; p < 800; p += 97)
        tables->persons.WuLi[p] = uint16_t(p * 61); // scattered, values differ
    tables->cities.PingMin[3] = -5;
    tables->cities.PingMin[4] = 70000;
    tables->forces.Money[0] = opened->forces.Money[0] ^ 0x40000000;
    tables->forces.Skill[2][3] = !tables->forces.Skill[2][3];
    const FieldDifferences changes = DiffTables(*opened, *tables);
    const PackedChanges packed(changes);
    EXPECT_EQ(packed.Unpack(), changes);
    auto replayed = std::make_unique<ScenarioTables>();
    std::memcpy(static_cast<void*>(replayed.get()), opened.get(), sizeof(ScenarioTables));
    packed.Apply(*replayed, Direction::Forwards);
    EXPECT_TRUE(SameTables(*replayed, *tables));
    packed.Apply(*replayed, Direction::Backwards);
    EXPECT_TRUE(SameTables(*replayed, *opened));
}

TEST_F(History, OneFieldOfAllPersonsTakesAboutAByteAPerson)
{
    for (int p = 0; p < kPersons; ++p)
        tables->persons.WuLi[p] = uint16_t(opened->persons.WuLi[p] == 99 ? 98 : 99);
    ASSERT_TRUE(history.Record(*tables, EditorKind::Person));
    EXPECT_LT(history.MemoryUse(), size_t(kPersons) * 2 + 512) << history.MemoryUse();
}

TEST_F(History, OverItsBudgetTheOldestStepsGoAndTheRestStillUndo)
{
    history.SetMemoryBudget(64 * 1024);
    // The tables after each step, the opened ones first.
    std::vector<QByteArray> after{bytesOf(*tables)};
    for (int k = 0; k < 40; ++k) {
        // All persons, several fields: the batches that filled the memory.
        for (int p = 0; p < kPersons; ++p) {
            tables->persons.TongShuai[p] = uint16_t(tables->persons.TongShuai[p] + 1 + p % 3);
            tables->persons.Faith[p][k % kForces] ^= uint8_t(1 + p % 5);
        }
        ASSERT_TRUE(history.Record(*tables, EditorKind::Person));
        after.push_back(bytesOf(*tables));
    }
    EXPECT_LE(history.MemoryUse(), 64u * 1024);
    ASSERT_GT(history.Dropped(), 0u);
    EXPECT_EQ(history.Dropped() + history.Steps().size(), 40u);
    history.UndoThrough(0, *tables);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(bytesOf(*tables), after[history.Dropped()]);
    history.RedoThrough(history.Steps().size() - 2, *tables);
    EXPECT_EQ(bytesOf(*tables), after[39]);
    EXPECT_EQ(history.RedoTitle(), history.Steps().back().title);
}

// Steps a new step replaces after an undo give their memory back: a long session of trying
// and taking back must not crowd out the steps that are kept.
TEST_F(History, StepsReplacedAfterAnUndoGiveTheirMemoryBack)
{
    history.SetMemoryBudget(64 * 1024);
    for (int k = 0; k < 60; ++k) {
        for (int p = 0; p < kPersons; ++p)
            tables->persons.TongShuai[p] = uint16_t(tables->persons.TongShuai[p] + 1 + p % 3);
        ASSERT_TRUE(history.Record(*tables, EditorKind::Person));
        history.Undo(*tables);
    }
    for (int city = 0; city < 2; ++city) {
        tables->cities.PingMin[city] ^= 1;
        ASSERT_TRUE(history.Record(*tables, EditorKind::City));
    }
    EXPECT_EQ(history.Dropped(), 0u);
    EXPECT_EQ(history.Steps().size(), 2u);
}

// Another file opened starts with nothing dropped.
TEST_F(History, AResetForgetsTheDroppedSteps)
{
    history.SetMemoryBudget(1);
    for (int k = 0; k < 3; ++k) {
        tables->cities.PingMin[0] ^= 1 << k;
        ASSERT_TRUE(history.Record(*tables, EditorKind::City));
    }
    ASSERT_EQ(history.Dropped(), 2u);
    history.Reset(*tables);
    EXPECT_EQ(history.Dropped(), 0u);
}

} // namespace
} // namespace veldor
