#include "tools/sample/sampleworld.h"

#include <algorithm>
#include <numeric>

namespace veldor {
namespace {

struct Claim
{
    int force, city;
};

// Every unowned city that borders a force's land, once per bordering force.
std::vector<Claim> frontier(const SampleWorld& world)
{
    std::vector<Claim> claims;
    for (int city = 0; city < kCities; ++city) {
        if (world.owner[size_t(city)] >= 0)
            continue;
        std::vector<int> bordering;
        for (int neighbour : world.graph[size_t(city)]) {
            const int force = world.owner[size_t(neighbour)];
            if (force >= 0 &&
                std::find(bordering.begin(), bordering.end(), force) == bordering.end())
                bordering.push_back(force);
        }
        for (int force : bordering)
            claims.push_back({force, city});
    }
    return claims;
}

void claim(SampleWorld& world, int force, int city)
{
    world.owner[size_t(city)] = force;
    world.territory[size_t(force)].push_back(city);
}

// Each force starts from one city and takes bordering cities one at a time, so its land is
// always one piece; some cities stay without a ruler.
void growTerritories(SampleWorld& world)
{
    std::vector<int> cities(kCities);
    std::iota(cities.begin(), cities.end(), 0);
    world.random.shuffle(cities);
    for (size_t k = 0; k < world.forces.size(); ++k)
        claim(world, world.forces[k], cities[k]);

    int owned = int(world.forces.size());
    const int target = world.random.between(34, 42);
    while (owned < target) {
        const std::vector<Claim> claims = frontier(world);
        if (claims.empty())
            break;
        const Claim& next = world.random.pick(claims);
        claim(world, next.force, next.city);
        ++owned;
    }
}

bool borders(const SampleWorld& world, int a, int b)
{
    for (int city : world.territory[size_t(a)])
        for (int neighbour : world.graph[size_t(city)])
            if (world.owner[size_t(neighbour)] == b)
                return true;
    return false;
}

// A few forces become corps of a bordering independent force. No corps has corps of its own.
void formCorps(SampleWorld& world)
{
    std::vector<int> order = world.forces;
    world.random.shuffle(order);
    std::vector<bool> isParent(kForces, false);
    int wanted = world.random.between(2, 4);
    for (int force : order) {
        if (wanted == 0)
            break;
        if (isParent[size_t(force)])
            continue;
        for (int other : world.forces) {
            const bool independent = world.parent[size_t(other)] == other;
            if (other != force && independent && borders(world, force, other)) {
                world.parent[size_t(force)] = other;
                isParent[size_t(other)] = true;
                --wanted;
                break;
            }
        }
    }
}

void fillEmptySlot(ForcTable& f, int slot)
{
    f.Money[slot] = 0;
    f.Grain[slot] = 0;
    f.Metro[slot] = uint16_t(slot);
    f.Name[slot] = kNone;
    f.King[slot] = kNone;
    f.MinRepute[slot] = 0;
    f.Repute[slot] = 0;
    f.Rank[slot] = 8; // "——"
}

void fillRelations(SampleWorld& world)
{
    ForcTable& f = world.tables.forces;
    for (int a : world.forces)
        for (int b : world.forces) {
            if (a == b)
                f.Relation[a][b] = 100;
            else if (world.parent[size_t(a)] == b || world.parent[size_t(b)] == a)
                f.Relation[a][b] = uint8_t(world.random.between(90, 100));
            else if (b < a)
                f.Relation[a][b] =
                    uint8_t(std::clamp(f.Relation[b][a] + world.random.between(-10, 10), 0, 100));
            else
                f.Relation[a][b] = uint8_t(world.random.between(5, 80));
        }
}

} // namespace

void PlaceForces(SampleWorld& world)
{
    std::vector<int> slots(kForces);
    std::iota(slots.begin(), slots.end(), 0);
    world.random.shuffle(slots);
    slots.resize(size_t(world.random.between(15, 25)));
    std::sort(slots.begin(), slots.end());
    world.forces = slots;

    world.owner.fill(-1);
    for (int f = 0; f < kForces; ++f) {
        world.parent[size_t(f)] = f;
        world.sovereign[size_t(f)] = -1;
    }
    growTerritories(world);
    formCorps(world);
}

void FillForceRecords(SampleWorld& world)
{
    ForcTable& f = world.tables.forces;
    for (int slot = 0; slot < kForces; ++slot)
        fillEmptySlot(f, slot);

    std::vector<int> states(20);
    std::iota(states.begin(), states.end(), 0);
    world.random.shuffle(states);
    size_t nextState = 0;
    for (int force : world.forces) {
        const int parent = world.parent[size_t(force)];
        f.Money[force] = world.random.between(2000, 60000);
        f.Grain[force] = world.random.between(10000, 250000);
        f.Metro[force] = uint16_t(parent);
        f.King[force] = uint16_t(world.sovereign[size_t(force)]);
        f.MinRepute[force] = uint16_t(world.random.between(0, 200));
        f.Repute[force] = uint16_t(f.MinRepute[force] + world.random.between(0, 800));
        if (parent == force) {
            f.Name[force] = nextState < states.size() ? uint16_t(states[nextState++]) : kNone;
            f.Rank[force] = uint16_t(world.random.between(0, 8));
        } else {
            f.Rank[force] = uint16_t(world.random.between(5, 8));
        }
        for (int k = 0; k < kSkills; ++k)
            f.Skill[force][k] = world.random.chance(30);
    }
    // A corps carries the state name of the force it serves.
    for (int force : world.forces)
        if (world.parent[size_t(force)] != force)
            f.Name[force] = f.Name[world.parent[size_t(force)]];
    fillRelations(world);
}

} // namespace veldor
