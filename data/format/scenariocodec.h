#pragma once

#include <QByteArray>

namespace veldor {

struct ScenarioTables;

// Fills every named field from the bytes of a scenario file. `bytes` must hold at least
// layout::kMinFileSize bytes; values are taken as they are, with no checking.
void DecodeScenario(const QByteArray& bytes, ScenarioTables& tables);
// The same from the tables' bytes alone: `tables` holds layout::kTablesSize bytes, the file's
// from layout::kTablesBegin on.
void DecodeScenarioTables(const char* tableBytes, ScenarioTables& tables);

// Puts every named field into `bytes` (the file's current contents) in place. Every other byte,
// including bit 31 of each skill mask, stays as it was. `bytes` must hold at least
// layout::kMinFileSize bytes.
void EncodeScenario(const ScenarioTables& tables, QByteArray& bytes);

} // namespace veldor
