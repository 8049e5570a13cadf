#include "ui/widgets/tablemodel.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/recordlabel.h"
#include "data/session/scenariostore.h"

namespace veldor {

ScenarioTableModel::ScenarioTableModel(ScenarioStore& store, TableId table, QObject* parent)
    : QAbstractTableModel(parent), store_(store), fields_(table), names_(size_t(fields_.Records()))
{
    readNames();
}

void ScenarioTableModel::readNames()
{
    for (int record = 0; record < fields_.Records(); ++record)
        names_[size_t(record)] = RecordName(store_, store_.Names(), fields_.Table(), record);
}

int ScenarioTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : fields_.Records();
}

int ScenarioTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : fields_.Columns();
}

QVariant ScenarioTableModel::data(const QModelIndex& index, int role) const
{
    const int record = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == TableFields::kNameColumn)
            return names_[size_t(record)];
        return fields_.Text(store_, store_.Names(), record, column);
    case kValueRole:
        if (column == TableFields::kNameColumn)
            return names_[size_t(record)];
        return qlonglong(fields_.Value(store_, record, column));
    case kChoicesRole:
        return fields_.Choices(store_, store_.Names(), column);
    case Qt::ToolTipRole: {
        const QString reason = fields_.ReadOnlyReason(store_, record, column);
        return reason.isEmpty() ? QVariant() : QVariant(reason);
    }
    case Qt::TextAlignmentRole:
        return fields_.IsChoice(column) || column == TableFields::kNameColumn
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ScenarioTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return fields_.Head(section);
    // The first click on a head sorts ascending.
    if (role == Qt::InitialSortOrderRole)
        return int(Qt::AscendingOrder);
    return {};
}

Qt::ItemFlags ScenarioTableModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (fields_.ReadOnlyReason(store_, index.row(), index.column()).isEmpty())
        return flags | Qt::ItemIsEditable;
    return flags;
}

bool ScenarioTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const int record = index.row();
    const int column = index.column();
    int64_t stored = 0;
    QString reason = fields_.ReadOnlyReason(store_, record, column);
    if (!reason.isEmpty() || !fields_.Parse(store_, ValueNames(store_, store_.Names()), column,
                                            value.toString(), stored, reason)) {
        Q_EMIT Refused(reason);
        return false;
    }
    if (stored == fields_.Value(store_, record, column))
        return true;
    fields_.Write(store_, record, column, stored);
    Q_EMIT dataChanged(index, index);
    Q_EMIT Edited(QStringLiteral("表格修改：%1 %2").arg(recordTitle(record), fields_.Head(column)));
    return true;
}

bool ScenarioTableModel::Fill(const std::vector<int>& records, int column, const QString& text)
{
    std::vector<Cell> cells;
    cells.reserve(records.size());
    const ValueNames names(store_, store_.Names());
    for (int record : records) {
        Cell cell{record, column, 0};
        QString reason = fields_.ReadOnlyReason(store_, record, column);
        if (!reason.isEmpty() || !fields_.Parse(store_, names, column, text, cell.value, reason)) {
            Q_EMIT Refused(QStringLiteral("%1：%2").arg(recordTitle(record), reason));
            return false;
        }
        cells.push_back(cell);
    }
    WriteCells(cells, QStringLiteral("表格修改：%1 %2 行 %3")
                          .arg(fields_.TableTitle())
                          .arg(cells.size())
                          .arg(fields_.Head(column)));
    return true;
}

void ScenarioTableModel::WriteCells(const std::vector<Cell>& cells, const QString& title)
{
    for (const Cell& cell : cells)
        fields_.Write(store_, cell.record, cell.column, cell.value);
    StoreChanged();
    Q_EMIT Edited(title);
}

void ScenarioTableModel::StoreChanged()
{
    readNames();
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString ScenarioTableModel::recordTitle(int record) const
{
    const QString& name = names_[size_t(record)];
    return QStringLiteral("%1 %2").arg(fields_.TableTitle(),
                                       name.isEmpty() ? QString::number(record) : name);
}

} // namespace veldor
