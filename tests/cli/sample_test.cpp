#include "data/format/indices.h"
#include "data/format/nametables.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/format/scenariotables.h"
#include "data/rules/scenariochecks.h"
#include "tools/sample/citygraph.h"
#include "tools/sample/samplefindings.h"
#include "tools/sample/samplescenario.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>
#include <vector>

namespace veldor::test {
namespace {

std::unique_ptr<ScenarioTables> sample(uint32_t seed)
{
    auto tables = std::make_unique<ScenarioTables>();
    MakeSampleScenario(seed, *tables);
    return tables;
}

TEST(SampleScenario, SameSeedSameBytesOtherSeedOtherScenario)
{
    const QByteArray first = MakeSampleScenarioBytes(17);
    EXPECT_EQ(first.size(), kSampleFileSize);
    EXPECT_GT(first.size(), layout::kMinFileSize);
    EXPECT_TRUE(first == MakeSampleScenarioBytes(17));
    EXPECT_FALSE(first == MakeSampleScenarioBytes(18));

    // The file holds exactly the in-memory sample.
    auto decoded = std::make_unique<ScenarioTables>();
    DecodeScenario(first, *decoded);
    auto made = sample(17);
    QByteArray again = first;
    EncodeScenario(*made, again);
    EXPECT_TRUE(again == first);
    EXPECT_EQ(decoded->persons.Degree[5], made->persons.Degree[5]);
}

// The pictures of the check window are made from this; every seed must show five kinds.
TEST(SampleScenario, PlantedFindingsAreOneOfEachOfFiveKinds)
{
    for (uint32_t seed : {1u, 2u, 3u, 12u, 99u}) {
        auto tables = sample(seed);
        PlantFindings(*tables);
        QStringList kinds;
        for (const Finding& finding : CheckScenario(*tables, NameTables()))
            kinds << finding.kind;
        EXPECT_EQ(kinds, QStringList({"sovereign-outside-own-land", "several-strategists",
                                      "sovereign-without-force", "city-of-empty-force",
                                      "value-above-maximum"}))
            << "seed " << seed;
    }
}

TEST(SampleScenario, CityGraphReachesEveryCity)
{
    const CityGraph graph = MakeCityGraph();
    std::vector<int> all;
    for (int c = 0; c < kCities; ++c) {
        all.push_back(c);
        EXPECT_FALSE(graph[c].empty()) << c;
    }
    EXPECT_TRUE(CitiesConnected(graph, all));
    EXPECT_FALSE(CitiesConnected(graph, {0, 49})); // 襄平 and 南蛮 lie at opposite corners
}

class SampleCoherence : public ::testing::TestWithParam<uint32_t>
{
};

TEST_P(SampleCoherence, ForcesRuleConnectedLandFromTheirOwnCities)
{
    const auto t = sample(GetParam());
    const CityGraph graph = MakeCityGraph();
    int occupied = 0;
    bool newcomerRules = false;
    for (int f = 0; f < kForces; ++f) {
        const uint16_t king = t->forces.King[f];
        std::vector<int> land;
        for (int c = 0; c < kCities; ++c)
            if (t->cities.Forc[c] == f)
                land.push_back(c);
        if (!isPerson(king)) {
            EXPECT_EQ(king, kNone) << f;
            EXPECT_TRUE(land.empty()) << "empty slot " << f << " owns a city";
            continue;
        }
        ++occupied;
        newcomerRules |= king >= 702;
        EXPECT_TRUE(CitiesConnected(graph, land)) << "force " << f;
        EXPECT_EQ(t->cities.Forc[t->persons.City[king]], f) << "sovereign of " << f;

        const uint16_t metro = t->forces.Metro[f];
        ASSERT_TRUE(isForce(metro)) << f;
        EXPECT_TRUE(isPerson(t->forces.King[metro])) << f;
        EXPECT_EQ(t->forces.Metro[metro], metro) << "corps of a corps: " << f;
        EXPECT_EQ(t->persons.Degree[king], metro == f ? kSovereign : kCorpsCommander) << f;
        EXPECT_EQ(t->persons.Faith[king][f], 100);
    }
    EXPECT_GE(occupied, 15);
    EXPECT_LE(occupied, 25);
    EXPECT_LT(occupied, kForces);
    EXPECT_TRUE(newcomerRules);
}

TEST_P(SampleCoherence, PersonsFitTheirForces)
{
    const auto t = sample(GetParam());
    const PrsnTable& p = t->persons;
    int strategists[kForces] = {};
    int perDegree[10] = {};
    int newcomerOfficers = 0, usualAbilities = 0;
    for (int i = 0; i < kPersons; ++i) {
        const uint16_t degree = p.Degree[i];
        ASSERT_LE(degree, kDead) << i;
        ++perDegree[degree];
        ASSERT_TRUE(isCity(p.City[i])) << i;
        const uint16_t force = t->cities.Forc[p.City[i]];
        if (degree < kFirstDegreeWithoutForce) {
            ASSERT_TRUE(isForce(force)) << "person " << i << " serves in a city without a force";
            if (degree == kSovereign || degree == kCorpsCommander) {
                EXPECT_EQ(t->forces.King[force], i) << "person " << i << " rules no force";
            }
            strategists[force] += degree == kStrategist;
        }
        newcomerOfficers += i >= 702 && degree == kOfficer;
        for (uint16_t value : {p.TongShuai[i], p.WuLi[i], p.ZhiLi[i], p.ZhengZhi[i]}) {
            EXPECT_LE(value, 100);
            usualAbilities += value >= 30;
        }
        EXPECT_LE(p.BornYear[i] + 15, p.EnterYear[i]) << i;
    }
    for (int f = 0; f < kForces; ++f)
        EXPECT_LE(strategists[f], 1) << "force " << f;
    for (int d = kSovereign; d <= kDead; ++d)
        EXPECT_GT(perDegree[d], 0) << "no person of standing " << d;
    EXPECT_GT(newcomerOfficers, 0);
    EXPECT_GT(usualAbilities, kPersons * 4 * 8 / 10);
}

TEST_P(SampleCoherence, PlacesTreasuresAndCitiesAgree)
{
    const auto t = sample(GetParam());
    for (int i = 0; i < kPlaces; ++i) {
        ASSERT_TRUE(isCity(t->places.PlaceCity[i]));
        EXPECT_EQ(t->places.PlaceForc[i], t->cities.Forc[t->places.PlaceCity[i]]) << "place " << i;
    }
    int held = 0;
    for (int i = 0; i < kItems; ++i) {
        const uint16_t owner = t->items.ItemOwner[i];
        if (owner == kNone)
            continue;
        ASSERT_TRUE(isPerson(owner));
        ++held;
        const uint16_t degree = t->persons.Degree[owner];
        EXPECT_TRUE(degree <= kOfficer || degree == kUnaffiliated) << "item " << i;
    }
    EXPECT_GT(held, kItems / 2);
    const CityTable& c = t->cities;
    for (int i = 0; i < kCities; ++i) {
        EXPECT_LE(c.ShouYi[i], c.MaxShouYi[i]);
        EXPECT_LE(c.ShouHuo[i], c.MaxShouHuo[i]);
        EXPECT_LE(c.NaiJiu[i], c.MaxNaiJiu[i]);
        EXPECT_TRUE(c.Forc[i] == kNone || isForce(c.Forc[i]));
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleCoherence, ::testing::Values(1u, 2u, 3u, 77u, 4000000000u));

} // namespace
} // namespace veldor::test
