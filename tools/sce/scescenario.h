#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

class NameTables;

class ScenarioStore;
struct SceContext;

// Reads `path` into `store` to be changed and saved back, so it must be a file. On failure the
// reason, naming the file, goes to err.
bool SceOpenScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context);

// Saves `store` into its file; a failure, and what the save could not keep (owner, mode), go
// to err. `backUpFirst`: the file is copied to FILE.bak first, from the same read as the save.
bool SceSave(const QString& command, ScenarioStore& store, SceContext& context,
             bool backUpFirst = false);

// Reads `path`, or standard input for "-", into `store` only to be read. `size`, when given,
// receives the length of what was read.
bool SceReadScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context, qint64* size = nullptr);

// The bytes of the scenario `path` names, or of standard input for "-", checked as a file
// being opened is.
bool SceReadScenarioBytes(const QString& command, const QString& path, QByteArray& bytes,
                          SceContext& context);

// The bytes of a file that is not a scenario (a CSV), or of standard input for "-".
bool SceReadInput(const QString& command, const QString& path, QByteArray& bytes,
                  SceContext& context);

// Fills the name tables; a missing list is a warning on err, not a failure.
void SceLoadNames(const QString& command, NameTables& names, SceContext& context);

} // namespace veldor
