#pragma once

namespace veldor {

struct ScenarioTables;

// Plants into a consistent sample one mistake of each of five kinds the consistency check
// reports (a sovereign abroad, two strategists in one force, a sovereign without force, a city
// of an empty force slot, a value above its maximum), so the check has something to show.
void PlantFindings(ScenarioTables& tables);

} // namespace veldor
