// Two imports into one scenario at once take turns: both changes land.

#include "cli/scescratch.h"
#include "data/format/scenariotables.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace veldor::test {
namespace {

TEST(ConcurrentImport, TwoImportsAtOnceBothLand)
{
    SceScratch scratch;
    const QString wuLi = scratch.write("wuli.csv", "index,WuLi\n5,11\n");
    const QString zhiLi = scratch.write("zhili.csv", "index,ZhiLi\n6,12\n");
    for (int round = 0; round < 8; ++round) {
        const QString scenario = scratch.write("s.kqx", MakeSampleScenarioBytes(15));
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            char go;
            const bool started = ::read(start[0], &go, 1) == 1;
            ::_exit(started && scratch.run({"import", scenario, wuLi}).code == 0 ? 0 : 1);
        }
        ASSERT_EQ(::write(start[1], "g", 1), 1);
        const SceResult mine = scratch.run({"import", scenario, zhiLi});
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(start[0]);
        ::close(start[1]);
        EXPECT_EQ(mine.code, 0) << mine.err.toStdString();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        const auto tables = DecodedTables(ReadBytes(scenario));
        ASSERT_EQ(tables->persons.WuLi[5], 11) << "round " << round;
        ASSERT_EQ(tables->persons.ZhiLi[6], 12) << "round " << round;
    }
}

} // namespace
} // namespace veldor::test
