#pragma once

#include "data/files/scenariofileservice.h"
#include "data/format/nametables.h"
#include "data/format/scenariotables.h"

#include <QString>

namespace veldor {

// The one in-memory copy of the scenario being edited, the names it is shown with, and the file
// it came from. Reading, writing and backing up the file, and what is kept of it as last read or
// written, are the file service's (`File()`); the store answers whether its tables differ from
// the file's and hands the service the tables to save. Every operation that touches the disk
// checks first and changes nothing when it fails: a refused open keeps the old file name and
// tables, a refused save leaves the file as it was.
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

    // The file the tables came from.
    const ScenarioFileService& File() const { return file_; }
    ScenarioFileService& File() { return file_; }
    bool FileOpen() const { return file_.FileOpen(); }
    const QString& FileName() const { return file_.FileName(); }

    // Reads `path` into the tables and makes it the current file. Reads only the tables' bytes;
    // the rest follows in File().KeepBytesOutsideTables().
    bool Open(const QString& path, QString& error);
    // Reads the current file again, dropping every change made since.
    bool Reload(QString& error);

    // The saves of ScenarioFileService, of these tables.
    bool Save(QString& error, QString* warning = nullptr)
    {
        return file_.Save(*this, error, warning);
    }
    bool SaveWithBackup(QString& error, QString* warning = nullptr)
    {
        return file_.SaveWithBackup(*this, error, warning);
    }
    SaveOutcome SaveEdits(QString& error, QString* warning = nullptr,
                          bool overwriteDiskChanges = false)
    {
        return file_.SaveEdits(*this, error, warning, overwriteDiskChanges);
    }
    bool SaveAs(const QString& path, QString& error, QString* warning = nullptr)
    {
        return file_.SaveAs(*this, path, error, warning);
    }

    // True while the tables differ from the file's as last opened, reloaded or saved. Compared,
    // not counted: changing a value and changing it back is no change.
    bool Modified() const;

    // Takes `bytes` as the file's contents now, with their tables `decoded`. `keepTables`
    // leaves the store's tables as they are (a merge wrote them); otherwise they become the
    // file's, as after Reload.
    void TakeFileContents(const QByteArray& bytes, const ScenarioTables& decoded, bool keepTables);

private:
    // The tables become the file's as last read.
    void takeFileTables();

    NameTables names_;
    ScenarioFileService file_;
};

} // namespace veldor
