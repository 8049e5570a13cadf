#include "tools/sample/samplescenario.h"

#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "tools/sample/sampleworld.h"

#include <cstring>
#include <memory>

namespace veldor {

void MakeSampleScenario(uint32_t seed, ScenarioTables& tables)
{
    std::memset(static_cast<void*>(&tables), 0, sizeof(ScenarioTables));
    SampleWorld world(seed, tables);
    PlaceForces(world);
    PlacePersons(world);
    FillForceRecords(world);
    FillCities(world);
}

QByteArray MakeSampleScenarioBytes(uint32_t seed, qint64 size)
{
    Q_ASSERT(size >= layout::kMinFileSize);
    // A second stream for the kept bytes, so the scenario of a seed does not depend on the
    // file's length.
    SampleRandom random(seed ^ 0x5EED5EEDu);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.next() & 0xFF);
    auto tables = std::make_unique<ScenarioTables>();
    MakeSampleScenario(seed, *tables);
    EncodeScenario(*tables, bytes);
    return bytes;
}

} // namespace veldor
