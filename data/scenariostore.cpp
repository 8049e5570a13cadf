#include "data/scenariostore.h"

#include "data/scenariocodec.h"
#include "data/scenariolock.h"

#include <cstring>

namespace veldor {

ScenarioStore::ScenarioStore()
{
    ScenarioTables& tables = *this;
    std::memset(static_cast<void*>(&tables), 0, sizeof(ScenarioTables));
    Clear();
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

bool ScenarioStore::Save(QString& error, const ReplaceOptions& options, QString* warning) const
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
    return ReplaceScenarioFile(fileName_, bytes, error, options, warning);
}

QString NoFileMessage()
{
    return QStringLiteral("你还没打开文件呢");
}

} // namespace veldor
