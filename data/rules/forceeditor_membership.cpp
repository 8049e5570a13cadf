// Sovereign, corps membership, city ownership and deletion of a force.
#include "data/rules/forceeditor.h"

#include "data/session/scenariostore.h"

namespace veldor {
void ForceEditor::SelectKing(int force, int person)
{
    if (!ValidForce(force) || person < 0 || person >= kPersons)
        return;
    forces.King[force] = uint16_t(person);
    Degree[person] = kSovereign;
}

void ForceEditor::SelectMetro(int force, int metro)
{
    if (!ValidForce(force) || !ValidForce(metro))
        return;
    forces.Metro[force] = uint16_t(metro);
    const uint16_t king = forces.King[force];
    if (isPerson(king))
        Degree[king] = metro == force ? kSovereign : kCorpsCommander;
}

bool ForceEditor::homeCityMark(int force, int city, bool toggledMark) const
{
    const uint16_t ownKing = forces.King[force];
    if (isPerson(ownKing) && personCity(ownKing) == city)
        return true;
    for (int other = 0; other < kForces; ++other) {
        const uint16_t king = forces.King[other];
        if (other != force && isPerson(king) && personCity(king) == city)
            return false;
    }
    return toggledMark;
}

CityMarks ForceEditor::ToggleCities(int force, CityMarks marks)
{
    if (!ValidForce(force))
        return marks;
    const CityMarks owned = OwnedCities(force);
    for (int city = 0; city < kCities; ++city)
        if (marks[city] != owned[city])
            marks[city] = homeCityMark(force, city, marks[city]);
    SetOwnedCities(force, marks);
    return marks;
}

void ForceEditor::SetOwnedCities(int force, const CityMarks& marks)
{
    if (!ValidForce(force))
        return;
    for (int city = 0; city < kCities; ++city) {
        if (marks[city])
            Forc[city] = uint16_t(force);
        else if (Forc[city] == force)
            Forc[city] = kNone;
    }
}

CityMarks ForceEditor::OwnedCities(int force) const
{
    CityMarks marks{};
    for (int city = 0; city < kCities; ++city)
        marks[city] = ValidForce(force) && Forc[city] == force;
    return marks;
}

void ForceEditor::Delete(int force)
{
    if (!ValidForce(force))
        return;
    const uint16_t king = forces.King[force];
    if (isPerson(king))
        Degree[king] = kOfficer;
    for (int p = 0; p < kPersons; ++p)
        if (Degree[p] == kStrategist && BelongsToForce(p, force))
            Degree[p] = kOfficer;
    for (int city = 0; city < kCities; ++city)
        if (Forc[city] == force)
            Forc[city] = kNone;
    for (int corps = 0; corps < kForces; ++corps) {
        if (corps == force || forces.Metro[corps] != force)
            continue;
        forces.Metro[corps] = uint16_t(corps);
        if (isPerson(forces.King[corps]))
            Degree[forces.King[corps]] = kSovereign;
    }
    forces.King[force] = kNone;
    forces.Metro[force] = uint16_t(force);
}

} // namespace veldor
