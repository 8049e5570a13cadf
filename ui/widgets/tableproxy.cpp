#include "ui/widgets/tableproxy.h"

#include "data/format/fieldcatalogue.h"
#include "data/session/scenariostore.h"
#include "ui/widgets/tablemodel.h"

#include <optional>

namespace veldor {
namespace {

// The filter's view of a table's columns: heads and values as the cells show them.
class ShownColumns : public FilterColumns
{
public:
    ShownColumns(const TableFields& fields, const ScenarioStore& store,
                 std::optional<ValueNames>& names)
        : fields_(fields), store_(store), names_(names)
    {
    }

    int ColumnOf(const QString& head, QString& error) const override
    {
        const int column = fields_.ColumnOf(head);
        if (column == TableFields::kNameColumn)
            error = QStringLiteral("按%1筛选时直接输入%1，不用条件").arg(head);
        else if (column < 0)
            error = QStringLiteral("%1表中没有「%2」这一列").arg(fields_.TableTitle(), head);
        return column == TableFields::kNameColumn ? -1 : column;
    }
    bool ParseValue(int column, const QString& text, int64_t& value, QString& error) const override
    {
        // Names are looked up only for conditions, not on every keystroke of a plain text.
        if (!names_)
            names_.emplace(store_, store_.Names());
        return fields_.ParseValue(store_, *names_, column, text, value, error);
    }

private:
    const TableFields& fields_;
    const ScenarioStore& store_;
    std::optional<ValueNames>& names_;
};

} // namespace

TableProxy::TableProxy(ScenarioTableModel* table, QObject* parent)
    : QSortFilterProxyModel(parent), table_(table)
{
    setSourceModel(table);
    setSortRole(ScenarioTableModel::kValueRole);
    setSortLocaleAware(true);
    // Names come from the store: read again after any change to it.
    const auto forgetNames = [this] { names_.reset(); };
    connect(table, &QAbstractItemModel::dataChanged, this, forgetNames);
    connect(table, &QAbstractItemModel::modelReset, this, forgetNames);
}

TableFilter TableProxy::SetFilterText(const QString& text)
{
    TableFilter read =
        ReadTableFilter(text, ShownColumns(table_->Fields(), table_->Store(), names_));
    if (read.Readable()) {
        filter_ = read;
        invalidateFilter();
    }
    return read;
}

int TableProxy::RecordAt(int row) const
{
    return mapToSource(index(row, 0)).row();
}

void TableProxy::sort(int column, Qt::SortOrder order)
{
    const TableFields& fields = table_->Fields();
    if (column >= 0 && column != TableFields::kNameColumn) {
        const ScenarioTables& tables = table_->Store();
        const int records = table_->rowCount();
        sortKeys_.resize(size_t(records));
        for (int record = 0; record < records; ++record)
            sortKeys_[size_t(record)] = fields.Value(tables, record, column);
        sortKeysColumn_ = column;
    }
    QSortFilterProxyModel::sort(column, order);
    sortKeys_.clear();
    sortKeysColumn_ = -1;
}

bool TableProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    if (left.column() == TableFields::kNameColumn)
        return table_->Name(left.row()).localeAwareCompare(table_->Name(right.row())) < 0;
    if (left.column() == sortKeysColumn_)
        return sortKeys_[size_t(left.row())] < sortKeys_[size_t(right.row())];
    // A value edited under a sorted column moves its row alone: too few comparisons to cache.
    return QSortFilterProxyModel::lessThan(left, right);
}

bool TableProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const TableFields& fields = table_->Fields();
    const ScenarioTables& tables = table_->Store();
    return filter_.Keeps(sourceRow, table_->Name(sourceRow),
                         [&](int column) { return fields.Value(tables, sourceRow, column); });
}

} // namespace veldor
