#pragma once

#include "data/format/scenariolayout.h"

#include <QString>

namespace veldor {

class NameTables;

// The name a record goes by: the name list's entry for persons and cities, the sovereign's
// name for a force ("空" for an empty slot); places and items have none. Empty when the name
// lists were not found.
QString RecordName(const ScenarioTables& tables, const NameTables& names, TableId table, int index);

// "persons[12] 张三", "forces[3] (曹操)", "places[7]": how every command names a record.
QString RecordLabel(const ScenarioTables& tables, const NameTables& names, TableId table,
                    int index);

} // namespace veldor
