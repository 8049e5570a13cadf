#pragma once

#include "data/format/scenariotables.h"

namespace veldor::test {

// A small, known arrangement of forces, cities and persons laid over any scenario tables, for
// the force editor's tests. Everything not named here is empty: persons stand in no city and
// are undiscovered, cities have no owner, forces have no sovereign and stand alone.
//
//   force 2 (kLord):   sovereign 10 in city 5; owns cities 5 and 6; independent
//   force 3 (kCorps):  sovereign 20 ("军团长") in city 7, which it owns; a corps of force 2
//   force 4 (kHollow): no sovereign; owns city 8; a corps of force 2
//   person 11: strategist in city 6      person 12: strategist in city 7
//   person 13: captive in city 5         person 750: officer (a generated name) in city 6
//   person 30: unaffiliated in city 9, which nobody owns
namespace world {
constexpr int kLord = 2, kCorps = 3, kHollow = 4;
constexpr int kLordKing = 10, kCorpsKing = 20;
constexpr int kLordStrategist = 11, kCorpsStrategist = 12, kPrisoner = 13, kGenerated = 750;
constexpr int kFree = 30;
constexpr int kLordHome = 5, kLordCity = 6, kCorpsHome = 7, kHollowCity = 8, kFreeCity = 9;
} // namespace world

void LayForceWorld(ScenarioTables& tables);

} // namespace veldor::test
