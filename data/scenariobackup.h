#pragma once

#include <QString>

namespace veldor {

// Copies the scenario file as it is now on disk to `scenarioPath` + ".bak" beside it, with the
// scenario's permission bits, replacing an older backup. On failure returns false and puts a
// message naming the file and the reason into `error`; the scenario itself is never touched.
bool WriteScenarioBackup(const QString& scenarioPath, QString& error);

} // namespace veldor
