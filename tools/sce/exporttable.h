#pragma once

#include "data/format/scenariolayout.h"

#include <QString>

namespace veldor {

class NameTables;

// How an export writes heads and values.
struct ExportStyle
{
    bool names = false;        // values that have an unambiguous name (see ValueNames) by it
    bool chineseHeads = false; // 编号, 名字 and the fields' Chinese names instead of identifiers
};

// One table as CSV: a header of `index`, `name` (persons and cities), then the layout's field
// names; one record per row in index order, values as stored.
QString TableCsv(ScenarioTables& tables, const NameTables& names, TableId table,
                 const ExportStyle& style = {});

// The same rows as JSON: {"table": ..., "columns": [...], "rows": [[...], ...]}, one row per
// line. Arrays rather than objects keep the columns in file order; names are strings.
QString TableJson(ScenarioTables& tables, const NameTables& names, TableId table,
                  const ExportStyle& style = {});

} // namespace veldor
