#pragma once

#include "data/rules/tablefields.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace veldor {

class ScenarioStore;

// One table of the store as rows and columns. Edits write the store at once and say so with
// Edited(title); the window turns that into one history step. The model holds no values of
// its own but the records' names, so it shows the store as it is after StoreChanged().
class ScenarioTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The stored value behind a cell: what sorting compares.
    static constexpr int kValueRole = Qt::UserRole;
    // The texts a choice column offers; none for the others.
    static constexpr int kChoicesRole = Qt::UserRole + 1;

    ScenarioTableModel(ScenarioStore& store, TableId table, QObject* parent = nullptr);

    const TableFields& Fields() const { return fields_; }
    ScenarioStore& Store() { return store_; }
    // The record's name as the name column shows it.
    const QString& Name(int record) const { return names_[size_t(record)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Commits one typed cell: refused (Refused) outside the column's values, else one step.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Sets `text` into `column` of every record of `records`: all or none, one step.
    bool Fill(const std::vector<int>& records, int column, const QString& text);
    // Writes cells (record, column, value) already checked, as one step named `title`.
    struct Cell
    {
        int record;
        int column;
        int64_t value;
    };
    void WriteCells(const std::vector<Cell>& cells, const QString& title);

    // The store changed behind the model: names and every cell are read again.
    void StoreChanged();

Q_SIGNALS:
    // The store holds an edit that is to become one history step.
    void Edited(const QString& title);
    // An edit was not made, and why.
    void Refused(const QString& reason);

private:
    void readNames();
    // "武将 杜哲" or "宝物 12".
    QString recordTitle(int record) const;

    ScenarioStore& store_;
    TableFields fields_;
    std::vector<QString> names_;
};

} // namespace veldor
