#include "data/format/fielddiff.h"

#include "data/format/appendnumber.h"
#include "data/format/tablecells.h"

#include <cstring>

namespace veldor {
namespace {

size_t widthOf(CellWidth width)
{
    switch (width) {
    case CellWidth::I32:
        return 4;
    case CellWidth::U16:
        return 2;
    case CellWidth::Byte:
    case CellWidth::Flag:
        break;
    }
    return 1;
}

// Whether any cell of `column` differs, looked at as one block of memory where the column's
// cells lie next to each other; such a block holds nothing but the cells.
bool columnMayDiffer(const ScenarioTables& a, const ScenarioTables& b, const TableColumn& column,
                     int records)
{
    const size_t width = widthOf(column.width);
    if (column.step != width)
        return true;
    const char* pa = reinterpret_cast<const char*>(&a) + column.offset;
    const char* pb = reinterpret_cast<const char*>(&b) + column.offset;
    return std::memcmp(pa, pb, width * size_t(records)) != 0;
}

// Whether the cell's bytes differ; a cheap test before its value is read.
bool cellDiffers(const ScenarioTables& a, const ScenarioTables& b, const TableColumn& column,
                 int record)
{
    const size_t at = column.offset + size_t(record) * column.step;
    return std::memcmp(reinterpret_cast<const char*>(&a) + at,
                       reinterpret_cast<const char*>(&b) + at, widthOf(column.width)) != 0;
}

} // namespace

FieldDifferences DiffTables(const ScenarioTables& a, const ScenarioTables& b)
{
    FieldDifferences out;
    std::vector<int> columnsToWalk;
    for (TableId table : AllTables()) {
        const std::vector<TableColumn>& columns = TableColumns(table);
        const int records = TableRecords(table);
        columnsToWalk.clear();
        for (int c = 0; c < int(columns.size()); ++c)
            if (columnMayDiffer(a, b, columns[size_t(c)], records))
                columnsToWalk.push_back(c);
        for (int r = 0; r < records; ++r)
            for (int c : columnsToWalk) {
                if (!cellDiffers(a, b, columns[size_t(c)], r))
                    continue;
                const int64_t valueA = ReadCell(a, table, r, c);
                const int64_t valueB = ReadCell(b, table, r, c);
                if (valueA != valueB)
                    out.push_back(
                        {table, uint16_t(r), uint16_t(c), int32_t(valueA), int32_t(valueB)});
            }
    }
    return out;
}

bool SameTables(const ScenarioTables& a, const ScenarioTables& b)
{
    // Right after an open, a save or an undo the two are copies, equal byte for byte: one
    // comparison of the whole block settles it, where the walk by column costs a thousand times
    // more.
    if (std::memcmp(&a, &b, sizeof(ScenarioTables)) == 0)
        return true;
    for (TableId table : AllTables()) {
        const std::vector<TableColumn>& columns = TableColumns(table);
        const int records = TableRecords(table);
        for (int c = 0; c < int(columns.size()); ++c) {
            if (!columnMayDiffer(a, b, columns[size_t(c)], records))
                continue;
            for (int r = 0; r < records; ++r)
                if (cellDiffers(a, b, columns[size_t(c)], r) &&
                    ReadCell(a, table, r, c) != ReadCell(b, table, r, c))
                    return false;
        }
    }
    return true;
}

void ApplyDifferences(ScenarioTables& tables, const FieldDifferences& differences,
                      Direction direction)
{
    for (const FieldDifference& d : differences)
        WriteCell(tables, d.table, d.record, d.column,
                  direction == Direction::Forwards ? d.b : d.a);
}

void AppendDifferenceLine(QString& text, const QString& recordLabel,
                          const FieldDifference& difference)
{
    const QString& field = TableColumns(difference.table)[difference.column].name;
    text += recordLabel;
    text += u' ';
    text += field;
    text += u' ';
    AppendNumber(text, difference.a);
    text += QStringLiteral(" → ");
    AppendNumber(text, difference.b);
}

} // namespace veldor
