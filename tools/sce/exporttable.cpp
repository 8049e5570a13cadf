#include "tools/sce/exporttable.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/recordlabel.h"
#include "data/format/tablecells.h"
#include "tools/sce/csv.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

namespace veldor {
namespace {

QStringList header(TableId table, const ExportStyle& style)
{
    const bool zh = style.chineseHeads;
    QStringList names{zh ? QStringLiteral("编号") : QStringLiteral("index")};
    if (TableHasNames(table))
        names << (zh ? QStringLiteral("名字") : QStringLiteral("name"));
    for (const CatalogueField& field : FieldCatalogue(table))
        names << (zh ? field.name : field.identifier);
    return names;
}

// The value's name where the style asks for names and it has one, else empty.
class ValueWriter
{
public:
    ValueWriter(const ScenarioTables& tables, const NameTables& names, TableId table,
                const ExportStyle& style)
        : fields_(FieldCatalogue(table))
    {
        if (style.names)
            names_ = std::make_unique<ValueNames>(tables, names);
    }

    QString name(int column, int64_t value) const
    {
        return names_ ? names_->name(fields_[size_t(column)], value) : QString();
    }

private:
    const std::vector<CatalogueField>& fields_;
    std::unique_ptr<ValueNames> names_;
};

QString compact(const QJsonArray& array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace

QString TableCsv(ScenarioTables& tables, const NameTables& names, TableId table,
                 const ExportStyle& style)
{
    const TableCells cells(tables, table);
    const ValueWriter writer(tables, names, table, style);
    const int columns = int(cells.columns().size());
    QString text = CsvRecord(header(table, style));
    QStringList fields;
    for (int r = 0; r < cells.records(); ++r) {
        fields.clear();
        fields << QString::number(r);
        if (TableHasNames(table))
            fields << RecordName(tables, names, table, r);
        for (int c = 0; c < columns; ++c) {
            const int64_t value = cells.value(r, c);
            const QString name = writer.name(c, value);
            fields << (name.isEmpty() ? QString::number(value) : name);
        }
        text += CsvRecord(fields);
    }
    return text;
}

QString TableJson(ScenarioTables& tables, const NameTables& names, TableId table,
                  const ExportStyle& style)
{
    const TableCells cells(tables, table);
    const ValueWriter writer(tables, names, table, style);
    const int columns = int(cells.columns().size());
    QString text = QStringLiteral("{\"table\":\"%1\",\"columns\":%2,\"rows\":[\n")
                       .arg(QLatin1String(tableName(table)),
                            compact(QJsonArray::fromStringList(header(table, style))));
    for (int r = 0; r < cells.records(); ++r) {
        QJsonArray row{r};
        if (TableHasNames(table))
            row.append(RecordName(tables, names, table, r));
        for (int c = 0; c < columns; ++c) {
            const int64_t value = cells.value(r, c);
            const QString name = writer.name(c, value);
            row.append(name.isEmpty() ? QJsonValue(qint64(value)) : QJsonValue(name));
        }
        text += compact(row);
        text += r + 1 < cells.records() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    text += QStringLiteral("]}\n");
    return text;
}

} // namespace veldor
