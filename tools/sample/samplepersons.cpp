#include "tools/sample/sampleworld.h"

#include "data/format/nametables.h"

#include <algorithm>
#include <numeric>

namespace veldor {
namespace {

// How many of the persons past the name list serve a force besides their sovereign.
constexpr int kUnlistedOfficers = 5;
// Person office codes: 44 "军师将军", 36..75 the lesser offices, 65535 none.
constexpr uint16_t kStrategistOffice = 44;

class PersonMaker
{
public:
    explicit PersonMaker(SampleWorld& world) : w_(world), p_(world.tables.persons) {}

    void make(int person, Degree degree, int city)
    {
        const int force = degree < kFirstDegreeWithoutForce ? w_.owner[size_t(city)] : -1;
        p_.City[person] = uint16_t(city);
        p_.Degree[person] = degree;
        p_.Extra0[person] = uint16_t(w_.random.between(0, 999));
        p_.Extra2[person] = uint16_t(w_.random.between(0, 999));
        p_.Extra30[person] = uint16_t(w_.random.between(0, 999));
        years(person, degree);
        abilities(person, degree);
        traits(person, degree, force);
        loyalties(person, degree, force);
    }

private:
    void years(int person, Degree degree)
    {
        int born = 0, enter = 0;
        switch (degree) {
        case kUndiscovered:
            born = w_.random.between(kSampleYear - 40, kSampleYear - 10);
            enter = std::max(born + 15, kSampleYear + w_.random.between(1, 20));
            break;
        case kUnderAge:
            born = w_.random.between(kSampleYear - 14, kSampleYear - 1);
            enter = born + 16;
            break;
        case kDead:
            born = w_.random.between(kYearBase, kSampleYear - 35);
            enter = born + 16;
            break;
        default:
            born = w_.random.between(kSampleYear - 60, kSampleYear - 18);
            enter = std::min(born + w_.random.between(15, 20), kSampleYear);
        }
        p_.BornYear[person] = uint16_t(born - kYearBase);
        p_.EnterYear[person] = uint16_t(enter - kYearBase);
    }

    // Mostly 30..100, now and then a weak one.
    uint16_t ability(int floor)
    {
        if (w_.random.chance(8))
            return uint16_t(w_.random.between(10, 29));
        return uint16_t(w_.random.between(std::max(30, floor), 100));
    }

    void abilities(int person, Degree degree)
    {
        const bool leader = degree == kSovereign || degree == kCorpsCommander;
        p_.TongShuai[person] = ability(leader ? 60 : 30);
        p_.WuLi[person] = ability(30);
        p_.ZhiLi[person] = degree == kStrategist ? uint16_t(w_.random.between(85, 100))
                                                 : ability(leader ? 50 : 30);
        p_.ZhengZhi[person] = ability(leader ? 55 : 30);
        for (int a = 0; a < kAptitudes; ++a)
            p_.Aptitude[person][a] = uint16_t(w_.random.between(0, 3));
        if (degree == kStrategist)
            p_.Aptitude[person][CeLue] = 3;
        const int skillChance = degree == kSovereign || degree == kStrategist ? 15 : 7;
        for (int k = 0; k < kSkills; ++k)
            p_.Skill[person][k] = w_.random.chance(skillChance);
    }

    void traits(int person, Degree degree, int force)
    {
        // 义理 and 野心 are 0..15 in the person editor; a sample holds nothing it could not enter.
        p_.YiLi[person] = uint16_t(w_.random.between(0, 15));
        p_.YeXin[person] = uint16_t(w_.random.between(0, 15));
        p_.XingGe[person] = uint16_t(w_.random.between(0, 3));
        const int ruler = force >= 0 ? w_.sovereign[size_t(force)] : -1;
        if (ruler >= 0 && ruler != person)
            p_.XiangXing[person] =
                uint16_t((p_.XiangXing[ruler] + 150 + w_.random.between(-20, 20)) % 150);
        else
            p_.XiangXing[person] = uint16_t(w_.random.between(0, 149));

        p_.Rank[person] = kNone;
        if (degree == kStrategist)
            p_.Rank[person] = kStrategistOffice;
        else if (degree == kOfficer && w_.random.chance(25))
            p_.Rank[person] = uint16_t(w_.random.between(36, 75));
    }

    void loyalties(int person, Degree degree, int force)
    {
        for (int f = 0; f < kForces; ++f)
            p_.Faith[person][f] = 0;
        for (int f : w_.forces)
            p_.Faith[person][f] = uint8_t(w_.random.between(0, 40));
        if (force < 0)
            return;
        if (degree == kCaptive) {
            p_.Faith[person][force] = uint8_t(w_.random.between(10, 50));
            std::vector<int> others = w_.forces;
            others.erase(std::find(others.begin(), others.end(), force));
            p_.Faith[person][w_.random.pick(others)] = uint8_t(w_.random.between(70, 100));
            return;
        }
        const bool leader = degree == kSovereign || degree == kCorpsCommander;
        p_.Faith[person][force] = leader ? 100 : uint8_t(w_.random.between(60, 100));
        const int parent = w_.parent[size_t(force)];
        if (parent != force)
            p_.Faith[person][parent] = uint8_t(w_.random.between(70, 100));
    }

    SampleWorld& w_;
    PrsnTable& p_;
};

std::vector<int> shuffledRange(SampleRandom& random, int begin, int end)
{
    std::vector<int> persons(size_t(end - begin));
    std::iota(persons.begin(), persons.end(), begin);
    random.shuffle(persons);
    return persons;
}

int take(std::vector<int>& pool)
{
    const int person = pool.back();
    pool.pop_back();
    return person;
}

// The standing of a person who is neither sovereign nor strategist, by a rough share of a
// historical scenario.
Degree drawDegree(SampleRandom& random)
{
    static const std::pair<Degree, int> shares[] = {{kOfficer, 48},      {kCaptive, 3},
                                                    {kUnaffiliated, 14}, {kUndiscovered, 15},
                                                    {kUnderAge, 11},     {kDead, 9}};
    int roll = random.between(0, 99);
    for (const auto& [degree, share] : shares) {
        if (roll < share)
            return degree;
        roll -= share;
    }
    return kOfficer;
}

} // namespace

void PlacePersons(SampleWorld& world)
{
    SampleRandom& random = world.random;
    PersonMaker maker(world);
    std::vector<int> listed = shuffledRange(random, 0, kListedPersons);
    std::vector<int> unlisted = shuffledRange(random, kListedPersons, kPersons);
    const std::vector<int> owned = world.ownedCities();

    // Sovereigns first: everyone else's affinity follows theirs. One of them comes from past
    // the name list so that its generated name shows on the map.
    const int newcomerForce = random.pick(world.forces);
    for (int force : world.forces) {
        const int king = take(force == newcomerForce ? unlisted : listed);
        world.sovereign[size_t(force)] = king;
        const bool corps = world.parent[size_t(force)] != force;
        maker.make(king, corps ? kCorpsCommander : kSovereign, world.territory[size_t(force)][0]);
    }
    for (int force : world.forces)
        if (random.chance(75))
            maker.make(take(listed), kStrategist, random.pick(world.territory[size_t(force)]));
    for (int k = 0; k < kUnlistedOfficers; ++k)
        maker.make(take(unlisted), kOfficer, random.pick(owned));
    while (!unlisted.empty())
        maker.make(take(unlisted), kUndiscovered, random.between(0, kCities - 1));
    while (!listed.empty()) {
        const Degree degree = drawDegree(random);
        const bool serves = degree == kOfficer || degree == kCaptive;
        maker.make(take(listed), degree,
                   serves ? random.pick(owned) : random.between(0, kCities - 1));
    }
}

} // namespace veldor
