#include "data/format/fieldlabels.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/personchoices.h"
#include "data/format/recordlabel.h"

namespace veldor {
namespace {

QString chineseName(const ScenarioTables& tables, const NameTables& names, TableId table, int index)
{
    switch (table) {
    case TableId::Cities: {
        const QString listed = RecordName(tables, names, table, index);
        return listed.isEmpty() ? PrsnCityItems().value(index) : listed;
    }
    case TableId::Items:
        return ItemNames().value(index);
    case TableId::Forces: {
        const uint16_t king = index >= 0 && index < kForces ? tables.forces.King[index] : kNone;
        if (!isPerson(king))
            return QStringLiteral("%1（空）").arg(index);
        const QString name = RecordName(tables, names, TableId::Persons, king);
        return name.isEmpty() ? QString::number(index) : name;
    }
    case TableId::Persons:
        return RecordName(tables, names, table, index);
    case TableId::Places:
        break;
    }
    return {};
}

} // namespace

QString ChineseRecordLabel(const ScenarioTables& tables, const NameTables& names, TableId table,
                           int index)
{
    const QString name = chineseName(tables, names, table, index).trimmed();
    return TableChineseName(table) + u' ' + (name.isEmpty() ? QString::number(index) : name);
}

QString RecordLabelAs(FieldLabels labels, const ScenarioTables& tables, const NameTables& names,
                      TableId table, int index)
{
    return labels == FieldLabels::Chinese ? ChineseRecordLabel(tables, names, table, index)
                                          : RecordLabel(tables, names, table, index);
}

QString FieldLabel(FieldLabels labels, TableId table, const char* identifier)
{
    const QString id = QString::fromLatin1(identifier);
    if (labels == FieldLabels::Identifiers)
        return id;
    const int column = CatalogueColumn(table, id);
    return column < 0 ? id : CatalogueEntry(table, column).name;
}

QString ChineseDifferenceLine(const ScenarioTables& tables, const NameTables& names,
                              const FieldDifference& difference)
{
    const CatalogueField& field = CatalogueEntry(difference.table, difference.column);
    return ChineseRecordLabel(tables, names, difference.table, difference.record) +
           QStringLiteral("：") + field.name + u' ' +
           ValueText(field, difference.a, tables, names) + QStringLiteral(" → ") +
           ValueText(field, difference.b, tables, names);
}

} // namespace veldor
