#include "cli/scescratch.h"

#include "data/format/scenariocodec.h"
#include "data/format/scenariotables.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"

#include <QDir>

namespace veldor::test {

QString SceScratch::write(const QString& name, const QByteArray& bytes) const
{
    const QString file = path(name);
    WriteBytes(file, bytes);
    return file;
}

QStringList SceScratch::files() const
{
    return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

std::unique_ptr<ScenarioTables> DecodedTables(const QByteArray& bytes)
{
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(bytes, *tables);
    return tables;
}

QByteArray EditedSampleBytes(uint32_t seed, const std::function<void(ScenarioTables&)>& edit)
{
    QByteArray bytes = MakeSampleScenarioBytes(seed);
    const auto tables = DecodedTables(bytes);
    edit(*tables);
    EncodeScenario(*tables, bytes);
    return bytes;
}

} // namespace veldor::test
