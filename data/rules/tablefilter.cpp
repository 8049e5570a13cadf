#include "data/rules/tablefilter.h"

#include <QRegularExpression>

namespace veldor {
namespace {

const QString kOperatorCharacters = QStringLiteral("=<>!");

FilterOperator operatorOf(const QString& text)
{
    if (text == QLatin1String("!="))
        return FilterOperator::NotEqual;
    if (text == QLatin1String("<="))
        return FilterOperator::LessOrEqual;
    if (text == QLatin1String(">="))
        return FilterOperator::GreaterOrEqual;
    if (text == QLatin1String("<"))
        return FilterOperator::Less;
    if (text == QLatin1String(">"))
        return FilterOperator::Greater;
    return FilterOperator::Equal;
}

bool meets(int64_t cell, const FilterCondition& condition)
{
    switch (condition.op) {
    case FilterOperator::Equal:
        return cell == condition.value;
    case FilterOperator::NotEqual:
        return cell != condition.value;
    case FilterOperator::Less:
        return cell < condition.value;
    case FilterOperator::Greater:
        return cell > condition.value;
    case FilterOperator::LessOrEqual:
        return cell <= condition.value;
    case FilterOperator::GreaterOrEqual:
        return cell >= condition.value;
    }
    return false;
}

bool holdsOperator(const QString& text)
{
    for (const QChar c : text)
        if (kOperatorCharacters.contains(c))
            return true;
    return false;
}

// Reads "列名 运算 值" conditions one after the other; stops at the first that cannot be read.
void readConditions(const QString& text, const FilterColumns& columns, TableFilter& filter)
{
    static const QRegularExpression condition(
        QStringLiteral("\\G\\s*([^\\s=<>!]+)\\s*(<=|>=|!=|=|<|>)\\s*([^\\s=<>!]*)\\s*"));
    int at = 0;
    while (at < text.size()) {
        const QRegularExpressionMatch match =
            condition.match(text, at, QRegularExpression::NormalMatch,
                            QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch()) {
            filter.error = QStringLiteral("看不懂「%1」：条件应写成 列名 运算 值，如 统率>90")
                               .arg(text.mid(at).trimmed());
            return;
        }
        const QString head = match.captured(1);
        const QString op = match.captured(2);
        const QString value = match.captured(3);
        if (value.isEmpty()) {
            filter.error = QStringLiteral("「%1%2」后面缺少值").arg(head, op);
            return;
        }
        FilterCondition read{columns.ColumnOf(head, filter.error), operatorOf(op), 0};
        if (read.column < 0 || !columns.ParseValue(read.column, value, read.value, filter.error))
            return;
        filter.conditions.push_back(read);
        at = int(match.capturedEnd(0));
    }
}

} // namespace

bool TableFilter::Keeps(int record, const QString& name,
                        const std::function<int64_t(int column)>& cell) const
{
    if (!conditions.empty()) {
        for (const FilterCondition& condition : conditions)
            if (!meets(cell(condition.column), condition))
                return false;
        return true;
    }
    if (text.isEmpty())
        return true;
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return (isNumber && number == record) || name.contains(text, Qt::CaseInsensitive);
}

TableFilter ReadTableFilter(const QString& text, const FilterColumns& columns)
{
    TableFilter filter;
    const QString trimmed = text.trimmed();
    if (!holdsOperator(trimmed)) {
        filter.text = trimmed;
        return filter;
    }
    readConditions(trimmed, columns, filter);
    if (!filter.Readable())
        filter.conditions.clear();
    return filter;
}

} // namespace veldor
