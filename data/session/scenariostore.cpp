#include "data/session/scenariostore.h"

#include "data/files/atomicwrite.h"
#include "data/files/scenariobackup.h"
#include "data/files/scenariolock.h"
#include "data/format/fielddiff.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <sys/stat.h>

namespace veldor {
namespace {

// The backup is written before the save, so its warning comes first, a line of its own.
void putBackupWarningFirst(QString* warning, const QString& backupWarning)
{
    if (warning && !backupWarning.isEmpty())
        *warning = warning->isEmpty() ? backupWarning : backupWarning + '\n' + *warning;
}

} // namespace

ScenarioStore::ScenarioStore() : saved_(std::make_unique<ScenarioTables>())
{
    ScenarioTables& tables = *this;
    std::memset(static_cast<void*>(&tables), 0, sizeof(ScenarioTables));
    Clear();
    markSaved();
}

void ScenarioStore::markSaved()
{
    std::memcpy(static_cast<void*>(saved_.get()), static_cast<const ScenarioTables*>(this),
                sizeof(ScenarioTables));
}

bool ScenarioStore::Modified() const
{
    return !SameTables(*this, *saved_);
}

void ScenarioStore::Clear()
{
    for (int f = 0; f < kForces; ++f) {
        forces.Money[f] = 0;
        forces.Grain[f] = 0;
        forces.King[f] = kNone;
    }
}

const char* ScenarioStore::tableBytes() const
{
    return fileBytes_.isEmpty() ? tableBytes_.constData()
                                : fileBytes_.constData() + layout::kTablesBegin;
}

void ScenarioStore::keepFile(QByteArray bytes)
{
    fileBytes_ = std::move(bytes);
    tableBytes_.clear();
    identity_ = {};
}

bool ScenarioStore::readInto(const QString& path, QString& error)
{
    QByteArray bytes;
    if (!ReadScenarioFile(path, bytes, error))
        return false;
    Clear();
    DecodeScenario(bytes, *this);
    markSaved();
    keepFile(std::move(bytes));
    backupDue_ = true;
    return true;
}

bool ScenarioStore::Open(const QString& path, QString& error)
{
    QByteArray tables;
    FileIdentity identity;
    if (!ReadScenarioTables(path, tables, identity, error))
        return false;
    Clear();
    DecodeScenarioTables(tables.constData(), *this);
    markSaved();
    fileBytes_.clear();
    tableBytes_ = std::move(tables);
    identity_ = identity;
    backupDue_ = true;
    fileName_ = path;
    withoutBackup_ = false;
    return true;
}

bool ScenarioStore::KeepBytesOutsideTables()
{
    if (!FileOpen() || BytesOutsideTablesKept())
        return BytesOutsideTablesKept();
    QByteArray whole;
    if (!ReadBytesOutsideTables(fileName_, identity_, tableBytes_, whole))
        return false;
    keepFile(std::move(whole));
    return true;
}

bool ScenarioStore::FileTablesUnchanged(const QByteArray& bytes, ScenarioTables* decoded) const
{
    // Where the tables' bytes are those last read, so are the tables: a block compare spares
    // the decoding in the usual case.
    if (bytes.size() >= layout::kMinFileSize &&
        std::memcmp(bytes.constData() + layout::kTablesBegin, tableBytes(),
                    size_t(layout::kTablesSize)) == 0)
        return true;
    auto tables = std::make_unique<ScenarioTables>();
    std::memcpy(static_cast<void*>(tables.get()), static_cast<const ScenarioTables*>(this),
                sizeof(ScenarioTables));
    DecodeScenario(bytes, *tables);
    if (SameTables(*tables, *saved_))
        return true;
    if (decoded)
        std::memcpy(static_cast<void*>(decoded), tables.get(), sizeof(ScenarioTables));
    return false;
}

void ScenarioStore::TakeFileContents(const QByteArray& bytes, const ScenarioTables& decoded,
                                     bool keepTables)
{
    std::memcpy(static_cast<void*>(saved_.get()), &decoded, sizeof(ScenarioTables));
    if (!keepTables)
        std::memcpy(static_cast<void*>(static_cast<ScenarioTables*>(this)), &decoded,
                    sizeof(ScenarioTables));
    keepFile(bytes);
    // The next save backs up the file as the other program left it.
    backupDue_ = true;
}

bool ScenarioStore::Reload(QString& error)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    return readInto(fileName_, error);
}

bool ScenarioStore::Save(QString& error, const ReplaceOptions& options, QString* warning)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    ScenarioLock lock(fileName_);
    if (!lock.Acquire(error))
        return false;
    QByteArray bytes;
    if (!ReadScenarioFile(fileName_, bytes, error))
        return false;
    return saveRead(lock, std::move(bytes), error, options, warning);
}

bool ScenarioStore::saveRead(const ScenarioLock& lock, QByteArray bytes, QString& error,
                             const ReplaceOptions& options, QString* warning)
{
    EncodeScenario(*this, bytes);
    if (!ReplaceScenarioFile(fileName_, lock.RealPath(), bytes, error, options, warning))
        return false;
    markSaved();
    keepFile(std::move(bytes));
    return true;
}

SaveOutcome ScenarioStore::SaveEdits(QString& error, QString* warning, bool overwriteDiskChanges)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return SaveOutcome::Failed;
    }
    // One turn for the comparison, the backup and the save: nobody writes the file between.
    ScenarioLock lock(fileName_);
    QByteArray bytes;
    if (!lock.Acquire(error) || !ReadScenarioFile(fileName_, bytes, error))
        return SaveOutcome::Failed;
    if (!overwriteDiskChanges && !FileTablesUnchanged(bytes))
        return SaveOutcome::ChangedOnDisk;
    QString backupWarning;
    if (backupDue_ && !withoutBackup_) {
        QString refusal;
        if (!WriteScenarioBackup(fileName_, error, {}, &backupWarning, &refusal)) {
            if (refusal.isEmpty())
                return SaveOutcome::Failed;
            error = refusal;
            return SaveOutcome::NoBackup;
        }
        backupDue_ = false;
    }
    // The bytes read for the comparison serve the save: the lock kept every other writer out.
    const bool saved = saveRead(lock, std::move(bytes), error, {}, warning);
    putBackupWarningFirst(warning, backupWarning);
    return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool ScenarioStore::SaveAs(const QString& path, QString& error, QString* warning)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    QByteArray bytes;
    if (!bytesForCopy(path, bytes, error))
        return false;
    EncodeScenario(*this, bytes);
    const QFileInfo info(path);
    // Replace the file a link points to, not the link.
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    ScenarioLock lock(target);
    if (!lock.Acquire(error))
        return false;
    struct stat present;
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &present) == 0;
    QString reason;
    QStringList warnings;
    if (WriteFileAtomically(target, bytes, replacing ? &present : nullptr, {}, reason, warnings) !=
        AtomicWrite::Written) {
        error = QStringLiteral("无法另存为“%1”：%2。剧本未保存。")
                    .arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    if (warning && !warnings.isEmpty())
        *warning = SavedButNotKept(path, warnings);
    fileName_ = path;
    markSaved();
    keepFile(std::move(bytes));
    backupDue_ = true;
    withoutBackup_ = false;
    return true;
}

bool ScenarioStore::bytesForCopy(const QString& copy, QByteArray& bytes, QString& error) const
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

bool ScenarioStore::SaveWithBackup(QString& error, QString* warning)
{
    return SaveWithBackup(error, {}, warning);
}

bool ScenarioStore::SaveWithBackup(QString& error, const ReplaceOptions& options, QString* warning)
{
    if (!FileOpen()) {
        error = NoFileMessage();
        return false;
    }
    // One turn for the backup and the save: nobody writes the file between the two.
    ScenarioLock lock(fileName_);
    if (!lock.Acquire(error))
        return false;
    QString backupWarning;
    if (backupDue_) {
        if (!WriteScenarioBackup(fileName_, error, options, &backupWarning))
            return false;
        backupDue_ = false;
    }
    const bool saved = Save(error, options, warning);
    putBackupWarningFirst(warning, backupWarning);
    return saved;
}

QString NoFileMessage()
{
    return QStringLiteral("你还没打开文件呢");
}

} // namespace veldor
