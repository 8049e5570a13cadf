// Each kind of finding planted into a sample that is otherwise consistent; the check must report
// what was planted and nothing else.

#include "cli/scescratch.h"
#include "data/format/nametables.h"
#include "data/format/scenariotables.h"
#include "tools/sample/samplescenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <vector>

namespace veldor::test {
namespace {

constexpr uint32_t kSeed = 12;

// Finders over the sample's tables, so the plantings do not depend on one seed's layout.
bool occupied(const ScenarioTables& t, int f)
{
    return isForce(uint16_t(f)) && isPerson(t.forces.King[f]);
}

int forceOf(const ScenarioTables& t, int person)
{
    const uint16_t city = t.persons.City[person];
    return isCity(city) ? t.cities.Forc[city] : -1;
}

std::vector<int> occupiedForces(const ScenarioTables& t)
{
    std::vector<int> forces;
    for (int f = 0; f < kForces; ++f)
        if (occupied(t, f))
            forces.push_back(f);
    return forces;
}

int emptySlot(const ScenarioTables& t)
{
    for (int f = 0; f < kForces; ++f)
        if (!occupied(t, f))
            return f;
    return -1;
}

int cityOf(const ScenarioTables& t, int force)
{
    for (int c = 0; c < kCities; ++c)
        if (t.cities.Forc[c] == force)
            return c;
    return -1;
}

// The first named person of `degree`, serving `force` when one is given.
int personOf(const ScenarioTables& t, uint16_t degree, int force = -2)
{
    for (int p = 0; p < kListedPersons; ++p)
        if (t.persons.Degree[p] == degree && (force == -2 || forceOf(t, p) == force))
            return p;
    return -1;
}

QString ref(const char* table, int index)
{
    return QStringLiteral("%1[%2]").arg(QLatin1String(table)).arg(index);
}

using Mentions = std::vector<QString>;

struct Planting
{
    const char* name;
    void (*plant)(ScenarioTables&, Mentions&); // records what the findings must name
    std::vector<const char*> kinds;            // every finding expected, in the check's order
};

void sovereignAbroad(ScenarioTables& t, Mentions& m)
{
    const std::vector<int> forces = occupiedForces(t);
    const int f = forces[0], c = cityOf(t, forces[1]);
    t.persons.City[t.forces.King[f]] = uint16_t(c);
    m = {ref("forces", f), ref("persons", t.forces.King[f]), ref("cities", c),
         ref("forces", forces[1])};
}

void sovereignOfTwo(ScenarioTables& t, Mentions& m)
{
    const std::vector<int> forces = occupiedForces(t);
    const int f = forces[0], g = forces[1];
    t.persons.Degree[t.forces.King[g]] = kOfficer; // so that the old one rules nothing quietly
    t.forces.King[g] = t.forces.King[f];
    m = {ref("persons", t.forces.King[f]), ref("forces", f), ref("forces", g)};
}

void forceWithoutCity(ScenarioTables& t, Mentions& m)
{
    const int e = emptySlot(t), p = personOf(t, kUnaffiliated);
    t.forces.King[e] = uint16_t(p);
    t.forces.Metro[e] = uint16_t(e);
    t.persons.Degree[p] = kSovereign;
    m = {ref("forces", e), ref("persons", p)};
}

void twoStrategists(ScenarioTables& t, Mentions& m)
{
    for (int f : occupiedForces(t)) {
        const int officer = personOf(t, kOfficer, f);
        const int strategist = personOf(t, kStrategist, f);
        if (officer < 0 || strategist < 0)
            continue;
        t.persons.Degree[officer] = kStrategist;
        m = {ref("forces", f), ref("persons", officer), ref("persons", strategist)};
        return;
    }
    FAIL() << "no force with an officer and a strategist";
}

void sovereignAsOfficer(ScenarioTables& t, Mentions& m)
{
    const int f = occupiedForces(t)[2];
    t.persons.Degree[t.forces.King[f]] = kOfficer;
    m = {ref("forces", f), ref("persons", t.forces.King[f]), QStringLiteral("“一般”")};
}

void sovereignWithoutForce(ScenarioTables& t, Mentions& m)
{
    const int p = personOf(t, kOfficer);
    t.persons.Degree[p] = kSovereign;
    m = {ref("persons", p)};
}

void cityOfEmptySlot(ScenarioTables& t, Mentions& m)
{
    const int c = cityOf(t, kNone), e = emptySlot(t);
    t.cities.Forc[c] = uint16_t(e);
    m = {ref("cities", c), ref("forces", e)};
}

void badCorpsOwners(ScenarioTables& t, Mentions& m)
{
    const std::vector<int> forces = occupiedForces(t);
    const int e = emptySlot(t);
    t.forces.Metro[forces[0]] = uint16_t(e);
    t.forces.Metro[forces[1]] = 50;
    m = {ref("forces", forces[0]), ref("forces", e), ref("forces", forces[1]),
         QStringLiteral("Metro = 50")};
}

void placeOfAnotherForce(ScenarioTables& t, Mentions& m)
{
    const std::vector<int> forces = occupiedForces(t);
    int place = 0;
    while (t.places.PlaceForc[place] != forces[0])
        ++place;
    t.places.PlaceForc[place] = uint16_t(forces[1]);
    m = {ref("places", place), ref("forces", forces[1]), ref("cities", t.places.PlaceCity[place]),
         ref("forces", forces[0])};
}

void valuesAboveBounds(ScenarioTables& t, Mentions& m)
{
    t.cities.ShouYi[3] = uint16_t(t.cities.MaxShouYi[3] + 1);
    t.cities.ShouHuo[4] = 65535;
    t.cities.MaxNaiJiu[5] = uint16_t(t.cities.NaiJiu[5] - 1);
    m = {QStringLiteral("cities[3] 城3 的 ShouYi = %1 大于 MaxShouYi = %2")
             .arg(t.cities.ShouYi[3])
             .arg(t.cities.MaxShouYi[3]),
         ref("cities", 4), QStringLiteral("MaxShouHuo"), ref("cities", 5),
         QStringLiteral("MaxNaiJiu")};
}

const Planting kPlantings[] = {
    {"SovereignOutsideOwnLand", sovereignAbroad, {"sovereign-outside-own-land"}},
    {"SovereignOfTwoForces",
     sovereignOfTwo,
     {"sovereign-outside-own-land", "sovereign-of-several-forces"}},
    // A sovereign without land always stands on someone else's.
    {"ForceWithoutCity", forceWithoutCity, {"sovereign-outside-own-land", "force-without-city"}},
    {"SeveralStrategists", twoStrategists, {"several-strategists"}},
    {"SovereignOfWrongStanding", sovereignAsOfficer, {"sovereign-standing"}},
    {"SovereignWithoutForce", sovereignWithoutForce, {"sovereign-without-force"}},
    {"CityOfEmptyForce", cityOfEmptySlot, {"city-of-empty-force"}},
    // Metro 50 is also a value no editor could store.
    {"BadCorpsOwner", badCorpsOwners, {"bad-corps-owner", "bad-corps-owner", "value-out-of-range"}},
    {"PlaceOutsideHolderLand", placeOfAnotherForce, {"place-outside-holder-land"}},
    {"ValueAboveMaximum",
     valuesAboveBounds,
     {"value-above-maximum", "value-above-maximum", "value-above-maximum", "value-out-of-range"}},
};

class CheckFinding : public ::testing::TestWithParam<Planting>
{
};

TEST_P(CheckFinding, ReportsWhatWasPlantedAndNothingElse)
{
    const Planting& planting = GetParam();
    Mentions mentions;
    const QByteArray bytes =
        EditedSampleBytes(kSeed, [&](ScenarioTables& t) { planting.plant(t, mentions); });
    SceScratch scratch;
    const SceResult result = scratch.run({"check", scratch.write(QStringLiteral("c.kqx"), bytes)});
    EXPECT_EQ(result.code, 1) << result.err.toStdString();
    const QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    QStringList kinds;
    for (const QString& line : lines)
        kinds << line.section(QStringLiteral(": "), 0, 0);
    QStringList expected;
    for (const char* kind : planting.kinds)
        expected << QLatin1String(kind);
    EXPECT_EQ(kinds, expected) << result.out.toStdString();
    for (const QString& mention : mentions)
        EXPECT_TRUE(result.out.contains(mention)) << mention.toStdString() << " missing from\n"
                                                  << result.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, CheckFinding, ::testing::ValuesIn(kPlantings),
                         [](const ::testing::TestParamInfo<Planting>& info) {
                             return std::string(info.param.name);
                         });

TEST(Check, GeneratedSamplesAreClean)
{
    SceScratch scratch;
    for (uint32_t seed : {1u, 2u, 3u, 12u, 77u, 4000000000u}) {
        const QString path =
            scratch.write(QStringLiteral("s%1.kqx").arg(seed), MakeSampleScenarioBytes(seed));
        const SceResult result = scratch.run({"check", path});
        EXPECT_EQ(result.code, 0) << "seed " << seed;
        EXPECT_TRUE(result.out.isEmpty()) << "seed " << seed << "\n" << result.out.toStdString();
    }
}

TEST(Check, JsonNamesEveryRecordOfAFinding)
{
    const QByteArray bytes = EditedSampleBytes(kSeed, [](ScenarioTables& t) {
        t.cities.NaiJiu[7] = uint16_t(t.cities.MaxNaiJiu[7] + 5);
        t.items.ItemOwner[4] = 900;
    });
    SceScratch scratch;
    const QString path = scratch.write(QStringLiteral("c.kqx"), bytes);
    const SceResult result = scratch.run({"check", path, "--format", "json"});
    EXPECT_EQ(result.code, 1);
    const QJsonArray findings =
        QJsonDocument::fromJson(result.out.toUtf8()).object()[QStringLiteral("findings")].toArray();
    ASSERT_EQ(findings.size(), 2) << result.out.toStdString();
    const QJsonObject finding = findings[0].toObject();
    EXPECT_EQ(finding[QStringLiteral("kind")].toString(), QStringLiteral("value-above-maximum"));
    const QJsonObject record = finding[QStringLiteral("records")].toArray()[0].toObject();
    EXPECT_EQ(record[QStringLiteral("table")].toString(), QStringLiteral("cities"));
    EXPECT_EQ(record[QStringLiteral("index")].toInt(), 7);
    EXPECT_EQ(record[QStringLiteral("name")].toString(), QStringLiteral("城7"));
    // The record that holds the value, which the check window opens.
    const QJsonObject owner = findings[1].toObject();
    EXPECT_EQ(owner[QStringLiteral("kind")].toString(), QStringLiteral("value-out-of-range"));
    const QJsonObject item = owner[QStringLiteral("records")].toArray()[0].toObject();
    EXPECT_EQ(item[QStringLiteral("table")].toString(), QStringLiteral("items"));
    EXPECT_EQ(item[QStringLiteral("index")].toInt(), 4);

    const SceResult clean = scratch.run(
        {"check", scratch.write(QStringLiteral("s.kqx"), MakeSampleScenarioBytes(kSeed)),
         "--format", "json"});
    EXPECT_EQ(clean.code, 0);
    EXPECT_TRUE(QJsonDocument::fromJson(clean.out.toUtf8())
                    .object()[QStringLiteral("findings")]
                    .toArray()
                    .isEmpty());
}

TEST(Check, ErrorsExitWithTwo)
{
    SceScratch scratch;
    const QString tiny = scratch.write(QStringLiteral("tiny.kqx"), QByteArray(100, 0));
    const QString good = scratch.write(QStringLiteral("s.kqx"), MakeSampleScenarioBytes(kSeed));
    for (const QStringList& args : {QStringList{"check", tiny}, QStringList{"check"},
                                    QStringList{"check", good, "--format", "csv"},
                                    QStringList{"check", scratch.path(QStringLiteral("no.kqx"))}}) {
        const SceResult result = scratch.run(args);
        EXPECT_EQ(result.code, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty());
    }
}

TEST(SceNewCommands, HelpAndToolListing)
{
    const SceResult tool = RunSceCaptured({"--help"}, {});
    for (const char* command : {"export", "import", "diff", "check"}) {
        EXPECT_TRUE(tool.out.contains(QStringLiteral("\n  %1 ").arg(command))) << command;
        const SceResult help = RunSceCaptured({command, "--help"}, {});
        EXPECT_EQ(help.code, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: veldor-sce %1").arg(command)));
    }
}

} // namespace
} // namespace veldor::test
