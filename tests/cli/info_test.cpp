#include "cli/sceharness.h"
#include "data/format/indices.h"
#include "data/format/scenariotables.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace veldor::test {
namespace {

QString lineOf(const QString& text, const QString& start)
{
    for (const QString& line : text.split('\n'))
        if (line.trimmed().startsWith(start))
            return line.trimmed();
    return {};
}

TEST(SceInfo, SummarisesTheSample)
{
    QTemporaryDir dir;
    KnownNameLists names;
    const QString path = dir.filePath(QStringLiteral("D_Sce_sample.kqx"));
    WriteBytes(path, MakeSampleScenarioBytes(3));
    auto tables = std::make_unique<ScenarioTables>();
    MakeSampleScenario(3, *tables);

    const SceResult result = RunSceCaptured({"info", path}, {names.dir()});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("760000"))) << result.out.toStdString();

    int occupied = 0;
    for (int f = 0; f < kForces; ++f) {
        const uint16_t king = tables->forces.King[f];
        if (!isPerson(king))
            continue;
        ++occupied;
        int cities = 0;
        for (int c = 0; c < kCities; ++c)
            cities += tables->cities.Forc[c] == f;
        const QString name =
            king < 702 ? QStringLiteral("张%1").arg(king) : QStringLiteral("新%1").arg(king - 701);
        const QRegularExpression row(
            QStringLiteral("^\\s*%1\\s+%2\\s+%3\\b").arg(f).arg(name).arg(cities),
            QRegularExpression::MultilineOption);
        EXPECT_TRUE(row.match(result.out).hasMatch()) << "force " << f << "\n"
                                                      << result.out.toStdString();
    }
    EXPECT_TRUE(result.out.contains(QStringLiteral("势力：%1 个").arg(occupied)));

    const char* labels[] = {"君主", "军团长", "军师",   "一般", "俘虏",
                            "在野", "未发现", "未成年", "死亡", "特殊"};
    for (int d = 0; d < 10; ++d) {
        int count = 0;
        for (int p = 0; p < kPersons; ++p)
            count += tables->persons.Degree[p] == d;
        const QString label = QString::fromUtf8(labels[d]);
        const QStringList words = lineOf(result.out, label).split(' ', Qt::SkipEmptyParts);
        ASSERT_EQ(words.size(), 2) << labels[d];
        EXPECT_EQ(words[0], label);
        EXPECT_EQ(words[1].toInt(), count) << labels[d];
    }
}

TEST(SceInfo, CountsOutOfRangeStandingsApart)
{
    QTemporaryDir dir;
    KnownNameLists names;
    const QString path = dir.filePath(QStringLiteral("D_Sce_random.kqx"));
    WriteBytes(path, RandomScenarioBytes(5));
    const SceResult result = RunSceCaptured({"info", path}, {names.dir()});
    ASSERT_EQ(result.code, 0);
    // Random Degree values are almost all past 9.
    const QStringList words =
        lineOf(result.out, QStringLiteral("其他")).split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(words.size(), 2) << result.out.toStdString();
    EXPECT_GT(words[1].toInt(), 780);
}

TEST(SceCommandLine, HelpAndUsageErrors)
{
    const QStringList dirs;
    const SceResult tool = RunSceCaptured({"--help"}, dirs);
    EXPECT_EQ(tool.code, 0);
    for (const char* command : {"info", "dump", "resave"}) {
        EXPECT_TRUE(tool.out.contains(QLatin1String(command))) << command;
        const SceResult help = RunSceCaptured({command, "--help"}, dirs);
        EXPECT_EQ(help.code, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: veldor-sce %1").arg(command)))
            << help.out.toStdString();
        EXPECT_TRUE(help.err.isEmpty());

        const SceResult bare = RunSceCaptured({command}, dirs);
        EXPECT_EQ(bare.code, 1) << command;
        EXPECT_TRUE(bare.err.contains(QStringLiteral("FILE"))) << bare.err.toStdString();
        const SceResult extra = RunSceCaptured({command, "a.kqx", "b.kqx"}, dirs);
        EXPECT_EQ(extra.code, 1) << command;
        const SceResult unknownOption = RunSceCaptured({command, "--frobnicate", "a.kqx"}, dirs);
        EXPECT_EQ(unknownOption.code, 1) << command;
        EXPECT_TRUE(unknownOption.err.contains(QStringLiteral("frobnicate")));
    }
    EXPECT_EQ(RunSceCaptured({}, dirs).code, 1);
    const SceResult unknown = RunSceCaptured({"explode", "a.kqx"}, dirs);
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("explode")));
}

} // namespace
} // namespace veldor::test
