#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace veldor {

enum class FilterOperator { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };

// One "列名 运算 值" of a filter: the column's stored value against a stored value.
struct FilterCondition
{
    int column;
    FilterOperator op;
    int64_t value;
};

// What reading a filter needs to know of a table's columns: which column a head names, and
// how a shown value (a number, a year, a choice's text) becomes the stored one.
class FilterColumns
{
public:
    virtual ~FilterColumns() = default;
    // -1, with the reason in `error`, when no column of the table answers to `head`.
    virtual int ColumnOf(const QString& head, QString& error) const = 0;
    virtual bool ParseValue(int column, const QString& text, int64_t& value,
                            QString& error) const = 0;
};

// A filter as the user typed it: either a plain text (kept: records whose name contains it or
// whose number equals it) or conditions that a kept record meets all of.
struct TableFilter
{
    QString text;
    std::vector<FilterCondition> conditions;
    QString error; // why the filter could not be read; empty when it could

    bool Readable() const { return error.isEmpty(); }
    // `cell(column)` is the record's stored value of a column.
    bool Keeps(int record, const QString& name,
               const std::function<int64_t(int column)>& cell) const;
};

// Reads `text`: conditions as soon as it holds an operator (= != < > <= >=), a plain text
// otherwise. Conditions are separated by white space; spaces around the operator are allowed.
TableFilter ReadTableFilter(const QString& text, const FilterColumns& columns);

} // namespace veldor
