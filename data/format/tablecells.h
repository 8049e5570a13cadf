#pragma once

#include "data/format/scenariolayout.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldor {

// How a column's value is stored: 16-bit unsigned, 32-bit signed, one byte of a byte row
// (Relation, Faith), or one flag of a skill mask.
enum class CellWidth { U16, I32, Byte, Flag };

// One column of a table as export writes it: the layout's field name, with byte rows spread
// into Relation0..Relation49 / Faith0..Faith49 and the skill mask into Skill1..Skill31.
struct TableColumn
{
    QString name;
    CellWidth width;
    // Where the column's cell of record 0 lies in ScenarioTables, and how far apart records are.
    size_t offset;
    size_t step;
};

// The columns of `table` in file order, taken from the layout walker.
const std::vector<TableColumn>& TableColumns(TableId table);
int TableColumnIndex(TableId table, const QString& name); // -1 when the table has no such column
int TableRecords(TableId table);
// Persons and cities are named by the name lists; the other tables have no names of their own.
bool TableHasNames(TableId table);
const std::vector<TableId>& AllTables();

// Smallest and largest value a column accepts.
int64_t CellMinimum(CellWidth width);
int64_t CellMaximum(CellWidth width);

// One cell of `tables`: record `record` of the column `c` (one of TableColumns' entries), for
// loops over many cells that look their columns up once.
inline int64_t ReadColumnCell(const ScenarioTables& tables, const TableColumn& c, int record)
{
    const char* p = reinterpret_cast<const char*>(&tables) + c.offset + size_t(record) * c.step;
    switch (c.width) {
    case CellWidth::U16:
        return *reinterpret_cast<const uint16_t*>(p);
    case CellWidth::I32:
        return *reinterpret_cast<const int32_t*>(p);
    case CellWidth::Byte:
        return *reinterpret_cast<const uint8_t*>(p);
    case CellWidth::Flag:
        return *reinterpret_cast<const bool*>(p) ? 1 : 0;
    }
    return 0;
}

inline void WriteColumnCell(ScenarioTables& tables, const TableColumn& c, int record, int64_t value)
{
    char* p = reinterpret_cast<char*>(&tables) + c.offset + size_t(record) * c.step;
    switch (c.width) {
    case CellWidth::U16:
        *reinterpret_cast<uint16_t*>(p) = uint16_t(value);
        break;
    case CellWidth::I32:
        *reinterpret_cast<int32_t*>(p) = int32_t(value);
        break;
    case CellWidth::Byte:
        *reinterpret_cast<uint8_t*>(p) = uint8_t(value);
        break;
    case CellWidth::Flag:
        *reinterpret_cast<bool*>(p) = value != 0;
        break;
    }
}

// One cell of `tables`, by table, record and column.
int64_t ReadCell(const ScenarioTables& tables, TableId table, int record, int column);
void WriteCell(ScenarioTables& tables, TableId table, int record, int column, int64_t value);

// Every cell of one table of `tables`, read and written by record and column.
class TableCells
{
public:
    TableCells(ScenarioTables& tables, TableId table) : tables_(tables), table_(table) {}

    TableId table() const { return table_; }
    const std::vector<TableColumn>& columns() const { return TableColumns(table_); }
    int records() const { return TableRecords(table_); }

    int64_t value(int record, int column) const
    {
        return ReadCell(tables_, table_, record, column);
    }
    void setValue(int record, int column, int64_t value)
    {
        WriteCell(tables_, table_, record, column, value);
    }

private:
    ScenarioTables& tables_;
    TableId table_;
};

} // namespace veldor
