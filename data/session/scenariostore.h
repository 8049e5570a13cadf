#pragma once

#include "data/files/fileidentity.h"
#include "data/files/scenariofile.h"
#include "data/format/nametables.h"
#include "data/format/scenariotables.h"

#include <QString>

#include <memory>

namespace veldor {

class ScenarioLock;

// What the editor's save did.
enum class SaveOutcome {
    Saved,
    Failed,
    // The file's tables are no longer those last opened, reloaded or saved: another program
    // changed them. Nothing was written.
    ChangedOnDisk,
    // The folder takes no new file, so no backup can be written; `error` holds the reason.
    // Nothing was written.
    NoBackup,
};

// The one in-memory copy of the scenario, plus the path it was read from. Every operation
// that touches the disk checks first and changes nothing when it fails: a refused open keeps
// the old file name and tables, a refused save leaves the file as it was.
//
// Besides the tables the store keeps the file as it was last opened, reloaded or saved: its
// tables (to tell the user's changes, and to see whether another program changed the file)
// and its bytes, which Save As writes with the current tables in, so that every byte the
// editor does not understand reaches the copy. Both must stay, however reading and saving
// are made faster: without them Save As loses bytes and a change on disk goes unnoticed.
//
// An open reads only the tables' bytes, so that the window shows them soonest; the bytes
// outside the tables follow in KeepBytesOutsideTables, which the editor calls as soon as its
// window is up. Until then, or where the file changed meanwhile, Save As takes them from the
// file as it is then.
class ScenarioStore : public ScenarioTables
{
public:
    ScenarioStore(); // all zero, then Clear()

    // Sets Money and Grain to 0 and King to none for every force; nothing else.
    void Clear();

    // The names the session shows for persons, faces and cities; loaded once by whoever starts
    // the session, kept across files.
    const NameTables& Names() const { return names_; }
    NameTables& Names() { return names_; }

    bool FileOpen() const { return !fileName_.isEmpty(); }
    const QString& FileName() const { return fileName_; }

    // Reads `path` into the tables and makes it the current file. Reads only the tables' bytes.
    bool Open(const QString& path, QString& error);
    // Keeps the bytes outside the tables of the file just opened, as they were when it was
    // opened: read now, but only where the file has not changed, been replaced or gone since
    // (otherwise nothing is kept). True when they are kept.
    bool KeepBytesOutsideTables();
    bool BytesOutsideTablesKept() const { return !fileBytes_.isEmpty(); }
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

    // The editor's save: as SaveWithBackup, but refuses where another program changed the
    // file's tables since they were last read, unless `overwriteDiskChanges`, and where the
    // folder takes no backup, until AllowSaveWithoutBackup.
    SaveOutcome SaveEdits(QString& error, QString* warning = nullptr,
                          bool overwriteDiskChanges = false);
    // Saves from now on without a backup, writing in place where the folder takes no new file;
    // holds until another file is opened.
    void AllowSaveWithoutBackup() { withoutBackup_ = true; }
    // Writes the file as last read, with the current tables written in, to `path` as a new
    // file (replacing one that is there), which then becomes the current file. Where the bytes
    // outside the tables were not kept, they come from the current file as it is now, read
    // under its lock; where that file is gone, nothing is written.
    bool SaveAs(const QString& path, QString& error, QString* warning = nullptr);

    // True while the tables differ from the file's contents as last opened, reloaded or saved.
    // Compared, not counted: changing a value and changing it back is no change.
    bool Modified() const;

    // The file's contents as last opened, reloaded or saved (see above); empty while the bytes
    // outside the tables are not kept.
    const QByteArray& FileBytes() const { return fileBytes_; }
    const ScenarioTables& FileTables() const { return *saved_; }
    // Whether `bytes`, the file's contents now, hold the tables last read; where they do not,
    // `decoded` (when given) receives their tables.
    bool FileTablesUnchanged(const QByteArray& bytes, ScenarioTables* decoded = nullptr) const;
    // Takes `bytes` as the file's contents now, with their tables `decoded`. `keepTables`
    // leaves the store's tables as they are (a merge wrote them); otherwise they become the
    // file's, as after Reload.
    void TakeFileContents(const QByteArray& bytes, const ScenarioTables& decoded, bool keepTables);

private:
    bool readInto(const QString& path, QString& error);
    // The tables' bytes as last read or written: within the kept file, or alone.
    const char* tableBytes() const;
    void keepFile(QByteArray bytes);
    // The bytes Save As writes around the tables: those kept, or the current file's now.
    bool bytesForCopy(const QString& copy, QByteArray& bytes, QString& error) const;
    // The save proper, under `lock`: the current tables written into `bytes`, the file's
    // contents as just read under it.
    bool saveRead(const ScenarioLock& lock, QByteArray bytes, QString& error,
                  const ReplaceOptions& options, QString* warning);
    void markSaved();

    NameTables names_;
    QString fileName_;
    std::unique_ptr<ScenarioTables> saved_;
    // The whole file, or empty where only its tables' bytes were read, which `tableBytes_` then
    // holds, with the `identity_` of the file they came from.
    QByteArray fileBytes_;
    QByteArray tableBytes_;
    FileIdentity identity_;
    bool backupDue_ = false;
    bool withoutBackup_ = false;
};

// What every guarded action answers while no file is open.
QString NoFileMessage();

} // namespace veldor
