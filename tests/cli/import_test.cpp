// export and import together: the round trip, spreadsheet-like edits, and every refusal.

#include "cli/scescratch.h"
#include "data/format/gbk.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariotables.h"
#include "support/scenariofiles.h"
#include "support/testdisk.h"
#include "tools/sample/samplescenario.h"
#include "tools/sce/sce.h"
#include "tools/sce/sceoutput.h"
#include "tools/sce/scescenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringEncoder>
#include <QTextStream>

// Owners and devices are POSIX matters.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

constexpr uint32_t kSeed = 21;

class ImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        original_ = MakeSampleScenarioBytes(kSeed);
        scenario_ = scratch_.write(QStringLiteral("D_Sce1.kqx"), original_);
    }

    QString exportCsv(const QString& table, const QStringList& extra = {})
    {
        const QString out = scratch_.path(table + QStringLiteral(".csv"));
        const SceResult result =
            scratch_.run(QStringList{"export", scenario_, "--table", table, "-o", out} + extra);
        EXPECT_EQ(result.code, 0) << result.err.toStdString();
        return out;
    }

    // What a script does to a spreadsheet: rewrite some cells by header name, leave the rest.
    static QByteArray rewriteCells(const QByteArray& csv, int index, const QString& column,
                                   const QString& value)
    {
        QStringList lines = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
        const int at = int(lines[0].split(',').indexOf(column));
        EXPECT_GE(at, 0) << column.toStdString();
        QStringList fields = lines[index + 1].split(',');
        EXPECT_EQ(fields[0].toInt(), index);
        fields[at] = value;
        lines[index + 1] = fields.join(',');
        return lines.join(QStringLiteral("\r\n")).toUtf8();
    }

    SceResult import(const QByteArray& csv, const QStringList& extra = {})
    {
        const QString path = scratch_.write(QStringLiteral("edited.csv"), csv);
        return scratch_.run(QStringList{"import", scenario_, path} + extra);
    }

    SceScratch scratch_;
    QByteArray original_;
    QString scenario_;
};

TEST_F(ImportTest, ExportThenImportChangesNothing)
{
    for (const char* table : {"persons", "cities", "forces", "items", "places"}) {
        const QString csv = exportCsv(QLatin1String(table));
        const SceResult result = scratch_.run({"import", scenario_, csv});
        EXPECT_EQ(result.code, 0) << table << result.err.toStdString();
        EXPECT_EQ(result.out, QStringLiteral("没有改动，剧本未写入。\n")) << table;
        EXPECT_TRUE(ReadBytes(scenario_) == original_) << table;
    }
    EXPECT_FALSE(scratch_.files().contains(QStringLiteral("D_Sce1.kqx.bak")));
}

TEST_F(ImportTest, ExportHeaderAndRowsFollowTheLayout)
{
    const QByteArray csv = ReadBytes(exportCsv(QStringLiteral("forces")));
    const QStringList lines = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1 + 50 + 1); // header, records, empty text after the last CR LF
    const QStringList header = lines[0].split(',');
    EXPECT_EQ(header.mid(0, 9).join(','),
              QStringLiteral("index,Money,Grain,Metro,Name,King,MinRepute,Repute,Rank"));
    EXPECT_EQ(header[9], QStringLiteral("Skill1"));
    EXPECT_EQ(header[39], QStringLiteral("Skill31"));
    EXPECT_EQ(header[40], QStringLiteral("Relation0"));
    EXPECT_EQ(header.back(), QStringLiteral("Relation49"));

    const auto tables = DecodedTables(original_);
    const QStringList row7 = lines[8].split(',');
    EXPECT_EQ(row7[0], QStringLiteral("7"));
    EXPECT_EQ(row7[5].toInt(), tables->forces.King[7]);
    EXPECT_EQ(row7[9 + 4].toInt(), int(tables->forces.Skill[7][4]));
    EXPECT_EQ(row7[40 + 49].toInt(), tables->forces.Relation[7][49]);

    // JSON carries the same header and values.
    const SceResult json =
        scratch_.run({"export", scenario_, "--table", "forces", "--format", "json"});
    ASSERT_EQ(json.code, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root[QStringLiteral("table")].toString(), QStringLiteral("forces"));
    EXPECT_EQ(root[QStringLiteral("columns")].toArray().size(), header.size());
    const QJsonArray rows = root[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 50);
    EXPECT_EQ(rows[7].toArray()[5].toInt(), tables->forces.King[7]);
}

TEST_F(ImportTest, EditedCellsChangeExactlyThoseFields)
{
    QByteArray csv = ReadBytes(exportCsv(QStringLiteral("persons")));
    const auto before = DecodedTables(original_);
    const int oldTongShuai = before->persons.TongShuai[12];
    const int newTongShuai = oldTongShuai == 95 ? 96 : 95;
    const bool oldSkill = before->persons.Skill[799][30];
    before->persons.City[300] = 7; // the CSV gives -1 for it below
    csv = rewriteCells(csv, 12, QStringLiteral("TongShuai"), QString::number(newTongShuai));
    csv = rewriteCells(csv, 799, QStringLiteral("Skill31"), oldSkill ? "0" : "1");
    csv = rewriteCells(csv, 40, QStringLiteral("Faith49"), QStringLiteral("255"));
    QByteArray start = original_;
    EncodeScenario(*before, start);
    WriteBytes(scenario_, start);
    csv = rewriteCells(csv, 300, QStringLiteral("City"), QStringLiteral("-1"));

    const SceResult result = import(csv);
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QString expected =
        QStringLiteral("persons[12] 张12 TongShuai %1 → %2\n").arg(oldTongShuai).arg(newTongShuai) +
        QStringLiteral("persons[40] 张40 Faith49 %1 → 255\n").arg(before->persons.Faith[40][49]) +
        QStringLiteral("persons[300] 张300 City 7 → 65535\n") + QStringLiteral("persons[799] ");
    EXPECT_TRUE(result.out.startsWith(expected)) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(
        QStringLiteral(" Skill31 %1 → %2\n").arg(int(oldSkill)).arg(int(!oldSkill))));
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("4 处改动已写入。\n")));

    before->persons.TongShuai[12] = uint16_t(newTongShuai);
    before->persons.Skill[799][30] = !oldSkill;
    before->persons.Faith[40][49] = 255;
    before->persons.City[300] = 65535;
    QByteArray expectedBytes = original_;
    EncodeScenario(*before, expectedBytes);
    EXPECT_TRUE(ReadBytes(scenario_) == expectedBytes);
}

// Names with a comma or a quote must be quoted on export and still line up on import; a
// spreadsheet that wants a byte order mark, or saves GBK, must not break the header.
TEST_F(ImportTest, ChineseNamesSurviveCsvWithBom)
{
    const QString csvPath = exportCsv(QStringLiteral("persons"), {"--bom"});
    const QByteArray csv = ReadBytes(csvPath);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"
                               "index,name,"));
    EXPECT_TRUE(csv.contains("\r\n12,\xE5\xBC\xA0"
                             "12,")); // "张12" in UTF-8

    const QByteArray edited = rewriteCells(csv.mid(3), 12, QStringLiteral("WuLi"), "7");
    for (const QByteArray& variant :
         {QByteArray("\xEF\xBB\xBF") + edited, ToGbk(QString::fromUtf8(edited))}) {
        WriteBytes(scenario_, original_);
        const SceResult result = import(variant, {"--dry-run"});
        ASSERT_EQ(result.code, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.startsWith(QStringLiteral("persons[12] 张12 WuLi ")))
            << result.out.toStdString();
    }
}

TEST_F(ImportTest, NamesNeedingQuotesRoundTrip)
{
    QTemporaryDir lists;
    WriteBytes(lists.filePath(QStringLiteral("name.txt")),
               ToGbk(QStringLiteral("逗,号 \"引\"号 张2\n")));
    const QString csv = scratch_.path(QStringLiteral("quoted.csv"));
    const SceResult exported =
        RunSceCaptured({"export", scenario_, "--table", "persons", "-o", csv}, {lists.path()});
    ASSERT_EQ(exported.code, 0);
    EXPECT_TRUE(ReadBytes(csv).contains(QStringLiteral("\r\n0,\"逗,号\",").toUtf8()));
    EXPECT_TRUE(ReadBytes(csv).contains(QStringLiteral("\r\n1,\"\"\"引\"\"号\",").toUtf8()));
    const SceResult result = RunSceCaptured({"import", scenario_, csv}, {lists.path()});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(ReadBytes(scenario_) == original_);
}

struct Refusal
{
    const char* csv;
    const char* where; // "line:column: field" as the message gives it
};

TEST_F(ImportTest, EveryValidationErrorIsPlacedAndNothingIsWritten)
{
    const Refusal refusals[] = {
        {"index,TongShuai,Bogus\n1,2,3\n", ":1:3: Bogus: "},
        {"index,WuLi,WuLi\n1,2,3\n", ":1:3: WuLi: "},
        {"name,WuLi\nx,2\n", ":1:1: "}, // no index column
        {"index,WuLi\n800,2\n", ":2:1: index: "},
        {"index,WuLi\n-1,2\n", ":2:1: index: "},
        {"index,WuLi\nseven,2\n", ":2:1: index: "},
        {"index,WuLi\n5,2\n6,3\n5,4\n", ":4:1: index: "}, // duplicate row
        {"index,WuLi\n5,65536\n", ":2:2: WuLi: "},
        {"index,WuLi\n5,-2\n", ":2:2: WuLi: "},
        {"index,WuLi\n5,12a\n", ":2:2: WuLi: "},
        {"index,WuLi\n5,\n", ":2:2: WuLi: "},
        {"index,Faith3\n5,256\n", ":2:2: Faith3: "},
        {"index,Faith0,Skill9\n5,0,2\n", ":2:3: Skill9: "},
        {"index,PingMin\n5,2147483648\n", ":2:2: PingMin: "},
        {"index,WuLi\n5,18446744073709551617\n", ":2:2: WuLi: "}, // 2^64 + 1, not 1
        {"index,WuLi\n5,1,2\n", ":2:3: "},                        // more fields than the header
        {"index,WuLi\n5,\"1\n", ":2:2: "},                        // quote never closed
        {"index,Rank\n5,1\n", ":1:1: "},                          // persons or forces?
        {"", ":1:1: "},
    };
    for (const Refusal& refusal : refusals) {
        const SceResult result = import(refusal.csv);
        EXPECT_EQ(result.code, 1) << refusal.csv;
        EXPECT_TRUE(result.err.contains(QStringLiteral("edited.csv") + refusal.where))
            << refusal.csv << "\n"
            << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << refusal.csv;
        EXPECT_TRUE(ReadBytes(scenario_) == original_) << refusal.csv;
    }
    EXPECT_EQ(scratch_.files(), QStringList({"D_Sce1.kqx", "edited.csv"}));
}

TEST_F(ImportTest, AllProblemsOfOneFileAreListedBeforeGivingUp)
{
    const SceResult result = import("index,WuLi,Faith0\n1,70000,0\n2,50,300\n3,50,0\n1,5,5\n");
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral(":2:2: WuLi: ")));
    EXPECT_TRUE(result.err.contains(QStringLiteral(":3:3: Faith0: ")));
    EXPECT_TRUE(result.err.contains(QStringLiteral(":5:1: index: ")));
    EXPECT_TRUE(result.err.contains(QStringLiteral("3 处错误")));
    EXPECT_TRUE(ReadBytes(scenario_) == original_);
}

TEST_F(ImportTest, TableOptionSettlesAmbiguousHeaders)
{
    const auto tables = DecodedTables(original_);
    const int rank = tables->forces.Rank[3] == 2 ? 1 : 2;
    const SceResult result =
        import(QStringLiteral("index,Rank\n3,%1\n").arg(rank).toUtf8(), {"--table", "forces"});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("forces[3] ")));
    EXPECT_EQ(DecodedTables(ReadBytes(scenario_))->forces.Rank[3], rank);
}

TEST_F(ImportTest, DryRunWritesNothing)
{
    const SceResult result = import("index,WuLi\n5,1\n6,2\n", {"--dry-run"});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("persons[5] 张5 WuLi ")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("未写入")));
    EXPECT_TRUE(ReadBytes(scenario_) == original_);
    EXPECT_EQ(scratch_.files(), QStringList({"D_Sce1.kqx", "edited.csv"}));
}

TEST_F(ImportTest, BackupHoldsTheBytesBeforeEachWrite)
{
    const QString backup = scenario_ + QStringLiteral(".bak");
    ASSERT_EQ(import("index,WuLi\n5,1\n").code, 0);
    const QByteArray first = ReadBytes(scenario_);
    EXPECT_FALSE(first == original_);
    EXPECT_TRUE(ReadBytes(backup) == original_);

    ASSERT_EQ(import("index,WuLi\n5,2\n", {"--no-backup"}).code, 0);
    EXPECT_TRUE(ReadBytes(backup) == original_) << "--no-backup must leave the old backup alone";

    ASSERT_EQ(import("index,WuLi\n5,3\n").code, 0);
    EXPECT_EQ(DecodedTables(ReadBytes(backup))->persons.WuLi[5], 2);
    EXPECT_EQ(DecodedTables(ReadBytes(scenario_))->persons.WuLi[5], 3);
    EXPECT_EQ(ReadBytes(scenario_).size(), original_.size());
}

// What neither the backup nor the save could keep is said, a warning line for each.
#ifndef _WIN32
TEST_F(ImportTest, TheBackupsWarningAndTheSavesEachTakeALine)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to give the file another owner";
    ASSERT_EQ(::chown(QFile::encodeName(scenario_).constData(), 1000, 60), 0);
    ScenarioStore store;
    QString error;
    ASSERT_TRUE(store.Open(scenario_, error)) << error.toStdString();
    store.persons.WuLi[5] = 1;
    ReplaceOptions cannotChown;
    TestDiskOf(cannotChown).onStep = [](SaveStep step) {
        return step == SaveStep::Own ? EPERM : 0;
    };
    store.File().SetReplaceOptions(cannotChown);
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    SceContext context{outStream, errStream, {}, nullptr, false};
    ASSERT_TRUE(SceSave(QStringLiteral("import"), store, context, true));
    const QStringList lines = err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("veldor-sce import: 警告：备份文件")))
        << err.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("veldor-sce import: 警告：剧本文件")))
        << err.toStdString();
}
#endif

TEST_F(ImportTest, ExportRefusesToOverwriteTheScenario)
{
    const SceResult result =
        scratch_.run({"export", scenario_, "--table", "persons", "-o", scenario_});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(ReadBytes(scenario_) == original_);
    EXPECT_EQ(scratch_.run({"export", scenario_, "--table", "people"}).code, 1);
    EXPECT_EQ(scratch_.run({"export", scenario_}).code, 1);
    EXPECT_EQ(scratch_.run({"export", scenario_, "--table", "items", "--format", "xml"}).code, 1);
}

// Far more lines than go out at once: one per changed cell, none repeated or dropped.
TEST_F(ImportTest, ALongListingNamesEachChangedCellOnce)
{
    const QString other =
        scratch_.write(QStringLiteral("other.kqx"), MakeSampleScenarioBytes(kSeed + 1));
    const QString csv = scratch_.path(QStringLiteral("other.csv"));
    ASSERT_EQ(scratch_.run({"export", other, "--table", "persons", "-o", csv}).code, 0);
    const SceResult result = scratch_.run({"import", scenario_, csv, "--no-backup"});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    const QString summary = lines.takeLast();
    ASSERT_GT(lines.size(), 10000);
    EXPECT_EQ(summary, QStringLiteral("%1 处改动已写入。").arg(lines.size()));
    EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), lines.size());
}

// Written to a device, the listing is the same text in the stream's own encoding, in order.
#ifndef _WIN32
TEST_F(ImportTest, TheListingOnADeviceIsTheListingAsText)
{
    const QByteArray other = MakeSampleScenarioBytes(kSeed + 1);
    const QString csv = scratch_.path(QStringLiteral("other.csv"));
    ASSERT_EQ(scratch_
                  .run({"export", scratch_.write(QStringLiteral("other.kqx"), other), "--table",
                        "persons", "--names", "-o", csv})
                  .code,
              0);
    const QStringList args{"import", scenario_, csv, "--dry-run"};
    const SceResult asText = scratch_.run(args);
    ASSERT_EQ(asText.code, 0) << asText.err.toStdString();
    const KnownNameLists names;
    for (const QStringConverter::Encoding encoding :
         {QStringConverter::Utf8, QStringConverter::Utf16LE}) {
        const QString path = scratch_.path(QStringLiteral("listing.txt"));
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        {
            SceOutputDevice device(fd);
            QString errText;
            QTextStream out(&device);
            out.setEncoding(encoding);
            QTextStream err(&errText);
            SceContext context{out, err, {names.dir()}};
            EXPECT_EQ(RunSce(args, context), 0) << errText.toStdString();
        }
        ::close(fd);
        EXPECT_TRUE(ReadBytes(path) == QStringEncoder(encoding).encode(asText.out)) << encoding;
    }
}
#endif

} // namespace
} // namespace veldor::test
