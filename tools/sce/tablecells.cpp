#include "tools/sce/tablecells.h"

#include <QHash>

#include <limits>
#include <memory>

namespace veldor {
namespace {

// Walks the layout once and keeps, for the chosen table, every cell's address (and, for the
// first record, the column it belongs to), so the columns cannot drift from the layout.
class CellCollector
{
public:
    CellCollector(TableId table, std::vector<void*>* cells, std::vector<TableColumn>* columns)
        : table_(table), cells_(cells), columns_(columns)
    {
    }

    void record(TableId table, int index)
    {
        active_ = table == table_;
        firstRecord_ = active_ && index == 0;
    }
    void u16(const char* name, int64_t, uint16_t& value) { add(name, CellWidth::U16, &value); }
    void i32(const char* name, int64_t, int32_t& value) { add(name, CellWidth::I32, &value); }
    void bytes(const char* name, int64_t, uint8_t* values, int count)
    {
        for (int k = 0; k < count; ++k)
            add(name, k, CellWidth::Byte, values + k);
    }
    void skills(const char*, int64_t, bool* flags)
    {
        for (int k = 0; k < kSkills; ++k)
            add("Skill", k + 1, CellWidth::Flag, flags + k);
    }

private:
    // `number` >= 0 is appended to the name: Relation0, Skill1. Names are only built for the
    // first record, where the columns are taken.
    void add(const char* name, CellWidth width, void* cell) { add(name, -1, width, cell); }
    void add(const char* name, int number, CellWidth width, void* cell)
    {
        if (!active_)
            return;
        if (cells_)
            cells_->push_back(cell);
        if (columns_ && firstRecord_)
            columns_->push_back(
                {QString::fromLatin1(name) + (number >= 0 ? QString::number(number) : QString()),
                 width});
    }

    TableId table_;
    std::vector<void*>* cells_;
    std::vector<TableColumn>* columns_;
    bool active_ = false;
    bool firstRecord_ = false;
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
    CellCollector collector(table, nullptr, &shape.columns);
    visitScenarioFields(*scratch, collector);
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

TableCells::TableCells(ScenarioTables& tables, TableId table)
    : table_(table), stride_(int(TableColumns(table).size()))
{
    cells_.reserve(size_t(stride_ * records()));
    CellCollector collector(table, &cells_, nullptr);
    visitScenarioFields(tables, collector);
}

int64_t TableCells::value(int record, int column) const
{
    void* p = cell(record, column);
    switch (columns()[size_t(column)].width) {
    case CellWidth::U16:
        return *static_cast<uint16_t*>(p);
    case CellWidth::I32:
        return *static_cast<int32_t*>(p);
    case CellWidth::Byte:
        return *static_cast<uint8_t*>(p);
    case CellWidth::Flag:
        return *static_cast<bool*>(p) ? 1 : 0;
    }
    return 0;
}

void TableCells::setValue(int record, int column, int64_t value)
{
    void* p = cell(record, column);
    switch (columns()[size_t(column)].width) {
    case CellWidth::U16:
        *static_cast<uint16_t*>(p) = uint16_t(value);
        break;
    case CellWidth::I32:
        *static_cast<int32_t*>(p) = int32_t(value);
        break;
    case CellWidth::Byte:
        *static_cast<uint8_t*>(p) = uint8_t(value);
        break;
    case CellWidth::Flag:
        *static_cast<bool*>(p) = value != 0;
        break;
    }
}

} // namespace veldor
