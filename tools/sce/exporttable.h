#pragma once

#include "data/scenariolayout.h"

#include <QString>

namespace veldor {

// One table as CSV: a header of `index`, `name` (persons and cities), then the layout's field
// names; one record per row in index order, values as stored.
QString TableCsv(ScenarioTables& tables, TableId table);

// The same rows as JSON: {"table": ..., "columns": [...], "rows": [[...], ...]}, one row per
// line. Arrays rather than objects keep the columns in file order.
QString TableJson(ScenarioTables& tables, TableId table);

} // namespace veldor
