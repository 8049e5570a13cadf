#pragma once

#include "data/tablefilter.h"

#include <QSortFilterProxyModel>

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

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    ScenarioTableModel* table_;
    TableFilter filter_;
};

} // namespace veldor
