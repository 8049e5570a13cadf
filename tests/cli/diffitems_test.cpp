// The diff covers the item table like every other.

#include "cli/scescratch.h"
#include "data/scenariotables.h"
#include "tools/sample/samplescenario.h"

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

TEST(DiffItems, FilesDifferingOnlyInAnItemOwnerDiffer)
{
    SceScratch scratch;
    uint16_t old = 0;
    const QString a = scratch.write("a.kqx", MakeSampleScenarioBytes(9));
    const QString b = scratch.write("b.kqx", EditedSampleBytes(9, [&](ScenarioTables& t) {
                                        old = t.items.ItemOwner[42];
                                        t.items.ItemOwner[42] = uint16_t(old + 1);
                                    }));
    const SceResult result = scratch.run({"diff", a, b});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.out.startsWith("items[42]")) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral(" ItemOwner %1 → %2\n").arg(old).arg(old + 1)))
        << result.out.toStdString();
    EXPECT_EQ(result.out.count('\n'), 1);
}

} // namespace
} // namespace veldor::test
