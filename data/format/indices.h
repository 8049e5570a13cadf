#pragma once

#include <cstdint>

namespace veldor {

// Capacities of the five tables; no table ever grows.
constexpr int kPlaces = 137;
constexpr int kCities = 50;
constexpr int kForces = 50;
constexpr int kItems = 100;
constexpr int kPersons = 800;
constexpr int kFaces = 686;
constexpr int kSkills = 31;
constexpr int kAptitudes = 9;

// What the editors write for "no record" in a 16-bit index field.
constexpr uint16_t kNone = 65535;

// Any value past the end of a table means "none", not only kNone, so every test is an
// unsigned comparison with the table size.
constexpr bool isPerson(uint16_t index)
{
    return index < kPersons;
}
constexpr bool isCity(uint16_t index)
{
    return index < kCities;
}
constexpr bool isForce(uint16_t index)
{
    return index < kForces;
}

// Person standing (Degree) codes.
enum Degree : uint16_t {
    kSovereign = 0,
    kCorpsCommander = 1,
    kStrategist = 2,
    kOfficer = 3,
    kCaptive = 4,
    kUnaffiliated = 5,
    kUndiscovered = 6,
    kUnderAge = 7,
    kDead = 8,
    kSpecial = 9,
};

// Codes below this belong to a force.
constexpr uint16_t kFirstDegreeWithoutForce = kUnaffiliated;

// Years are stored as the year minus this.
constexpr int kYearBase = 130;

} // namespace veldor
