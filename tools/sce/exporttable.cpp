#include "tools/sce/exporttable.h"

#include "data/recordlabel.h"
#include "data/tablecells.h"
#include "tools/sce/csv.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace veldor {
namespace {

QStringList header(TableId table)
{
    QStringList names{QStringLiteral("index")};
    if (TableHasNames(table))
        names << QStringLiteral("name");
    for (const TableColumn& column : TableColumns(table))
        names << column.name;
    return names;
}

QString compact(const QJsonArray& array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace

QString TableCsv(ScenarioTables& tables, TableId table)
{
    const TableCells cells(tables, table);
    const int columns = int(cells.columns().size());
    QString text = CsvRecord(header(table));
    QStringList fields;
    for (int r = 0; r < cells.records(); ++r) {
        fields.clear();
        fields << QString::number(r);
        if (TableHasNames(table))
            fields << RecordName(tables, table, r);
        for (int c = 0; c < columns; ++c)
            fields << QString::number(cells.value(r, c));
        text += CsvRecord(fields);
    }
    return text;
}

QString TableJson(ScenarioTables& tables, TableId table)
{
    const TableCells cells(tables, table);
    const int columns = int(cells.columns().size());
    QString text = QStringLiteral("{\"table\":\"%1\",\"columns\":%2,\"rows\":[\n")
                       .arg(QLatin1String(tableName(table)),
                            compact(QJsonArray::fromStringList(header(table))));
    for (int r = 0; r < cells.records(); ++r) {
        QJsonArray row{r};
        if (TableHasNames(table))
            row.append(RecordName(tables, table, r));
        for (int c = 0; c < columns; ++c)
            row.append(qint64(cells.value(r, c)));
        text += compact(row);
        text += r + 1 < cells.records() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    text += QStringLiteral("]}\n");
    return text;
}

} // namespace veldor
