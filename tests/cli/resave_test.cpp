#include "cli/sceharness.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

class ResaveTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }

    SceResult run(const QStringList& args) { return RunSceCaptured(args, {names_.dir()}); }

    QTemporaryDir dir_;
    KnownNameLists names_;
};

// Random bytes set bit 31 of about half the skill masks and put out-of-range indices
// everywhere: both must come back exactly as they were.
TEST_F(ResaveTest, LeavesRandomFilesByteIdentical)
{
    const qint64 sizes[] = {719712, 719728, 760000, 1 << 20};
    uint32_t seed = 100;
    for (const qint64 size : sizes) {
        const QByteArray before = RandomScenarioBytes(seed++, size);
        const QString path = write(QStringLiteral("D_Sce_%1.kqx").arg(size), before);
        const SceResult result = run({"resave", path});
        ASSERT_EQ(result.code, 0) << result.err.toStdString();
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        EXPECT_TRUE(ReadBytes(path) == before) << "size " << size;
    }
}

TEST_F(ResaveTest, LeavesTheSampleByteIdentical)
{
    const QByteArray before = MakeSampleScenarioBytes(9);
    const QString path = write(QStringLiteral("D_Sce_sample.kqx"), before);
    ASSERT_EQ(run({"resave", path}).code, 0);
    EXPECT_TRUE(ReadBytes(path) == before);
}

struct Refusal
{
    const char* what;
    QString path;
    QByteArray contents; // empty: nothing to compare afterwards
};

// Each command refuses what is no scenario with a message naming the file, exit code 1, no
// output, and the file as it was.
TEST_F(ResaveTest, RefusesWhatIsNoScenario)
{
    QDir(dir_.path()).mkdir(QStringLiteral("D_Sce_folder.kqx"));
    const QByteArray tiny = RandomScenarioBytes(7, 1000);
    const QByteArray oneShort = RandomScenarioBytes(8, 719711);
    const std::vector<Refusal> refusals = {
        {"missing", dir_.filePath(QStringLiteral("D_Sce_missing.kqx")), {}},
        {"directory", dir_.filePath(QStringLiteral("D_Sce_folder.kqx")), {}},
        {"tiny", write(QStringLiteral("D_Sce_tiny.kqx"), tiny), tiny},
        {"one byte short", write(QStringLiteral("D_Sce_short.kqx"), oneShort), oneShort},
    };
    for (const char* command : {"resave", "dump", "info"}) {
        for (const Refusal& refusal : refusals) {
            const SceResult result = run({command, refusal.path});
            const std::string where = std::string(command) + " of " + refusal.what;
            EXPECT_EQ(result.code, 1) << where;
            EXPECT_TRUE(result.out.isEmpty()) << where;
            EXPECT_TRUE(result.err.contains(QFileInfo(refusal.path).fileName()))
                << where << ": " << result.err.toStdString();
            if (!refusal.contents.isEmpty()) {
                EXPECT_TRUE(ReadBytes(refusal.path) == refusal.contents) << where;
            }
        }
    }
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("D_Sce_missing.kqx"))));
    EXPECT_TRUE(QFileInfo(dir_.filePath(QStringLiteral("D_Sce_folder.kqx"))).isDir());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file may be left behind";
}

} // namespace
} // namespace veldor::test
