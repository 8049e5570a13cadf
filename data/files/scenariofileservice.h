#pragma once

#include "data/files/fileidentity.h"
#include "data/files/replaceoptions.h"
#include "data/files/scenariofile.h"
#include "data/format/scenariotables.h"

#include <QByteArray>
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

// The scenario file a session works on: it opens, reloads, saves and backs the file up, and
// keeps the file as it was last opened, reloaded or saved. Every operation checks first and
// changes nothing when it fails: a refused open keeps the old file, a refused save leaves the
// file as it was.
//
// What is kept of the file: its tables (to tell the user's changes, and to see whether another
// program changed the file) and its bytes, which Save As writes with the current tables in, so
// that every byte the editor does not understand reaches the copy. Both must stay, however
// reading and saving are made faster: without them Save As loses bytes and a change on disk
// goes unnoticed.
//
// An open reads only the tables' bytes, so that the window shows them soonest; the bytes outside
// the tables follow in KeepBytesOutsideTables, which the editor calls as soon as its window is
// up. Until then, or where the file changed meanwhile, Save As takes them from the file as it is
// then.
class ScenarioFileService
{
public:
    // `empty` stands for the file's tables while no file is open.
    explicit ScenarioFileService(const ScenarioTables& empty);
    ~ScenarioFileService();

    // The disk that saves and backups write to, and whether they flush: the system's, unless a
    // test gives one that fails or records.
    void SetReplaceOptions(ReplaceOptions options) { options_ = std::move(options); }

    bool FileOpen() const { return !fileName_.isEmpty(); }
    const QString& FileName() const { return fileName_; }

    // Reads the tables of `path`, reading only their bytes, and makes it the current file.
    bool Open(const QString& path, QString& error);
    // Keeps the bytes outside the tables of the file just opened, as they were when it was
    // opened: read now, but only where the file has not changed, been replaced or gone since
    // (otherwise nothing is kept). True when they are kept.
    bool KeepBytesOutsideTables();
    bool BytesOutsideTablesKept() const { return wholeFile_; }
    // Reads the current file again.
    bool Reload(QString& error);

    // The file's tables and contents as last opened, reloaded or saved; the contents are empty
    // while the bytes outside the tables are not kept.
    const ScenarioTables& FileTables() const { return *fileTables_; }
    const QByteArray& FileBytes() const;
    // Whether `bytes`, the file's contents now, hold the tables last read; where they do not,
    // `decoded` (when given) receives their tables.
    bool FileTablesUnchanged(const QByteArray& bytes, ScenarioTables* decoded = nullptr) const;
    // Whether the file's tables' bytes on disk are still those last read, read without keeping
    // a copy of them. Unreadable with the reason in `error` where the file cannot be read.
    TablesOnDisk CompareTablesOnDisk(QString& error) const;
    // Takes `bytes` as the file's contents now, with their tables `decoded`: another program
    // wrote them, so the next save backs them up.
    void TakeFileContents(const QByteArray& bytes, const ScenarioTables& decoded);

    // Writes every named field of `tables` back into the current file, holding the file's lock
    // from the read to the replace. `warning` receives what the save could not keep.
    bool Save(const ScenarioTables& tables, QString& error, QString* warning = nullptr);
    // The first save since the file was opened or reloaded first copies the file as it then is
    // on disk to FILE.bak; a backup that fails stops the save. `warning` receives what the
    // backup and the save could not keep.
    bool SaveWithBackup(const ScenarioTables& tables, QString& error, QString* warning = nullptr);
    // As SaveWithBackup, but refuses where another program changed the file's tables since they
    // were last read, unless `overwriteDiskChanges`, and where the folder takes no backup, until
    // AllowSaveWithoutBackup.
    SaveOutcome SaveEdits(const ScenarioTables& tables, QString& error, QString* warning = nullptr,
                          bool overwriteDiskChanges = false);
    // Saves from now on without a backup, writing in place where the folder takes no new file;
    // holds until another file is opened.
    void AllowSaveWithoutBackup() { withoutBackup_ = true; }
    // Writes the file as last read, with `tables` written in, to `path` as a new file (replacing
    // one that is there), which then becomes the current file. Where the bytes outside the
    // tables were not kept, they come from the current file as it is now, read under its lock;
    // where that file is gone, nothing is written.
    bool SaveAs(const ScenarioTables& tables, const QString& path, QString& error,
                QString* warning = nullptr);

private:
    bool readWhole(const QString& path, QString& error);
    // The tables' bytes as last read or written: within the kept file, or alone.
    const char* tableBytes() const;
    void keepFile(QByteArray bytes);
    // The bytes Save As writes around the tables: those kept, or the current file's now.
    bool bytesForCopy(const QString& copy, QByteArray& bytes, QString& error) const;
    // The first save's backup of `bytes`, the file as just read under the save's lock, once
    // the caller has checked that the save may write the file.
    bool backUp(const QByteArray& bytes, QString& error, QString* warning, QString* folderRefusal);
    // The save proper, under `lock`: `tables` written into `bytes`, the file's contents as just
    // read under it.
    bool saveRead(const ScenarioLock& lock, const ScenarioTables& tables, QByteArray bytes,
                  QString& error, QString* warning);

    QString fileName_;
    std::unique_ptr<ScenarioTables> fileTables_;
    // The file, as large as it is; where only its tables were read (`wholeFile_` false) the bytes
    // around them are not set yet, and `identity_` is that of the file they came from.
    QByteArray fileBytes_;
    bool wholeFile_ = false;
    FileIdentity identity_;
    bool backupDue_ = false;
    bool withoutBackup_ = false;
    ReplaceOptions options_;
};

// What every guarded action answers while no file is open.
QString NoFileMessage();

} // namespace veldor
