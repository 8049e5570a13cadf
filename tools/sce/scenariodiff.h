#pragma once

#include "data/format/fielddiff.h"
#include "data/format/scenariolayout.h"

#include <QByteArray>
#include <QString>

namespace veldor {

struct ScenarioDifference
{
    FieldDifferences fields; // by table in file order, then record, then column
    // Bytes outside the named fields that differ, counting bit 31 of a skill mask (no flag
    // lives there) as a kept bit, and every byte past the end of the shorter file.
    qint64 keptBytes = 0;
    qint64 sizeA = 0, sizeB = 0;

    bool empty() const { return fields.empty() && keptBytes == 0; }
};

// Compares two scenario files' bytes, both at least layout::kMinFileSize long. `tablesA` and
// `tablesB` receive the decoded tables, for naming the records.
ScenarioDifference DiffScenarios(const QByteArray& a, const QByteArray& b, ScenarioTables& tablesA,
                                 ScenarioTables& tablesB);

} // namespace veldor
