#include "data/files/scenariofileservice.h"

#include "data/files/atomicwrite.h"
#include "data/files/scenariobackup.h"
#include "data/files/scenariofile.h"
#include "data/files/scenariolock.h"
#include "data/format/fielddiff.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace veldor {
namespace {

// The backup is written before the save, so its warning comes first, a line of its own.
void putBackupWarningFirst(QString* warning, const QString& backupWarning)
{
    if (warning && !backupWarning.isEmpty())
        *warning = warning->isEmpty() ? backupWarning : backupWarning + '\n' + *warning;
}

void copyTables(ScenarioTables& to, const ScenarioTables& from)
{
    std::memcpy(static_cast<void*>(&to), &from, sizeof(ScenarioTables));
}

} // namespace

ScenarioFileService::ScenarioFileService(const ScenarioTables& empty)
    : fileTables_(std::make_unique<ScenarioTables>())
{
    copyTables(*fileTables_, empty);
}

ScenarioFileService::~ScenarioFileService() = default;

const char* ScenarioFileService::tableBytes() const
{
    return fileBytes_.constData() + layout::kTablesBegin;
}

const QByteArray& ScenarioFileService::FileBytes() const
{
    static const QByteArray notKept;
    return wholeFile_ ? fileBytes_ : notKept;
}

void ScenarioFileService::keepFile(QByteArray bytes)
{
    fileBytes_ = std::move(bytes);
    wholeFile_ = true;
    identity_ = {};
}

bool ScenarioFileService::Open(const QString& path, QString& error)
{
    QByteArray file;
    FileIdentity identity;
    if (!ReadScenarioTables(path, file, identity, error))
        return false;
    DecodeScenarioTables(file.constData() + layout::kTablesBegin, *fileTables_);
    fileBytes_ = std::move(file);
    wholeFile_ = false;
    identity_ = identity;
    backupDue_ = true;
    fileName_ = path;
    withoutBackup_ = false;
    return true;
}

bool ScenarioFileService::KeepBytesOutsideTables()
{
    if (!FileOpen() || BytesOutsideTablesKept())
        return BytesOutsideTablesKept();
    if (!ReadBytesOutsideTables(fileName_, identity_, fileBytes_))
        return false;
    wholeFile_ = true;
    identity_ = {};
    return true;
}

bool ScenarioFileService::readWhole(const QString& path, QString& error)
{
    QByteArray bytes;
    if (!ReadScenarioFile(path, bytes, error))
        return false;
    DecodeScenario(bytes, *fileTables_);
    keepFile(std::move(bytes));
    backupDue_ = true;
    return true;
}

bool ScenarioFileService::Reload(QString& error)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    return readWhole(fileName_, error);
}

bool ScenarioFileService::FileTablesUnchanged(const QByteArray& bytes,
                                              ScenarioTables* decoded) const
{
    // Where the tables' bytes are those last read, so are the tables: a block compare spares
    // the decoding in the usual case.
    if (bytes.size() >= layout::kMinFileSize &&
        std::memcmp(bytes.constData() + layout::kTablesBegin, tableBytes(),
                    size_t(layout::kTablesSize)) == 0)
        return true;
    auto tables = std::make_unique<ScenarioTables>();
    copyTables(*tables, *fileTables_);
    DecodeScenario(bytes, *tables);
    if (SameTables(*tables, *fileTables_))
        return true;
    if (decoded)
        copyTables(*decoded, *tables);
    return false;
}

TablesOnDisk ScenarioFileService::CompareTablesOnDisk(QString& error) const
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return TablesOnDisk::Unreadable;
    }
    return veldor::CompareTablesOnDisk(fileName_, tableBytes(), error);
}

void ScenarioFileService::TakeFileContents(const QByteArray& bytes, const ScenarioTables& decoded)
{
    copyTables(*fileTables_, decoded);
    keepFile(bytes);
    // The next save backs up the file as the other program left it.
    backupDue_ = true;
}

bool ScenarioFileService::Save(const ScenarioTables& tables, QString& error, QString* warning)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    ScenarioLock lock(fileName_);
    QByteArray bytes;
    if (!lock.Acquire(error) || !ReadScenarioFile(fileName_, bytes, error))
        return false;
    return saveRead(lock, tables, std::move(bytes), error, warning);
}

bool ScenarioFileService::saveRead(const ScenarioLock& lock, const ScenarioTables& tables,
                                   QByteArray bytes, QString& error, QString* warning)
{
    EncodeScenario(tables, bytes);
    if (!ReplaceScenarioFile(fileName_, lock.RealPath(), bytes, error, options_, warning))
        return false;
    copyTables(*fileTables_, tables);
    keepFile(std::move(bytes));
    return true;
}

bool ScenarioFileService::backUp(const QByteArray& bytes, QString& error, QString* warning,
                                 QString* folderRefusal)
{
    if (!WriteScenarioBackupOf(fileName_, bytes, error, options_, warning, folderRefusal))
        return false;
    backupDue_ = false;
    return true;
}

bool ScenarioFileService::SaveWithBackup(const ScenarioTables& tables, QString& error,
                                         QString* warning)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    // One turn and one read for the backup and the save: nobody writes the file between.
    ScenarioLock lock(fileName_);
    QByteArray bytes;
    if (!lock.Acquire(error) || (backupDue_ && !CheckScenarioWritable(fileName_, error)) ||
        !ReadScenarioFile(fileName_, bytes, error))
        return false;
    QString backupWarning;
    if (backupDue_ && !backUp(bytes, error, &backupWarning, nullptr))
        return false;
    const bool saved = saveRead(lock, tables, std::move(bytes), error, warning);
    putBackupWarningFirst(warning, backupWarning);
    return saved;
}

SaveOutcome ScenarioFileService::SaveEdits(const ScenarioTables& tables, QString& error,
                                           QString* warning, bool overwriteDiskChanges)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return SaveOutcome::Failed;
    }
    // One turn and one read for the comparison, the backup and the save: nobody writes the
    // file between.
    ScenarioLock lock(fileName_);
    QByteArray bytes;
    if (!lock.Acquire(error) || !ReadScenarioFile(fileName_, bytes, error))
        return SaveOutcome::Failed;
    if (!overwriteDiskChanges && !FileTablesUnchanged(bytes))
        return SaveOutcome::ChangedOnDisk;
    QString backupWarning;
    if (backupDue_ && !withoutBackup_) {
        QString refusal;
        if (!CheckScenarioWritable(fileName_, error))
            return SaveOutcome::Failed;
        if (!backUp(bytes, error, &backupWarning, &refusal)) {
            if (refusal.isEmpty())
                return SaveOutcome::Failed;
            error = refusal;
            return SaveOutcome::NoBackup;
        }
    }
    const bool saved = saveRead(lock, tables, std::move(bytes), error, warning);
    putBackupWarningFirst(warning, backupWarning);
    return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool ScenarioFileService::SaveAs(const ScenarioTables& tables, const QString& path, QString& error,
                                 QString* warning)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    QByteArray bytes;
    if (!bytesForCopy(path, bytes, error))
        return false;
    EncodeScenario(tables, bytes);
    const QFileInfo info(path);
    // Replace the file a link points to, not the link.
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    ScenarioLock lock(target);
    if (!lock.Acquire(error))
        return false;
    FileStatus present;
    const bool replacing = StatusOfPath(target, present) == 0;
    QString reason;
    QStringList warnings;
    if (WriteFileAtomically(target, bytes, replacing ? &present : nullptr, options_, reason,
                            warnings) != AtomicWrite::Written) {
        error = QStringLiteral("无法另存为“%1”：%2。剧本未保存。")
                    .arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    if (warning && !warnings.isEmpty())
        *warning = SavedButNotKept(path, warnings);
    fileName_ = path;
    copyTables(*fileTables_, tables);
    keepFile(std::move(bytes));
    backupDue_ = true;
    withoutBackup_ = false;
    return true;
}

bool ScenarioFileService::bytesForCopy(const QString& copy, QByteArray& bytes, QString& error) const
{
    if (BytesOutsideTablesKept()) {
        bytes = fileBytes_;
        return true;
    }
    // Not kept, or the file changed before they could be: the file's bytes now serve, read as
    // a save reads them. Where the file is gone they are lost, and a copy without them would
    // be no copy of the scenario.
    ScenarioLock lock(fileName_);
    QString reason;
    if (lock.Acquire(reason) && ReadScenarioFile(fileName_, bytes, reason))
        return true;
    error = QFileInfo::exists(fileName_)
                ? QStringLiteral("无法另存为“%1”：%2剧本未保存。")
                      .arg(QDir::toNativeSeparators(copy), reason)
                : QStringLiteral("无法另存为“%1”：原剧本文件“%2”已被删除或改名，"
                                 "它在表格以外的内容无从复制。剧本未保存。")
                      .arg(QDir::toNativeSeparators(copy), QDir::toNativeSeparators(fileName_));
    return false;
}

QString NoFileMessage()
{
    return QStringLiteral("你还没打开文件呢");
}

} // namespace veldor
