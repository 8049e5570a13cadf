#pragma once

#include "data/scenariolayout.h"
#include "tools/sce/csv.h"

#include <QString>

#include <optional>
#include <vector>

namespace veldor {

// One value the CSV gives for one cell, already checked against the field's width.
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

struct ImportPlan
{
    TableId table = TableId::Persons;
    std::vector<CellValue> values; // in the order of the CSV
};

// Checks a whole CSV of one table before anything is changed: the header (known, distinct
// columns, an `index` column, one table it can belong to unless `table` says which), then every
// row (as many fields as the header, an index inside the table and not seen before, every value
// an integer that fits its field; a 16-bit field takes -1 for 65535) and that there is at least
// one row. `name` is for the reader and is ignored. Returns true and fills `plan` only when
// `problems` stays empty.
bool PlanImport(const std::vector<CsvRow>& rows, std::optional<TableId> table, ImportPlan& plan,
                ImportProblems& problems);

} // namespace veldor
