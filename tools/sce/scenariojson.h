#pragma once

#include "data/format/scenariolayout.h"

#include <QString>

#include <optional>

namespace veldor {

class NameTables;

struct ScenarioTables;

// The named fields as JSON: an object with the arrays "places", "cities", "forces", "items"
// and "persons", or with `only` set that table's array alone. Each record is an object with
// the layout's field names in file order and the values as stored; Relation and Faith are
// arrays of 50 numbers, Skills an array of 31 booleans (flag N at position N-1); persons and
// cities lead with their "name" from the name tables. One record per line, so the output
// stays readable and greppable.
QString ScenarioJson(const ScenarioTables& tables, const NameTables& names,
                     std::optional<TableId> only = std::nullopt);

// The table whose JSON name is `name`.
std::optional<TableId> TableIdFromName(const QString& name);

} // namespace veldor
