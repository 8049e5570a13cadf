// Import against the field catalogue: values the editors could not store, names and Chinese
// heads, and the forms in which spreadsheets really save a CSV.

#include "cli/scescratch.h"
#include "data/format/scenariotables.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

constexpr uint32_t kSeed = 22;

class Spreadsheet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        original_ = MakeSampleScenarioBytes(kSeed);
        scenario_ = scratch_.write(QStringLiteral("s.kqx"), original_);
    }

    SceResult import(const QByteArray& csv, const QStringList& extra = {})
    {
        const QString path = scratch_.write(QStringLiteral("in.csv"), csv);
        return scratch_.run(QStringList{"import", scenario_, path, "--no-backup"} + extra);
    }

    std::unique_ptr<ScenarioTables> tables() const { return DecodedTables(ReadBytes(scenario_)); }

    SceScratch scratch_;
    QByteArray original_;
    QString scenario_;
};

TEST_F(Spreadsheet, ValuesNoEditorCouldStoreAreRefusedWithTheirPlaceUnlessAllowed)
{
    // A value the file already holds is given back unchanged, and not refused.
    original_ = EditedSampleBytes(kSeed, [](ScenarioTables& t) { t.persons.TongShuai[2] = 400; });
    WriteBytes(scenario_, original_);
    const QByteArray csv = "index,TongShuai,Degree,City,BornYear,Rank\n"
                           "0,300,12,60,1900,65535\n"
                           "1,301,3,-1,60,75\n"
                           "2,400,3,-1,60,75\n";
    SceResult result = import(csv);
    EXPECT_EQ(result.code, 1);
    for (const char* expected :
         {"in.csv:2:2: TongShuai: “300”超出范围（out of range）：统率（TongShuai）须在 0..255 "
          "之间（共 2 行）\n",
          "in.csv:2:3: Degree: “12”超出范围（out of range）：身份（Degree）须在 0..9 之间\n",
          "in.csv:2:4: City: “60”超出范围（out of range）：城市（City）须在 0..49 之间，"
          "或为 65535（空）\n",
          "in.csv:2:5: BornYear: “1900”超出范围（out of range）：出生年（BornYear）须在 0..1873 "
          "之间\n",
          "4 处错误"})
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(expected))) << result.err.toStdString();
    EXPECT_TRUE(ReadBytes(scenario_) == original_);

    result = import(csv, {"--allow-out-of-range"});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.err.count(QStringLiteral("警告: ")), 4) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("TongShuai: “300”超出范围")));
    const auto t = tables();
    EXPECT_EQ(t->persons.TongShuai[0], 300);
    EXPECT_EQ(t->persons.TongShuai[1], 301);
    EXPECT_EQ(t->persons.City[0], 60);
    EXPECT_EQ(t->persons.City[1], 65535);
    EXPECT_EQ(t->persons.Rank[0], 65535);
}

TEST_F(Spreadsheet, NamesAndChineseHeadsRoundTripAndReadBack)
{
    for (const char* table : {"persons", "cities", "forces", "items", "places"}) {
        const QString csv = scratch_.path(QStringLiteral("zh.csv"));
        ASSERT_EQ(scratch_
                      .run({"export", scenario_, "--table", table, "--names", "--headers", "zh",
                            "-o", csv})
                      .code,
                  0);
        const SceResult result = scratch_.run({"import", scenario_, csv});
        EXPECT_EQ(result.code, 0) << table << result.err.toStdString();
        EXPECT_EQ(result.out, QStringLiteral("没有改动，剧本未写入。\n")) << table;
        EXPECT_TRUE(result.err.isEmpty()) << table << result.err.toStdString();
    }
    const SceResult persons =
        scratch_.run({"export", scenario_, "--table", "persons", "--names", "--headers", "zh"});
    EXPECT_TRUE(persons.out.startsWith(
        QStringLiteral("编号,名字,保留0,保留2,登场年,出生年,城市,身份,统率,")));
    const auto t = tables();
    const QStringList row5 = persons.out.split(QStringLiteral("\r\n"))[6].split(',');
    EXPECT_EQ(row5[1], QStringLiteral("张5"));
    EXPECT_EQ(row5[5], QString::number(t->persons.BornYear[5])); // stored, not shown
    EXPECT_EQ(row5[7], QStringList({"君主", "军团长", "军师", "一般", "俘虏", "在野", "未发现",
                                    "未成年", "死亡", "特殊"})[t->persons.Degree[5]]);
    const SceResult json =
        scratch_.run({"export", scenario_, "--table", "persons", "--format", "json", "--names"});
    const QJsonArray jsonRow5 = QJsonDocument::fromJson(json.out.toUtf8())
                                    .object()[QStringLiteral("rows")]
                                    .toArray()[5]
                                    .toArray();
    EXPECT_EQ(jsonRow5[7].toString(), row5[7]);

    const SceResult edited = import(
        QStringLiteral("编号,身份,城市,官爵,性格\n5, 一般, 濮阳,——,冷静\n6,在野,城3,丞相,0\n")
            .toUtf8());
    ASSERT_EQ(edited.code, 0) << edited.err.toStdString();
    const auto after = tables();
    EXPECT_EQ(after->persons.Degree[5], 3);
    EXPECT_EQ(after->persons.City[5], 9);
    EXPECT_EQ(after->persons.Rank[5], 65535);
    EXPECT_EQ(after->persons.XingGe[5], 2);
    EXPECT_EQ(after->persons.City[6], 3);
    EXPECT_EQ(after->persons.Rank[6], 0);
}

TEST_F(Spreadsheet, FormsSpreadsheetsSaveAreRead)
{
    struct Case
    {
        QByteArray csv;
        int wuLi;
    };
    const QString unicodeText = QStringLiteral("index\tWuLi\r\n5\t78\r\n");
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") +
        QByteArray(reinterpret_cast<const char*>(unicodeText.utf16()), 2 * unicodeText.size());
    const Case cases[] = {
        {"\xC3\xAF\xC2\xBB\xC2\xBFindex,WuLi\r\n5,77\r\n", 77}, // a BOM read as Latin-1
        {utf16, 78},                                            // Excel's "Unicode text"
        {"index;WuLi\n5;79\n", 79},
        {"index;\"# a, b, c\";WuLi\n5;x;85\n", 85}, // commas only inside a quoted head
        {" INDEX , wuli \n5,80\n", 80},
        {"index,WuLi\n,\n5,81\n , \n,,,\n \t, \n", 81},      // rows of only separators and blanks
        {"index,# note,WuLi,# more\n5,\"a, b\",82,x\n", 82}, // helper columns
        {"编号,武 力\n5,83\n", 83},
    };
    for (const Case& c : cases) {
        const SceResult result = import(c.csv);
        ASSERT_EQ(result.code, 0) << c.wuLi << result.err.toStdString();
        EXPECT_EQ(tables()->persons.WuLi[5], c.wuLi);
    }
    EXPECT_TRUE(import(cases[0].csv).err.contains(QStringLiteral("“ï»¿”")));
}

TEST_F(Spreadsheet, NoWholeNumberIsToldApartFromOutOfRangeOncePerColumn)
{
    const SceResult result = import("index,PingMin,BingYi\n"
                                    "0,\"115,237\",1\n"
                                    "1,125690.4,2\n"
                                    "2,3E+07,3\n"
                                    "3,,4000000\n");
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral(
        "in.csv:2:2: PingMin: “115,237”不是整数（not a whole number）（共 4 行）\n")))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral(
        "in.csv:5:3: BingYi: “4000000”超出范围（out of range）：兵役人口（BingYi）须在 0..3000000 "
        "之间\n")));
    EXPECT_TRUE(result.err.contains(QStringLiteral("2 处错误")));
}

TEST_F(Spreadsheet, UnknownHeadSuggestsTheNearestAndMismatchedNamesAreWarned)
{
    SceResult result = import("index,TongShaui\n0,1\n");
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("是不是“TongShuai”？")))
        << result.err.toStdString();
    EXPECT_TRUE(import(QStringLiteral("编号,统帅\n0,1\n").toUtf8())
                    .err.contains(QStringLiteral("是不是“统率”？")));
    EXPECT_FALSE(import("index,Banana\n0,1\n").err.contains(QStringLiteral("是不是")));

    // An emptied name is no disagreement.
    result =
        import(QStringLiteral("index,name,WuLi\n5,张6,84\n6,张7,84\n7,张7,84\n8,,84\n").toUtf8());
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral(
        "in.csv:2:2: 警告: name: 名字“张6”与编号 5 的记录“张5”不符：表格是否只排序了部分列？"
        "（共 2 行）")))
        << result.err.toStdString();
    EXPECT_EQ(tables()->persons.WuLi[5], 84);
}

TEST_F(Spreadsheet, FieldsListsTheCatalogue)
{
    const SceResult text = scratch_.run({"fields", "persons"});
    ASSERT_EQ(text.code, 0);
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("persons（武将，800 条）\n")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("\n  TongShuai\t统率\t0..255\t数值\n")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("\n  BornYear\t出生年\t0..1873\t数值 + 130\n")));
    EXPECT_TRUE(
        text.out.contains(QStringLiteral("\n  City\t城市\t0..49 或 65535（空）\t城市名\n")));

    const SceResult json = scratch_.run({"fields", "--format", "json"});
    ASSERT_EQ(json.code, 0);
    const QJsonArray all =
        QJsonDocument::fromJson(json.out.toUtf8()).object()[QStringLiteral("tables")].toArray();
    ASSERT_EQ(all.size(), 5);
    const QJsonArray forces = all[2].toObject()[QStringLiteral("fields")].toArray();
    const QJsonObject name = forces[3].toObject();
    EXPECT_EQ(name[QStringLiteral("identifier")].toString(), QStringLiteral("Name"));
    EXPECT_EQ(name[QStringLiteral("name")].toString(), QStringLiteral("国号"));
    EXPECT_EQ(name[QStringLiteral("none")].toInt(), 65535);
    EXPECT_EQ(name[QStringLiteral("choices")].toArray().size(), 20);
    EXPECT_EQ(scratch_.run({"fields", "generals"}).code, 1);
}

} // namespace
} // namespace veldor::test
