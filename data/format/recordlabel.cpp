#include "data/format/recordlabel.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"

namespace veldor {

QString RecordName(const ScenarioTables& tables, const NameTables& names, TableId table, int index)
{
    switch (table) {
    case TableId::Persons:
        return index >= 0 && index < kPersons ? FromGbk(names.person(index)) : QString();
    case TableId::Cities:
        return index >= 0 && index < kCities ? FromGbk(names.city(index)) : QString();
    case TableId::Forces: {
        if (index < 0 || index >= kForces)
            return {};
        const uint16_t king = tables.forces.King[index];
        return isPerson(king) ? FromGbk(names.person(king)) : QStringLiteral("空");
    }
    case TableId::Places:
    case TableId::Items:
        break;
    }
    return {};
}

QString RecordLabel(const ScenarioTables& tables, const NameTables& names, TableId table, int index)
{
    QString label = QString::fromLatin1(tableName(table)) + '[' + QString::number(index) + ']';
    const QString name = RecordName(tables, names, table, index);
    if (name.isEmpty())
        return label;
    // A force has no name of its own; the brackets say the name is borrowed.
    if (table == TableId::Forces)
        return label + QStringLiteral(" (") + name + ')';
    return label + ' ' + name;
}

} // namespace veldor
