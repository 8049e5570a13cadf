#pragma once

#include "data/format/scenariolayout.h"
#include "tools/sce/csv.h"

#include <QString>

#include <optional>
#include <vector>

namespace veldor {

class NameTables;

// One value the CSV gives for one cell, already checked against the field's allowed values.
struct CellValue
{
    int record;
    int column; // into TableColumns(table)
    int64_t value;
};

struct ImportProblem
{
    int line;
    int column;    // field number in the CSV, counted from 1
    QString field; // the header's name of that column, empty where none applies
    QString message;
};

// Every problem counted, the first kListed of them kept in full: a file of a million bad rows
// must not take a million lines to say so, nor the memory to hold them.
struct ImportProblems
{
    static constexpr int kListed = 100;

    void add(ImportProblem problem);
    bool empty() const { return count == 0; }

    std::vector<ImportProblem> listed;
    qsizetype count = 0;
};

struct ImportOptions
{
    // Values within the field's storage but outside what the editors allow are written, with
    // one warning per column, instead of refused.
    bool allowOutOfRange = false;
};

struct ImportPlan
{
    TableId table = TableId::Persons;
    std::vector<CellValue> values; // in the order of the CSV
    // What was accepted but deserves a look: out-of-range values let through, names that do
    // not match their row's record.
    std::vector<ImportProblem> warnings;
};

// Checks a whole CSV of one table before anything is changed: the header (known, distinct
// columns by identifier or Chinese name, loosely compared, an `index` column, one table it can
// belong to unless `table` says which; heads starting with "#" are skipped), then every row
// (blank rows skipped; as many fields as the header, an index inside the table and not seen
// before, every value a whole number or a value's name (see ValueNames) that the field
// allows; a 16-bit field takes -1 for 65535) and that there is at least one row. A problem
// that repeats in a column is reported once, with its first place and the number of rows.
// `name` is only compared with the record's own name, for a warning. `tables` name the values.
// Returns true and fills `plan` only when `problems` stays empty.
bool PlanImport(const std::vector<CsvRow>& rows, std::optional<TableId> table,
                const ScenarioTables& tables, const NameTables& names, const ImportOptions& options,
                ImportPlan& plan, ImportProblems& problems);

} // namespace veldor
