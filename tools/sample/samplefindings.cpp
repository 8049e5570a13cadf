#include "tools/sample/samplefindings.h"

#include "data/format/scenariotables.h"

#include <algorithm>
#include <vector>

namespace veldor {
namespace {

std::vector<int> occupiedForces(const ScenarioTables& t)
{
    std::vector<int> forces;
    for (int f = 0; f < kForces; ++f)
        if (isPerson(t.forces.King[f]))
            forces.push_back(f);
    return forces;
}

int cityOwnedBy(const ScenarioTables& t, uint16_t force)
{
    for (int c = 0; c < kCities; ++c)
        if (t.cities.Forc[c] == force)
            return c;
    return -1;
}

// The first person of `degree` in a city of `force` (any city when `force` is kNone).
int personOf(const ScenarioTables& t, uint16_t degree, uint16_t force)
{
    for (int p = 0; p < kPersons; ++p) {
        const uint16_t city = t.persons.City[p];
        const bool serves = isCity(city) && t.cities.Forc[city] == force;
        if (t.persons.Degree[p] == degree && (force == kNone || serves))
            return p;
    }
    return -1;
}

} // namespace

void PlantFindings(ScenarioTables& t)
{
    const std::vector<int> forces = occupiedForces(t);
    if (forces.size() < 3)
        return;
    const int abroad = cityOwnedBy(t, uint16_t(forces[1]));
    if (abroad >= 0)
        t.persons.City[t.forces.King[forces[0]]] = uint16_t(abroad);
    for (size_t i = 2; i < forces.size(); ++i) {
        const int officer = personOf(t, kOfficer, uint16_t(forces[i]));
        if (officer >= 0 && personOf(t, kStrategist, uint16_t(forces[i])) >= 0) {
            t.persons.Degree[officer] = kStrategist;
            break;
        }
    }
    const int loner = personOf(t, kUnaffiliated, kNone);
    if (loner >= 0)
        t.persons.Degree[loner] = kSovereign;
    const int unowned = cityOwnedBy(t, kNone);
    for (int slot = 0; slot < kForces && unowned >= 0; ++slot)
        if (!isPerson(t.forces.King[slot])) {
            t.cities.Forc[unowned] = uint16_t(slot);
            break;
        }
    t.cities.ShouYi[0] = uint16_t(std::min(65535, t.cities.MaxShouYi[0] + 100));
}

} // namespace veldor
