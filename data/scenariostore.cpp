#include "data/scenariostore.h"

#include "data/fielddiff.h"
#include "data/scenariobackup.h"
#include "data/scenariocodec.h"
#include "data/scenariolock.h"

#include <cstring>

namespace veldor {

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

bool ScenarioStore::readInto(const QString& path, QString& error)
{
    QByteArray bytes;
    if (!ReadScenarioFile(path, bytes, error))
        return false;
    Clear();
    DecodeScenario(bytes, *this);
    markSaved();
    backupDue_ = true;
    return true;
}

bool ScenarioStore::Open(const QString& path, QString& error)
{
    if (!readInto(path, error))
        return false;
    fileName_ = path;
    return true;
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
    EncodeScenario(*this, bytes);
    if (!ReplaceScenarioFile(fileName_, bytes, error, options, warning))
        return false;
    markSaved();
    return true;
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
    if (warning && !backupWarning.isEmpty())
        *warning = warning->isEmpty() ? backupWarning : backupWarning + '\n' + *warning;
    return saved;
}

QString NoFileMessage()
{
    return QStringLiteral("你还没打开文件呢");
}

} // namespace veldor
