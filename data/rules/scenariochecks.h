#pragma once

#include "data/format/fieldlabels.h"
#include "data/format/scenariolayout.h"

#include <QString>

#include <vector>

namespace veldor {

class NameTables;

struct RecordRef
{
    TableId table;
    int index;
};

// One inconsistency the game would trip over. `kind` is a fixed identifier for scripts;
// `message` names the records as CheckScenario's `labels` ask.
struct Finding
{
    QString kind;
    QString message;
    std::vector<RecordRef> records;
};

// A kind of finding: its identifier, what it means, and which of a finding's records is the one
// to edit to mend it (the editor that can change the offending field shows that record).
struct FindingKind
{
    const char* id;
    const char* meaning; // UTF-8
    int recordToEdit;    // index into Finding::records
};

// Every kind, in the order CheckScenario reports them.
const std::vector<FindingKind>& FindingKinds();
// The kind named `id`, or null.
const FindingKind* FindFindingKind(const QString& id);
// The record to open to mend `finding`; its first record when the kind is unknown.
RecordRef RecordToEdit(const Finding& finding);

// Every finding in `tables`, grouped by kind in the order of FindingKinds().
// A force slot counts as occupied when its King is a person; a person's force is the owner of
// the city they stand in. `labels` says how messages name records and fields.
std::vector<Finding> CheckScenario(const ScenarioTables& tables, const NameTables& names,
                                   FieldLabels labels = FieldLabels::Identifiers);

} // namespace veldor
