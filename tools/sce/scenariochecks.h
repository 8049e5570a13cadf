#pragma once

#include "data/scenariolayout.h"

#include <QString>

#include <vector>

namespace veldor {

struct RecordRef
{
    TableId table;
    int index;
};

// One inconsistency the game would trip over. `kind` is a fixed identifier for scripts;
// `message` names the records as RecordLabel does.
struct Finding
{
    QString kind;
    QString message;
    std::vector<RecordRef> records;
};

// Every finding in `tables`, grouped by kind in the order listed in the check command's help.
// A force slot counts as occupied when its King is a person; a person's force is the owner of
// the city they stand in.
std::vector<Finding> CheckScenario(const ScenarioTables& tables);

} // namespace veldor
