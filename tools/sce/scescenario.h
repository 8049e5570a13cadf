#pragma once

#include <QString>

namespace veldor {

class ScenarioStore;
struct SceContext;

// Reads `path` into `store`. On failure the reason, naming the file, goes to err.
bool SceOpenScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context);

// Fills the name tables; a missing list is a warning on err, not a failure.
void SceLoadNames(const QString& command, SceContext& context);

} // namespace veldor
