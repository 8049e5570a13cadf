#include "data/session/scenariostore.h"

#include "data/format/fielddiff.h"

#include <cstring>
#include <memory>

namespace veldor {
namespace {

void clearForces(ForcTable& forces)
{
    for (int f = 0; f < kForces; ++f) {
        forces.Money[f] = 0;
        forces.Grain[f] = 0;
        forces.King[f] = kNone;
    }
}

// The tables of a store with no file: all zero, then cleared.
std::unique_ptr<ScenarioTables> emptyTables()
{
    auto tables = std::make_unique<ScenarioTables>();
    std::memset(static_cast<void*>(tables.get()), 0, sizeof(ScenarioTables));
    clearForces(tables->forces);
    return tables;
}

} // namespace

ScenarioStore::ScenarioStore() : file_(*emptyTables())
{
    takeFileTables();
}

void ScenarioStore::takeFileTables()
{
    std::memcpy(static_cast<void*>(static_cast<ScenarioTables*>(this)), &file_.FileTables(),
                sizeof(ScenarioTables));
}

bool ScenarioStore::Modified() const
{
    return !SameTables(*this, file_.FileTables());
}

void ScenarioStore::Clear()
{
    clearForces(forces);
}

bool ScenarioStore::Open(const QString& path, QString& error)
{
    if (!file_.Open(path, error))
        return false;
    takeFileTables();
    return true;
}

bool ScenarioStore::Reload(QString& error)
{
    if (!file_.Reload(error))
        return false;
    takeFileTables();
    return true;
}

void ScenarioStore::TakeFileContents(const QByteArray& bytes, const ScenarioTables& decoded,
                                     bool keepTables)
{
    file_.TakeFileContents(bytes, decoded);
    if (!keepTables)
        takeFileTables();
}

} // namespace veldor
