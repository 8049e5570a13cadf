#pragma once

#include <QString>

namespace veldor {

class ScenarioStore;
struct SceContext;

// Reads `path` into `store`. On failure the reason, naming the file, goes to err.
bool SceOpenScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context);

// Saves `store` into its file; a failure, and what the save could not keep (owner, mode), go
// to err.
bool SceSave(const QString& command, const ScenarioStore& store, SceContext& context);

// Fills the name tables; a missing list is a warning on err, not a failure.
void SceLoadNames(const QString& command, SceContext& context);

} // namespace veldor
