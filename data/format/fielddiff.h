#pragma once

#include "data/format/scenariolayout.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace veldor {

// One named field whose value differs between two sets of tables. Every field's value fits
// 32 signed bits (16-bit fields are unsigned and never negative).
struct FieldDifference
{
    TableId table;
    uint16_t record;
    uint16_t column; // into TableColumns(table)
    int32_t a, b;

    bool operator==(const FieldDifference& other) const
    {
        return table == other.table && record == other.record && column == other.column &&
               a == other.a && b == other.b;
    }
};

using FieldDifferences = std::vector<FieldDifference>;

// Every named field that differs from `a` to `b`, by table in file order, then record, then
// column.
FieldDifferences DiffTables(const ScenarioTables& a, const ScenarioTables& b);
// True when no named field differs; bytes between the arrays are not looked at.
bool SameTables(const ScenarioTables& a, const ScenarioTables& b);

// Sets each differing field of `tables` to its `b` value, or with `Direction::Backwards` to its
// `a` value, so that a difference taken from a to b can be replayed and taken back.
enum class Direction { Forwards, Backwards };
void ApplyDifferences(ScenarioTables& tables, const FieldDifferences& differences,
                      Direction direction);

// Appends "persons[12] 张三 TongShuai 80 → 95" to `text`: a difference as the comparison
// prints it, after the record's label (see RecordLabel).
void AppendDifferenceLine(QString& text, const QString& recordLabel,
                          const FieldDifference& difference);

} // namespace veldor
