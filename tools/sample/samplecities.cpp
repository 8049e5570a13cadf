#include "tools/sample/sampleworld.h"

namespace veldor {
namespace {

// Current value somewhere between half its bound and the bound.
void boundedPair(SampleRandom& random, uint16_t& value, uint16_t& bound, int lo, int hi)
{
    bound = uint16_t(random.between(lo, hi));
    value = uint16_t(random.between(bound / 2, bound));
}

void fillCityRecords(SampleWorld& world)
{
    CityTable& c = world.tables.cities;
    SampleRandom& random = world.random;
    for (int city = 0; city < kCities; ++city) {
        const int force = world.owner[size_t(city)];
        const bool ruled = force >= 0;
        c.Forc[city] = ruled ? uint16_t(force) : kNone;
        c.PingMin[city] = random.between(ruled ? 80000 : 20000, ruled ? 600000 : 200000);
        c.BingYi[city] = c.PingMin[city] / 100 * random.between(5, 15);
        c.ShiBing[city] = ruled ? random.between(2000, 40000) : random.between(0, 3000);
        c.MinXin[city] = uint16_t(random.between(ruled ? 40 : 20, 100));
        boundedPair(random, c.ShouYi[city], c.MaxShouYi[city], 200, 1500);
        boundedPair(random, c.ShouHuo[city], c.MaxShouHuo[city], 500, 3000);
        boundedPair(random, c.NaiJiu[city], c.MaxNaiJiu[city], 300, 2000);
    }
}

// Every city has at least one port, pass or building; the rest fall where chance puts them.
// A place is held by whoever holds its city.
void fillPlaces(SampleWorld& world)
{
    PlaceTable& p = world.tables.places;
    for (int place = 0; place < kPlaces; ++place) {
        const int city = place < kCities ? place : world.random.between(0, kCities - 1);
        p.PlaceCity[place] = uint16_t(city);
        p.PlaceForc[place] = world.tables.cities.Forc[city];
    }
}

// Treasures go to living persons who can carry them: members of a force or free persons.
void fillItems(SampleWorld& world)
{
    const PrsnTable& p = world.tables.persons;
    std::vector<int> bearers;
    for (int person = 0; person < kPersons; ++person)
        if (p.Degree[person] <= kOfficer || p.Degree[person] == kUnaffiliated)
            bearers.push_back(person);
    for (int item = 0; item < kItems; ++item)
        world.tables.items.ItemOwner[item] =
            world.random.chance(75) ? uint16_t(world.random.pick(bearers)) : kNone;
}

} // namespace

void FillCities(SampleWorld& world)
{
    fillCityRecords(world);
    fillPlaces(world);
    fillItems(world);
}

} // namespace veldor
