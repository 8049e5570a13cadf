#pragma once

#include "data/format/fieldcatalogue.h"
#include "data/rules/tablefilter.h"

#include <QSortFilterProxyModel>

#include <optional>
#include <vector>

namespace veldor {

class ScenarioTableModel;

// Sorts a table by the stored values (numbers as numbers, choices by their codes) and keeps
// the rows a filter keeps. Neither changes the store.
class TableProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    TableProxy(ScenarioTableModel* table, QObject* parent = nullptr);

    // Reads `text` and, when it can be read, filters by it. Returns the reading, whose error
    // says why it could not; the rows then stay as the last readable filter left them.
    TableFilter SetFilterText(const QString& text);
    // The source record of a row as shown.
    int RecordAt(int row) const;

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ScenarioTableModel* table_;
    TableFilter filter_;
    // The names conditions are read with, made for the first condition after the store
    // changed rather than for every keystroke (they decode every name of the scenario).
    std::optional<ValueNames> names_;
    // The sorted column's stored values by record, read once for a sort by a head rather
    // than once per comparison; empty outside such a sort.
    std::vector<int64_t> sortKeys_;
    int sortKeysColumn_ = -1;
};

} // namespace veldor
