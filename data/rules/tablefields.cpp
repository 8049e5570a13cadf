#include "data/rules/tablefields.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/tablecells.h"

#include <cstdlib>

namespace veldor {
namespace {

const CatalogueField& entry(TableId table, int field)
{
    return CatalogueEntry(table, field);
}

bool isChoiceField(const CatalogueField& field)
{
    return field.values != FieldValues::Number && field.values != FieldValues::Flag;
}

// The fields the editors change only together with others; the table shows them and names
// the window that keeps the rule.
QString ruledFieldReason(TableId table, const QString& identifier)
{
    if (table == TableId::Forces && identifier == QLatin1String("King"))
        return QStringLiteral("君主在「修改势力」中更改：换君主同时改变武将的身份");
    if (table == TableId::Forces && identifier == QLatin1String("Metro"))
        return QStringLiteral("从属在「修改势力」中更改：同时改变君主的身份");
    if (table == TableId::Cities && identifier == QLatin1String("Forc"))
        return QStringLiteral(
            "所属势力在城市修改中更改（点地图上的城市）：只有有君主的势力能占有城市");
    return {};
}

bool isDegree(TableId table, const QString& identifier)
{
    return table == TableId::Persons && identifier == QLatin1String("Degree");
}

bool isSovereign(const ScenarioTables& tables, int person)
{
    for (uint16_t king : tables.forces.King)
        if (king == person)
            return true;
    return false;
}

// The bounds as the windows show them: years with their offset.
QString shownBounds(const CatalogueField& field)
{
    QString text = QStringLiteral("%1..%2")
                       .arg(field.minimum + field.shownOffset)
                       .arg(field.maximum + field.shownOffset);
    if (field.hasNone)
        text += QStringLiteral(" 或 ") + field.noneText;
    return text;
}

} // namespace

TableFields::TableFields(TableId table) : table_(table) {}

QString TableFields::TableTitle() const
{
    return TableChineseName(table_);
}

int TableFields::Records() const
{
    return TableRecords(table_);
}

int TableFields::Columns() const
{
    return kFixedColumns + int(FieldCatalogue(table_).size());
}

QString TableFields::Head(int column) const
{
    if (column == kNumberColumn)
        return QStringLiteral("编号");
    if (column == kNameColumn)
        return table_ == TableId::Persons ? QStringLiteral("姓名") : QStringLiteral("名称");
    return entry(table_, fieldOf(column)).name;
}

bool TableFields::IsChoice(int column) const
{
    return column >= kFixedColumns && isChoiceField(entry(table_, fieldOf(column)));
}

QString TableFields::WidestNumber(int column) const
{
    if (column < kFixedColumns)
        return QString::number(Records() - 1);
    const CatalogueField& field = entry(table_, fieldOf(column));
    return QString::number(std::max(std::abs(field.minimum + field.shownOffset),
                                    std::abs(field.maximum + field.shownOffset)));
}

QStringList TableFields::Choices(const ScenarioTables& tables, const NameTables& names,
                                 int column) const
{
    if (!IsChoice(column))
        return {};
    const CatalogueField& field = entry(table_, fieldOf(column));
    QStringList choices;
    for (int64_t value = field.minimum; value <= field.maximum; ++value)
        choices << ValueText(field, value, tables, names);
    if (field.hasNone)
        choices << field.noneText;
    return choices;
}

int64_t TableFields::Value(const ScenarioTables& tables, int record, int column) const
{
    if (column == kNumberColumn)
        return record;
    if (column == kNameColumn)
        return 0;
    return ReadCell(tables, table_, record, fieldOf(column));
}

QString TableFields::Text(const ScenarioTables& tables, const NameTables& names, int record,
                          int column) const
{
    if (column == kNumberColumn)
        return QString::number(record);
    return ValueText(entry(table_, fieldOf(column)), Value(tables, record, column), tables, names);
}

QString TableFields::ReadOnlyReason(const ScenarioTables& tables, int record, int column) const
{
    if (column < kFixedColumns)
        return QStringLiteral("编号和名称不在表格中修改");
    const QString& identifier = entry(table_, fieldOf(column)).identifier;
    if (isDegree(table_, identifier) && isSovereign(tables, record))
        return QStringLiteral("此人是君主：身份在「修改势力」中随君主更改");
    return ruledFieldReason(table_, identifier);
}

bool TableFields::Parse(const ScenarioTables& tables, const ValueNames& names, int column,
                        const QString& text, int64_t& value, QString& reason) const
{
    if (!ParseValue(tables, names, column, text, value, reason))
        return false;
    if (isDegree(table_, entry(table_, fieldOf(column)).identifier) &&
        (value == kSovereign || value == kCorpsCommander)) {
        reason = QStringLiteral("君主与军团长的身份在「修改势力」中随君主设定");
        return false;
    }
    return true;
}

bool TableFields::ParseValue(const ScenarioTables& tables, const ValueNames& names, int column,
                             const QString& text, int64_t& value, QString& reason) const
{
    if (column == kNumberColumn) {
        bool isNumber = false;
        value = text.toInt(&isNumber);
        if (!isNumber)
            reason = QStringLiteral("编号「%1」不是整数").arg(text);
        return isNumber;
    }
    const CatalogueField& field = entry(table_, fieldOf(column));
    const QString trimmed = text.trimmed();
    std::optional<int64_t> read = ParseValueText(field, trimmed, names);
    if (!read && isChoiceField(field)) {
        // A text shared by several records still means the first of them.
        const int at = int(Choices(tables, names.nameTables(), column).indexOf(trimmed));
        if (at >= 0)
            read = field.minimum + at <= field.maximum ? field.minimum + at : int64_t(kNone);
    }
    if (!read) {
        reason = isChoiceField(field)
                     ? QStringLiteral("%1：「%2」不是可选的值").arg(field.name, trimmed)
                     : QStringLiteral("%1：「%2」不是整数").arg(field.name, trimmed);
        return false;
    }
    if (!IsAllowedValue(field, *read)) {
        reason = QStringLiteral("%1 须在 %2 之间").arg(field.name, shownBounds(field));
        return false;
    }
    value = *read;
    return true;
}

void TableFields::Write(ScenarioTables& tables, int record, int column, int64_t value) const
{
    WriteCell(tables, table_, record, fieldOf(column), value);
}

int TableFields::ColumnOf(const QString& head) const
{
    for (int column = 0; column < Columns(); ++column)
        if (Head(column) == head)
            return column;
    return CatalogueColumn(table_, head) >= 0 ? kFixedColumns + CatalogueColumn(table_, head) : -1;
}

} // namespace veldor
