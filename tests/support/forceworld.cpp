#include "support/forceworld.h"

namespace veldor::test {
namespace {

void stand(ScenarioTables& t, int person, int city, uint16_t degree)
{
    t.persons.City[person] = uint16_t(city);
    t.persons.Degree[person] = degree;
}

} // namespace

void LayForceWorld(ScenarioTables& t)
{
    using namespace world;
    for (int p = 0; p < kPersons; ++p)
        stand(t, p, kNone, kUndiscovered);
    for (int c = 0; c < kCities; ++c)
        t.cities.Forc[c] = kNone;
    for (int f = 0; f < kForces; ++f) {
        t.forces.King[f] = kNone;
        t.forces.Metro[f] = uint16_t(f);
    }

    t.forces.King[kLord] = kLordKing;
    t.cities.Forc[kLordHome] = kLord;
    t.cities.Forc[kLordCity] = kLord;
    stand(t, kLordKing, kLordHome, kSovereign);
    stand(t, kLordStrategist, kLordCity, kStrategist);
    stand(t, kPrisoner, kLordHome, kCaptive);
    stand(t, kGenerated, kLordCity, kOfficer);

    t.forces.King[kCorps] = kCorpsKing;
    t.forces.Metro[kCorps] = kLord;
    t.cities.Forc[kCorpsHome] = kCorps;
    stand(t, kCorpsKing, kCorpsHome, kCorpsCommander);
    stand(t, kCorpsStrategist, kCorpsHome, kStrategist);

    t.forces.Metro[kHollow] = kLord;
    t.cities.Forc[kHollowCity] = kHollow;

    stand(t, kFree, kFreeCity, kUnaffiliated);
}

} // namespace veldor::test
