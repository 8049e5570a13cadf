#pragma once

#include "data/scenariofile.h"
#include "data/scenariotables.h"

#include <QString>

#include <memory>

namespace veldor {

// The one in-memory copy of the scenario, plus the path it was read from. Every operation
// that touches the disk checks first and changes nothing when it fails: a refused open keeps
// the old file name and tables, a refused save leaves the file as it was.
class ScenarioStore : public ScenarioTables
{
public:
    ScenarioStore(); // all zero, then Clear()

    // Sets Money and Grain to 0 and King to none for every force; nothing else.
    void Clear();

    bool FileOpen() const { return !fileName_.isEmpty(); }
    const QString& FileName() const { return fileName_; }

    // Reads `path` into the tables and makes it the current file.
    bool Open(const QString& path, QString& error);
    // Reads the current file again, dropping every change made since.
    bool Reload(QString& error);
    // Writes every named field back into the current file, holding the file's lock from the
    // read to the replace. `warning` receives what the save could not keep (owner, mode).
    bool Save(QString& error, const ReplaceOptions& options = {}, QString* warning = nullptr);
    // Save as the editor does it: the first save since the file was opened or reloaded first
    // copies the file as it then is on disk to FILE.bak; a backup that fails stops the save.
    // `warning` receives what the backup and the save could not keep.
    bool SaveWithBackup(QString& error, QString* warning = nullptr);
    bool SaveWithBackup(QString& error, const ReplaceOptions& options, QString* warning);

    // True while the tables differ from the file's contents as last opened, reloaded or saved.
    // Compared, not counted: changing a value and changing it back is no change.
    bool Modified() const;

private:
    bool readInto(const QString& path, QString& error);
    void markSaved();

    QString fileName_;
    std::unique_ptr<ScenarioTables> saved_;
    bool backupDue_ = false;
};

// What every guarded action answers while no file is open.
QString NoFileMessage();

} // namespace veldor
