#pragma once

#include <QByteArray>

#include <cstdint>

namespace veldor {

struct ScenarioTables;

// Length of a generated scenario file: like a real one, longer than the tables reach.
constexpr qint64 kSampleFileSize = 760000;

// Fills every named field of `tables` with a coherent scenario that depends only on `seed`:
// 15 to 25 forces on connected territories, sovereigns in their own cities, at most one
// strategist per force, persons of every standing spread over the cities, treasures held by
// persons, places held by the owners of their cities.
void MakeSampleScenario(uint32_t seed, ScenarioTables& tables);

// A whole scenario file: random bytes wherever the format keeps data of its own, and the
// sample of `seed` in the named fields.
QByteArray MakeSampleScenarioBytes(uint32_t seed, qint64 size = kSampleFileSize);

} // namespace veldor
