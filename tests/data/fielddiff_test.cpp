// The one field comparison behind the command line's diff, the change history and undo.

#include "data/format/fielddiff.h"
#include "data/format/scenariocodec.h"
#include "data/format/tablecells.h"
#include "support/scenariofiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace veldor {
namespace {

std::unique_ptr<ScenarioTables> randomTables(uint32_t seed)
{
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(test::RandomScenarioBytes(seed), *tables);
    return tables;
}

std::unique_ptr<ScenarioTables> copyOf(const ScenarioTables& tables)
{
    auto copy = std::make_unique<ScenarioTables>();
    std::memcpy(static_cast<void*>(copy.get()), &tables, sizeof(ScenarioTables));
    return copy;
}

TEST(FieldDiff, FindsEveryKindOfFieldInOrderAndTakesItBackExactly)
{
    const auto before = randomTables(4);
    auto after = copyOf(*before);
    after->persons.Skill[799][30] = !after->persons.Skill[799][30]; // flag 31 of the last
    after->cities.PingMin[2] = -5;                                  // 32-bit signed
    after->persons.Faith[3][49] = uint8_t(after->persons.Faith[3][49] + 1);
    after->places.PlaceForc[136] = 65535;
    after->places.PlaceForc[136] ^= before->places.PlaceForc[136] == 65535 ? 1 : 0;

    const FieldDifferences d = DiffTables(*before, *after);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0].table, TableId::Places);
    EXPECT_EQ(d[1].table, TableId::Cities);
    EXPECT_EQ(d[1].b, -5);
    EXPECT_EQ(d[2].table, TableId::Persons);
    EXPECT_EQ(d[2].record, 3);
    EXPECT_EQ(d[3].record, 799);
    EXPECT_FALSE(SameTables(*before, *after));

    auto replay = copyOf(*after);
    ApplyDifferences(*replay, d, Direction::Backwards);
    EXPECT_TRUE(SameTables(*replay, *before));
    EXPECT_EQ(std::memcmp(replay.get(), before.get(), sizeof(ScenarioTables)), 0);
    ApplyDifferences(*replay, d, Direction::Forwards);
    EXPECT_TRUE(SameTables(*replay, *after));
    EXPECT_TRUE(DiffTables(*replay, *after).empty());
}

// Copies are settled by comparing whole blocks: a change anywhere must still count.
TEST(FieldDiff, ACopyWithAnyOneCellChangedIsNotTheSame)
{
    const auto before = randomTables(6);
    auto after = copyOf(*before);
    EXPECT_TRUE(SameTables(*before, *after));
    for (TableId table : AllTables())
        for (int c = 0; c < int(TableColumns(table).size()); ++c)
            for (int record : {0, TableRecords(table) - 1}) {
                const int64_t old = ReadCell(*after, table, record, c);
                WriteCell(*after, table, record, c, old == 0 ? 1 : 0);
                EXPECT_FALSE(SameTables(*before, *after))
                    << TableColumns(table)[size_t(c)].name.toStdString() << " of " << record;
                WriteCell(*after, table, record, c, old);
            }
}

TEST(FieldDiff, LinesReadAsTheCommandLinePrintsThem)
{
    const auto before = randomTables(5);
    auto after = copyOf(*before);
    after->persons.TongShuai[12] = 95;
    after->persons.TongShuai[12] ^= before->persons.TongShuai[12] == 95 ? 1 : 0;
    const FieldDifferences d = DiffTables(*before, *after);
    ASSERT_EQ(d.size(), 1u);
    QString line;
    AppendDifferenceLine(line, QStringLiteral("persons[12] 张三"), d[0]);
    EXPECT_EQ(line, QStringLiteral("persons[12] 张三 TongShuai %1 → %2")
                        .arg(before->persons.TongShuai[12])
                        .arg(after->persons.TongShuai[12]));
}

} // namespace
} // namespace veldor
