#include "cli/scescratch.h"
#include "data/format/scenariotables.h"
#include "tools/sample/samplescenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

constexpr uint32_t kSeed = 8;

class DiffTest : public ::testing::Test
{
protected:
    SceResult diff(const QByteArray& b, const QStringList& extra = {})
    {
        const QString a = scratch_.write(QStringLiteral("a.kqx"), MakeSampleScenarioBytes(kSeed));
        return scratch_.run(QStringList{"diff", a, scratch_.write(QStringLiteral("b.kqx"), b)} +
                            extra);
    }

    SceScratch scratch_;
};

TEST_F(DiffTest, FileAgainstItsCopyIsEmpty)
{
    const SceResult text = diff(MakeSampleScenarioBytes(kSeed));
    EXPECT_EQ(text.code, 0);
    EXPECT_TRUE(text.out.isEmpty()) << text.out.toStdString();
    EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString();

    const SceResult json = diff(MakeSampleScenarioBytes(kSeed), {"--format", "json"});
    EXPECT_EQ(json.code, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_TRUE(root[QStringLiteral("fields")].toArray().isEmpty());
    EXPECT_EQ(root[QStringLiteral("keptBytes")].toInt(-1), 0);
}

TEST_F(DiffTest, AnItemOwnerAloneMakesTheFilesDiffer)
{
    uint16_t old = 0;
    const SceResult text = diff(EditedSampleBytes(kSeed, [&](ScenarioTables& t) {
        old = t.items.ItemOwner[42];
        t.items.ItemOwner[42] = uint16_t(old + 1);
    }));
    EXPECT_EQ(text.code, 1);
    EXPECT_TRUE(text.out.startsWith("items[42]")) << text.out.toStdString();
    EXPECT_TRUE(text.out.endsWith(QStringLiteral(" ItemOwner %1 → %2\n").arg(old).arg(old + 1)));
    EXPECT_EQ(text.out.count('\n'), 1);
}

TEST_F(DiffTest, ChineseLabelsNameRecordsFieldsAndValuesAsTheWindowsDo)
{
    uint16_t minXin = 0;
    int p = 0;
    const QByteArray b = EditedSampleBytes(kSeed, [&](ScenarioTables& t) {
        minXin = t.cities.MinXin[9];
        t.cities.MinXin[9] = uint16_t(minXin + 1);
        while (t.persons.City[p] == 9 || t.persons.Degree[p] == 3 || t.persons.BornYear[p] == 60)
            ++p;
        t.persons.City[p] = 9;
        t.persons.Degree[p] = 3;
        t.persons.BornYear[p] = 60;
    });
    const SceResult text = diff(b, {"--labels", "zh"});
    EXPECT_EQ(text.code, 1);
    EXPECT_TRUE(
        text.out.startsWith(QStringLiteral("城市 城9：民心 %1 → %2\n").arg(minXin).arg(minXin + 1)))
        << text.out.toStdString();
    // The city choice's own spelling, choices by their text, years as shown.
    const QString person = QStringLiteral("\n武将 张%1：").arg(p);
    for (const QString& change :
         {QStringLiteral("出生年 "), QStringLiteral("城市 "), QStringLiteral("身份 ")})
        EXPECT_TRUE(text.out.contains(person + change)) << text.out.toStdString();
    for (const QString& shown :
         {QStringLiteral(" → 190\n"), QStringLiteral(" → 濮阳\n"), QStringLiteral(" → 一般\n")})
        EXPECT_TRUE(text.out.contains(shown)) << text.out.toStdString();
    EXPECT_EQ(diff(b, {"--labels", "pinyin"}).code, 2);
}

TEST_F(DiffTest, OneEditedFieldIsNamedExactly)
{
    uint16_t old = 0;
    const QByteArray b = EditedSampleBytes(kSeed, [&](ScenarioTables& t) {
        old = t.cities.ShouYi[3];
        t.cities.ShouYi[3] = uint16_t(old + 1);
    });
    const SceResult text = diff(b);
    EXPECT_EQ(text.code, 1);
    EXPECT_EQ(text.out, QStringLiteral("cities[3] 城3 ShouYi %1 → %2\n").arg(old).arg(old + 1));

    const SceResult json = diff(b, {"--format", "json"});
    EXPECT_EQ(json.code, 1);
    const QJsonArray fields =
        QJsonDocument::fromJson(json.out.toUtf8()).object()[QStringLiteral("fields")].toArray();
    ASSERT_EQ(fields.size(), 1);
    const QJsonObject field = fields[0].toObject();
    EXPECT_EQ(field[QStringLiteral("table")].toString(), QStringLiteral("cities"));
    EXPECT_EQ(field[QStringLiteral("index")].toInt(), 3);
    EXPECT_EQ(field[QStringLiteral("name")].toString(), QStringLiteral("城3"));
    EXPECT_EQ(field[QStringLiteral("field")].toString(), QStringLiteral("ShouYi"));
    EXPECT_EQ(field[QStringLiteral("a")].toInt(), old);
    EXPECT_EQ(field[QStringLiteral("b")].toInt(), old + 1);
}

TEST_F(DiffTest, ForcesAreNamedByTheirSovereignAndFlagsByNumber)
{
    int force = -1, king = -1;
    const QByteArray b = EditedSampleBytes(kSeed, [&](ScenarioTables& t) {
        for (force = 0; !isPerson(t.forces.King[force]) || t.forces.King[force] >= 702;)
            ++force;
        king = t.forces.King[force];
        t.forces.Skill[force][30] = !t.forces.Skill[force][30];
        t.persons.Faith[0][49] = uint8_t(t.persons.Faith[0][49] ^ 1);
    });
    const SceResult result = diff(b);
    EXPECT_EQ(result.code, 1);
    const QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.out.toStdString();
    EXPECT_TRUE(
        lines[0].startsWith(QStringLiteral("forces[%1] (张%2) Skill31 ").arg(force).arg(king)))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("persons[0] 张0 Faith49 ")));
}

// Kept bytes are counted, never named; bit 31 of a skill mask carries no flag and counts as kept.
TEST_F(DiffTest, KeptBytesAreCountedApart)
{
    QByteArray b = MakeSampleScenarioBytes(kSeed);
    b[570746 + 3 * 56 + 12] = char(b[570746 + 3 * 56 + 12] ^ 0x01);     // city 3, kept byte 12
    b[612528 + 134 + 114 + 3] = char(b[612528 + 134 + 114 + 3] ^ 0x80); // person 1, mask bit 31
    b[740000] = char(b[740000] ^ 0xFF);                                 // past the tables
    const SceResult result = diff(b);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, QStringLiteral("命名字段以外不同的字节：3\n"));
}

TEST_F(DiffTest, FilesOfDifferentLengthsCountTheSurplusAsKept)
{
    const QByteArray a = MakeSampleScenarioBytes(kSeed);
    const SceResult longer = diff(a + QByteArray(10, 'x'));
    EXPECT_EQ(longer.code, 1);
    EXPECT_EQ(longer.out, QStringLiteral("文件长度不同：A 760,000 字节，B 760,010 字节。\n"
                                         "命名字段以外不同的字节：10\n"));
    const SceResult shorter = diff(a.left(719712), {"--format", "json"});
    EXPECT_EQ(shorter.code, 1);
    const QJsonObject root = QJsonDocument::fromJson(shorter.out.toUtf8()).object();
    EXPECT_TRUE(root[QStringLiteral("fields")].toArray().isEmpty());
    EXPECT_EQ(root[QStringLiteral("keptBytes")].toInt(), 760000 - 719712);
    EXPECT_EQ(root[QStringLiteral("sizeB")].toInt(), 719712);
}

TEST_F(DiffTest, ErrorsExitWithTwo)
{
    const QString a = scratch_.write(QStringLiteral("a.kqx"), MakeSampleScenarioBytes(kSeed));
    const QString shortFile = scratch_.write(QStringLiteral("short.kqx"), QByteArray(1000, 0));
    const QStringList missing{"diff", a, scratch_.path(QStringLiteral("none.kqx"))};
    for (const QStringList& args :
         {missing, QStringList{"diff", a, shortFile}, QStringList{"diff", shortFile, a},
          QStringList{"diff", a}, QStringList{"diff", a, a, "--format", "xml"},
          QStringList{"diff", a, a, "--bogus"}}) {
        const SceResult result = scratch_.run(args);
        EXPECT_EQ(result.code, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_TRUE(scratch_.run(missing).err.contains(QStringLiteral("none.kqx")));
}

// However many records of one table differ, each line names its own record.
TEST_F(DiffTest, EachChangedRecordOfATableIsNamedOnItsOwnLine)
{
    const QByteArray b = EditedSampleBytes(kSeed, [&](ScenarioTables& t) {
        for (int city : {3, 5})
            t.cities.ShouYi[city] = uint16_t(t.cities.ShouYi[city] + 1);
    });
    const QStringList lines = diff(b).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("cities[3] 城3 ShouYi ")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("cities[5] 城5 ShouYi ")))
        << lines[1].toStdString();
}

// Far more lines than go out at once: each difference once, in order, none dropped.
TEST_F(DiffTest, ALongListingHasEveryDifferenceOnce)
{
    const QByteArray b = MakeSampleScenarioBytes(kSeed + 1);
    QStringList lines = diff(b).out.split('\n', Qt::SkipEmptyParts);
    const QJsonArray fields = QJsonDocument::fromJson(diff(b, {"--format", "json"}).out.toUtf8())
                                  .object()[QStringLiteral("fields")]
                                  .toArray();
    ASSERT_GT(fields.size(), 10000);
    while (!lines.isEmpty() && !lines.last().contains(QStringLiteral(" → ")))
        lines.removeLast();
    ASSERT_EQ(lines.size(), fields.size());
    const QJsonObject last = fields.last().toObject();
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral(" %1 → %2")
                                          .arg(last[QStringLiteral("a")].toInt())
                                          .arg(last[QStringLiteral("b")].toInt())))
        << lines.last().toStdString();
}

// Equal stretches are passed over a block at a time; a byte at a block's very end still counts.
TEST_F(DiffTest, AKeptByteAtTheEndOfAStretchCounts)
{
    QByteArray b = MakeSampleScenarioBytes(kSeed);
    b[511] = char(b[511] ^ 0x01);
    EXPECT_EQ(diff(b).out, QStringLiteral("命名字段以外不同的字节：1\n"));
}

} // namespace
} // namespace veldor::test
