#pragma once

#include "data/format/scenariolayout.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace veldor {

class NameTables;

// What a field's stored values stand for.
enum class FieldValues {
    Number, // a quantity within the bounds
    Choice, // value k is the k-th of `choices`
    Person, // a person's record number
    City,   // a city's record number
    Force,  // a force's record number
    Flag,   // 0 or 1: a skill the record lacks or has
};

// One field of one table as users meet it: its Chinese name and the values the editors can
// give it. There is one entry per column of TableColumns(table), in the same order, so the
// catalogue cannot miss or invent a field the walker knows.
struct CatalogueField
{
    TableId table;
    int column;         // into TableColumns(table)
    QString identifier; // the column's name in exports and the CLI: "TongShuai", "Relation3"
    QString name;       // the Chinese name, as the windows label the field: "统率", "友好度3"
    FieldValues values;
    int64_t minimum; // allowed stored values, apart from none
    int64_t maximum;
    bool hasNone;        // kNone (65535) is allowed and means "no record" or "no choice"
    QString noneText;    // how none is shown: "空", "——"
    int shownOffset;     // the windows show the stored value plus this: 130 for years
    QStringList choices; // FieldValues::Choice: the text of value minimum + k
};

// What users call a table's records: 武将, 城市, 势力, 宝物, 据点.
QString TableChineseName(TableId table);

// Every field of `table`, indexed like TableColumns(table).
const std::vector<CatalogueField>& FieldCatalogue(TableId table);
const CatalogueField& CatalogueEntry(TableId table, int column);
// The field named `identifier`, which must be one of `table`'s: the editors' rules use it.
const CatalogueField& CatalogueEntry(TableId table, const char* identifier);
// The column whose identifier or Chinese name is exactly `head`; -1 when there is none.
int CatalogueColumn(TableId table, const QString& head);

// True when an editor could have stored `value`: within the bounds, or none where allowed.
bool IsAllowedValue(const CatalogueField& field, int64_t value);
// The allowed stored values for messages: "0..255", "0..49 或 65535（空）".
QString AllowedValuesText(const CatalogueField& field);
// How the windows show a value, for the catalogue's listing: "数值", "数值 + 130", "选项".
QString ShownAsText(const CatalogueField& field);
// "统率（TongShuai）须在 0..255 之间", "城市（City）须在 0..49 之间，或为 65535（空）".
QString AllowedValuesSentence(const CatalogueField& field);
// "统率（TongShuai）": the Chinese name with the identifier a file or a script uses.
QString FieldTitle(const CatalogueField& field);

// A stored value as the windows show it: a choice's text, the name of the person, city or
// force, the none text, or the number plus shownOffset. Values no editor could store, and
// records without a name, are shown as their stored number.
QString ValueText(const CatalogueField& field, int64_t value, const ScenarioTables& tables,
                  const NameTables& names);

// Names of values that stand for exactly one value, for files a user edits by hand: the
// choices, none's text, and the names of persons, cities (both the choice's and the name
// list's spelling) and forces (their sovereign's) that no other record of the table shares.
// Built once for a set of tables; it does not follow later changes to them.
class ValueNames
{
public:
    ValueNames(const ScenarioTables& tables, const NameTables& names);

    // The name of `value` in `field`; empty when the value has none that is unambiguous.
    QString name(const CatalogueField& field, int64_t value) const;
    // The value a name stands for in `field`; nothing when the text names no value there.
    std::optional<int64_t> value(const CatalogueField& field, const QString& text) const;
    // The name lists the names were taken from.
    const NameTables& nameTables() const { return *nameTables_; }

private:
    struct Names
    {
        QStringList byValue;        // empty where ambiguous or unnamed
        QHash<QString, int> byName; // -1 where ambiguous
    };
    const Names* namesOf(FieldValues values) const;

    const NameTables* nameTables_;
    Names persons_, cities_, forces_;
};

// Reads a value as a user types it: a name `names` knows, or a whole decimal number from
// which shownOffset is taken. No bounds are checked; nothing when the text is neither.
std::optional<int64_t> ParseValueText(const CatalogueField& field, const QString& text,
                                      const ValueNames& names);

} // namespace veldor
