#pragma once

#include "data/format/scenariolayout.h"

#include <QStringList>

#include <cstdint>

namespace veldor {

class NameTables;
class ValueNames;

// The columns the table window shows for one table: the record's number and name, then one
// column per catalogue field with its Chinese head, bounds and choices. Every value goes
// through here, so the window shows, filters, edits and pastes by the same rules.
class TableFields
{
public:
    // The number and the name come first and stay in view while scrolling sideways.
    static constexpr int kNumberColumn = 0;
    static constexpr int kNameColumn = 1;
    static constexpr int kFixedColumns = 2;

    explicit TableFields(TableId table);

    TableId Table() const { return table_; }
    // "武将", "城市", "势力", "宝物", "据点".
    QString TableTitle() const;
    int Records() const;
    int Columns() const;
    QString Head(int column) const;
    // The column a head names (the Chinese name or the identifier); -1 when none does.
    int ColumnOf(const QString& head) const;
    // True for fields whose values are choices or records; their cells show and take texts.
    bool IsChoice(int column) const;
    // The widest number a number column shows for an allowed value: "2133", "799".
    QString WidestNumber(int column) const;
    // Every text a choice column's cell can take, in the order of the stored values.
    QStringList Choices(const ScenarioTables& tables, const NameTables& names, int column) const;

    // The stored value (the number for the number column); 0 for the name.
    int64_t Value(const ScenarioTables& tables, int record, int column) const;
    // How the cell shows it; not for the name column, which the name lists fill.
    QString Text(const ScenarioTables& tables, const NameTables& names, int record,
                 int column) const;

    // Why the table does not edit this cell (which window does), or empty when it does.
    QString ReadOnlyReason(const ScenarioTables& tables, int record, int column) const;
    // Reads a typed or pasted text as a value the column's cell may take: within the
    // catalogue's allowed values and the rules the editors keep.
    bool Parse(const ScenarioTables& tables, const ValueNames& names, int column,
               const QString& text, int64_t& value, QString& reason) const;
    // The same without the editors' rules, for filter conditions (君主 may be looked for).
    bool ParseValue(const ScenarioTables& tables, const ValueNames& names, int column,
                    const QString& text, int64_t& value, QString& reason) const;
    void Write(ScenarioTables& tables, int record, int column, int64_t value) const;

private:
    // The catalogue's field behind a column, for columns from kFixedColumns on.
    static int fieldOf(int column) { return column - kFixedColumns; }

    TableId table_;
};

} // namespace veldor
