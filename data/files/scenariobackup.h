#pragma once

#include "data/files/replaceoptions.h"

#include <QString>

namespace veldor {

// Copies the scenario at `scenarioPath` to FILE.bak beside the real file (through symlinks),
// with the scenario's mode, owner and group, replacing an older backup atomically. Refuses,
// writing nothing, wherever a save of the scenario would be refused, so that a refused
// operation never leaves a backup behind. On failure `error` names the file and the reason;
// `warning` receives what the backup could not take over (owner, mode, extended attributes).
bool WriteScenarioBackup(const QString& scenarioPath, QString& error);
// `folderRefusal`, when given, receives the reason where the folder takes no new file (no
// permission, a read-only mount, a sticky folder): a save may then write in place instead.
bool WriteScenarioBackup(const QString& scenarioPath, QString& error, const ReplaceOptions& options,
                         QString* warning = nullptr, QString* folderRefusal = nullptr);

// The same for a caller that holds the scenario's lock and has checked that a save may write it:
// `bytes` are the scenario's contents as just read under that lock.
bool WriteScenarioBackupOf(const QString& scenarioPath, const QByteArray& bytes, QString& error,
                           const ReplaceOptions& options, QString* warning = nullptr,
                           QString* folderRefusal = nullptr);

// Where the backup of the scenario at `scenarioPath` goes.
QString ScenarioBackupPath(const QString& scenarioPath);

} // namespace veldor
