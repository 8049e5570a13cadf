#pragma once

#include "data/format/fielddiff.h"
#include "data/format/scenariolayout.h"

#include <QString>

namespace veldor {

class NameTables;

// Which words name records and fields: the identifiers scripts rely on ("cities[9] 濮阳",
// "MinXin"), or the Chinese a user reads ("城市 濮阳", "民心").
enum class FieldLabels { Identifiers, Chinese };

// "武将 杜哲", "城市 濮阳", "势力 曹操", "宝物 赤兔", "据点 7"; a record without a name, or a
// force without a sovereign, goes by its number ("势力 12（空）").
QString ChineseRecordLabel(const ScenarioTables& tables, const NameTables& names, TableId table,
                           int index);

// The record as `labels` names it: RecordLabel or ChineseRecordLabel.
QString RecordLabelAs(FieldLabels labels, const ScenarioTables& tables, const NameTables& names,
                      TableId table, int index);

// The name of a field of `table` by its identifier, as `labels` names it.
QString FieldLabel(FieldLabels labels, TableId table, const char* identifier);

// "城市 濮阳：民心 65 → 90", "武将 杜哲：城市 长安 → 濮阳": a change as users read it, the
// values shown as the windows show them (see ValueText), forces named after `tables`.
QString ChineseDifferenceLine(const ScenarioTables& tables, const NameTables& names,
                              const FieldDifference& difference);

} // namespace veldor
