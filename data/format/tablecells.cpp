#include "data/format/tablecells.h"

#include <QHash>

#include <limits>
#include <memory>
#include <utility>

namespace veldor {
namespace {

// Walks the layout of one table over scratch tables and keeps, per column, where its cell lies
// for records 0 and 1, so the columns and their cells cannot drift from the layout.
class ColumnCollector
{
public:
    ColumnCollector(TableId table, const ScenarioTables& base, std::vector<TableColumn>& columns)
        : table_(table), base_(reinterpret_cast<const char*>(&base)), columns_(columns)
    {
    }

    void record(TableId table, int index)
    {
        record_ = table == table_ ? index : -1;
        column_ = 0;
    }
    void u16(const char* name, int64_t, const uint16_t& value)
    {
        if (wanted())
            add(name, -1, CellWidth::U16, &value);
    }
    void i32(const char* name, int64_t, const int32_t& value)
    {
        if (wanted())
            add(name, -1, CellWidth::I32, &value);
    }
    void bytes(const char* name, int64_t, const uint8_t* values, int count)
    {
        if (wanted())
            for (int k = 0; k < count; ++k)
                add(name, k, CellWidth::Byte, values + k);
    }
    void skills(const char*, int64_t, const bool* flags)
    {
        if (wanted())
            for (int k = 0; k < kSkills; ++k)
                add("Skill", k + 1, CellWidth::Flag, flags + k);
    }

private:
    // Records 0 and 1 of the table tell all; the walk passes the other thousands quickly, as
    // the first comparison of two stores pays for it at start-up.
    bool wanted() const { return record_ == 0 || record_ == 1; }

    // `number` >= 0 is appended to the name: Relation0, Skill1.
    void add(const char* name, int number, CellWidth width, const void* cell)
    {
        const size_t offset = size_t(static_cast<const char*>(cell) - base_);
        if (record_ == 0)
            columns_.push_back(
                {QString::fromLatin1(name) + (number >= 0 ? QString::number(number) : QString()),
                 width, offset, 0});
        else if (record_ == 1)
            columns_[size_t(column_)].step = offset - columns_[size_t(column_)].offset;
        ++column_;
    }

    TableId table_;
    const char* base_;
    std::vector<TableColumn>& columns_;
    int record_ = -1;
    int column_ = 0;
};

struct TableShape
{
    std::vector<TableColumn> columns;
    QHash<QString, int> indexOf;
};

TableShape makeShape(TableId table)
{
    TableShape shape;
    auto scratch = std::make_unique<ScenarioTables>();
    ColumnCollector collector(table, *scratch, shape.columns);
    visitScenarioFields(std::as_const(*scratch), collector);
    for (int k = 0; k < int(shape.columns.size()); ++k)
        shape.indexOf.insert(shape.columns[size_t(k)].name, k);
    return shape;
}

const TableShape& shapeOf(TableId table)
{
    static const TableShape shapes[] = {makeShape(TableId::Places), makeShape(TableId::Cities),
                                        makeShape(TableId::Forces), makeShape(TableId::Items),
                                        makeShape(TableId::Persons)};
    return shapes[int(table)];
}

} // namespace

const std::vector<TableColumn>& TableColumns(TableId table)
{
    return shapeOf(table).columns;
}

int TableColumnIndex(TableId table, const QString& name)
{
    return shapeOf(table).indexOf.value(name, -1);
}

int TableRecords(TableId table)
{
    switch (table) {
    case TableId::Places:
        return kPlaces;
    case TableId::Cities:
        return kCities;
    case TableId::Forces:
        return kForces;
    case TableId::Items:
        return kItems;
    case TableId::Persons:
        return kPersons;
    }
    return 0;
}

bool TableHasNames(TableId table)
{
    return table == TableId::Persons || table == TableId::Cities;
}

const std::vector<TableId>& AllTables()
{
    static const std::vector<TableId> tables = {TableId::Places, TableId::Cities, TableId::Forces,
                                                TableId::Items, TableId::Persons};
    return tables;
}

int64_t CellMinimum(CellWidth width)
{
    return width == CellWidth::I32 ? std::numeric_limits<int32_t>::min() : 0;
}

int64_t CellMaximum(CellWidth width)
{
    switch (width) {
    case CellWidth::U16:
        return 65535;
    case CellWidth::I32:
        return std::numeric_limits<int32_t>::max();
    case CellWidth::Byte:
        return 255;
    case CellWidth::Flag:
        return 1;
    }
    return 0;
}

int64_t ReadCell(const ScenarioTables& tables, TableId table, int record, int column)
{
    return ReadColumnCell(tables, TableColumns(table)[size_t(column)], record);
}

void WriteCell(ScenarioTables& tables, TableId table, int record, int column, int64_t value)
{
    WriteColumnCell(tables, TableColumns(table)[size_t(column)], record, value);
}

} // namespace veldor
