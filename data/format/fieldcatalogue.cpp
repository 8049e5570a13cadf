#include "data/format/fieldcatalogue.h"

#include "data/format/forcechoices.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/format/personchoices.h"
#include "data/format/tablecells.h"

#include <cstring>

namespace veldor {
namespace {

using V = FieldValues;

// Bounds the editors keep a field in.
constexpr int64_t kWord = 65535;
constexpr int64_t kAbility = 255;
constexpr int64_t kTrait = 15;
constexpr int64_t kAptitude = 2000;
constexpr int64_t kShownYearMax = 2003;
constexpr int64_t kPeople = 30000000;
constexpr int64_t kConscripts = 3000000;
constexpr int64_t kCityRating = 10000;
constexpr int64_t kStock = 30000000;
constexpr int64_t kRepute = 1000;
constexpr int kPersonRanks = 76;
constexpr int kStateNames = 20;

QStringList firstItems(const QStringList& items, int count)
{
    return items.mid(0, count);
}

// What the catalogue says of one field of the walker, by its name there. A byte row or skill
// mask stands for all its columns; their names get the column's number or the skill's text.
struct Rule
{
    TableId table;
    const char* identifier;
    const char* name;
    V values;
    int64_t maximum;
    bool hasNone = false;
    int shownOffset = 0;
    QStringList (*choices)() = nullptr;
};

QStringList degreeItems()
{
    return PrsnDegreeItems();
}
QStringList personRankItems()
{
    return firstItems(PrsnRankItems(), kPersonRanks);
}
QStringList xingGeItems()
{
    return PrsnXingGeItems();
}
QStringList forceRankItems()
{
    return ForceRankItems();
}
QStringList stateNameItems()
{
    return firstItems(ForceNameItems(), kStateNames);
}

const Rule kRules[] = {
    {TableId::Places, "PlaceForc", "所属势力", V::Force, kForces - 1, true},
    {TableId::Places, "PlaceCity", "所属城市", V::City, kCities - 1, true},

    {TableId::Cities, "PingMin", "平民人口", V::Number, kPeople},
    {TableId::Cities, "BingYi", "兵役人口", V::Number, kConscripts},
    {TableId::Cities, "ShiBing", "士兵", V::Number, kPeople},
    {TableId::Cities, "Forc", "所属势力", V::Force, kForces - 1, true},
    {TableId::Cities, "MinXin", "民心", V::Number, kCityRating},
    {TableId::Cities, "MaxShouYi", "最大收益", V::Number, kCityRating},
    {TableId::Cities, "MaxShouHuo", "最大收获", V::Number, kCityRating},
    {TableId::Cities, "ShouYi", "收益", V::Number, kCityRating},
    {TableId::Cities, "ShouHuo", "收获", V::Number, kCityRating},
    {TableId::Cities, "NaiJiu", "耐久", V::Number, kCityRating},
    {TableId::Cities, "MaxNaiJiu", "最大耐久", V::Number, kCityRating},

    {TableId::Forces, "Money", "钱", V::Number, kStock},
    {TableId::Forces, "Grain", "粮", V::Number, kStock},
    {TableId::Forces, "Metro", "军团归属", V::Force, kForces - 1, true},
    {TableId::Forces, "Name", "国号", V::Choice, kStateNames - 1, true, 0, stateNameItems},
    {TableId::Forces, "King", "君主", V::Person, kPersons - 1, true},
    {TableId::Forces, "MinRepute", "最小信望", V::Number, kRepute},
    {TableId::Forces, "Repute", "信望", V::Number, kRepute},
    {TableId::Forces, "Rank", "官爵", V::Choice, 8, false, 0, forceRankItems},
    {TableId::Forces, "Skill", nullptr, V::Flag, 1},
    {TableId::Forces, "Relation", "友好度", V::Number, kAbility},

    {TableId::Items, "ItemOwner", "持有者", V::Person, kPersons - 1, true},

    {TableId::Persons, "Extra0", "保留0", V::Number, kWord},
    {TableId::Persons, "Extra2", "保留2", V::Number, kWord},
    {TableId::Persons, "EnterYear", "登场年", V::Number, kShownYearMax - kYearBase, false,
     kYearBase},
    {TableId::Persons, "BornYear", "出生年", V::Number, kShownYearMax - kYearBase, false,
     kYearBase},
    {TableId::Persons, "City", "城市", V::City, kCities - 1, true},
    {TableId::Persons, "Degree", "身份", V::Choice, 9, false, 0, degreeItems},
    {TableId::Persons, "TongShuai", "统率", V::Number, kAbility},
    {TableId::Persons, "WuLi", "武力", V::Number, kAbility},
    {TableId::Persons, "ZhiLi", "智力", V::Number, kAbility},
    {TableId::Persons, "ZhengZhi", "政治", V::Number, kAbility},
    {TableId::Persons, "Rank", "官爵", V::Choice, kPersonRanks - 1, true, 0, personRankItems},
    {TableId::Persons, "Extra30", "保留30", V::Number, kWord},
    {TableId::Persons, "XiangXing", "相性", V::Number, kAbility},
    {TableId::Persons, "YiLi", "义理", V::Number, kTrait},
    {TableId::Persons, "YeXin", "野心", V::Number, kTrait},
    {TableId::Persons, "XingGe", "性格", V::Choice, 3, false, 0, xingGeItems},
    {TableId::Persons, "BuBing", "步兵", V::Number, kAptitude},
    {TableId::Persons, "QiBing", "骑兵", V::Number, kAptitude},
    {TableId::Persons, "GongQi", "弓骑", V::Number, kAptitude},
    {TableId::Persons, "NuBing", "弩兵", V::Number, kAptitude},
    {TableId::Persons, "ShuiJun", "水军", V::Number, kAptitude},
    {TableId::Persons, "GongCheng", "攻城", V::Number, kAptitude},
    {TableId::Persons, "ZhiLue", "智略", V::Number, kAptitude},
    {TableId::Persons, "MouLue", "谋略", V::Number, kAptitude},
    {TableId::Persons, "CeLue", "策略", V::Number, kAptitude},
    {TableId::Persons, "Faith", "忠诚度", V::Number, kAbility},
    {TableId::Persons, "Skill", nullptr, V::Flag, 1},
};

// The rule of `column` (a walker name, maybe with a number appended) and that number, or -1.
const Rule* ruleOf(TableId table, const QString& column, int& number)
{
    for (const Rule& rule : kRules) {
        if (rule.table != table || !column.startsWith(QLatin1String(rule.identifier)))
            continue;
        const QStringView rest = QStringView(column).mid(int(std::strlen(rule.identifier)));
        bool ok = rest.isEmpty();
        number = ok ? -1 : rest.toInt(&ok);
        if (ok)
            return &rule;
    }
    return nullptr;
}

QString noneTextOf(const Rule& rule)
{
    if (!rule.hasNone)
        return {};
    return rule.values == V::Choice ? QStringLiteral("——") : QStringLiteral("空");
}

CatalogueField entryOf(TableId table, int column, const TableColumn& walked)
{
    int number = -1;
    const Rule* rule = ruleOf(table, walked.name, number);
    // Every walker field has a rule (the catalogue's test walks them all); a field without one
    // would still be listed, allowed what its storage holds.
    if (!rule)
        return {table,
                column,
                walked.name,
                walked.name,
                V::Number,
                CellMinimum(walked.width),
                CellMaximum(walked.width),
                false,
                {},
                0,
                {}};
    QString name;
    if (rule->values == V::Flag) {
        const QStringList& skills =
            table == TableId::Forces ? ForceSkillCaptions() : PrsnSkillCaptions();
        name = skills.value(number - 1);
    } else {
        name = QString::fromUtf8(rule->name) + (number >= 0 ? QString::number(number) : QString());
    }
    return {table,
            column,
            walked.name,
            name,
            rule->values,
            0,
            rule->maximum,
            rule->hasNone,
            noneTextOf(*rule),
            rule->shownOffset,
            rule->choices ? rule->choices() : QStringList()};
}

struct TableCatalogue
{
    std::vector<CatalogueField> fields;
    QHash<QString, int> columnOf;
};

TableCatalogue makeCatalogue(TableId table)
{
    TableCatalogue catalogue;
    const std::vector<TableColumn>& columns = TableColumns(table);
    for (int k = 0; k < int(columns.size()); ++k) {
        catalogue.fields.push_back(entryOf(table, k, columns[size_t(k)]));
        catalogue.columnOf.insert(catalogue.fields.back().identifier, k);
        catalogue.columnOf.insert(catalogue.fields.back().name, k);
    }
    return catalogue;
}

const TableCatalogue& catalogueOf(TableId table)
{
    static const TableCatalogue catalogues[] = {
        makeCatalogue(TableId::Places), makeCatalogue(TableId::Cities),
        makeCatalogue(TableId::Forces), makeCatalogue(TableId::Items),
        makeCatalogue(TableId::Persons)};
    return catalogues[int(table)];
}

QString decodedName(const QByteArray& gbk)
{
    return FromGbk(gbk).trimmed();
}

QString forceName(const ScenarioTables& tables, const NameTables& names, int force)
{
    const uint16_t king = tables.forces.King[force];
    return isPerson(king) ? decodedName(names.person(king)) : QString();
}

} // namespace

QString TableChineseName(TableId table)
{
    switch (table) {
    case TableId::Places:
        return QStringLiteral("据点");
    case TableId::Cities:
        return QStringLiteral("城市");
    case TableId::Forces:
        return QStringLiteral("势力");
    case TableId::Items:
        return QStringLiteral("宝物");
    case TableId::Persons:
        return QStringLiteral("武将");
    }
    return {};
}

const std::vector<CatalogueField>& FieldCatalogue(TableId table)
{
    return catalogueOf(table).fields;
}

const CatalogueField& CatalogueEntry(TableId table, int column)
{
    return catalogueOf(table).fields[size_t(column)];
}

const CatalogueField& CatalogueEntry(TableId table, const char* identifier)
{
    const int column = CatalogueColumn(table, QString::fromLatin1(identifier));
    Q_ASSERT(column >= 0);
    return CatalogueEntry(table, column < 0 ? 0 : column);
}

int CatalogueColumn(TableId table, const QString& head)
{
    return catalogueOf(table).columnOf.value(head, -1);
}

bool IsAllowedValue(const CatalogueField& field, int64_t value)
{
    return (value >= field.minimum && value <= field.maximum) || (field.hasNone && value == kNone);
}

QString AllowedValuesText(const CatalogueField& field)
{
    QString text =
        QString::number(field.minimum) + QStringLiteral("..") + QString::number(field.maximum);
    if (field.hasNone)
        text += QStringLiteral(" 或 ") + QString::number(kNone) + QStringLiteral("（") +
                field.noneText + QStringLiteral("）");
    return text;
}

QString AllowedValuesSentence(const CatalogueField& field)
{
    QString text = QStringLiteral("%1须在 %2..%3 之间")
                       .arg(FieldTitle(field))
                       .arg(field.minimum)
                       .arg(field.maximum);
    if (field.hasNone)
        text += QStringLiteral("，或为 %1（%2）").arg(kNone).arg(field.noneText);
    return text;
}

QString ShownAsText(const CatalogueField& field)
{
    switch (field.values) {
    case V::Number:
        return field.shownOffset ? QStringLiteral("数值 + ") + QString::number(field.shownOffset)
                                 : QStringLiteral("数值");
    case V::Choice:
        return QStringLiteral("选项：") + field.choices.join(u' ');
    case V::Person:
        return QStringLiteral("武将名");
    case V::City:
        return QStringLiteral("城市名");
    case V::Force:
        return QStringLiteral("势力（君主名）");
    case V::Flag:
        return QStringLiteral("0 无，1 有");
    }
    return {};
}

QString FieldTitle(const CatalogueField& field)
{
    return field.name + QStringLiteral("（") + field.identifier + QStringLiteral("）");
}

QString ValueText(const CatalogueField& field, int64_t value, const ScenarioTables& tables,
                  const NameTables& names)
{
    if (!IsAllowedValue(field, value))
        return QString::number(value);
    if (field.hasNone && value == kNone)
        return field.noneText;
    QString name;
    switch (field.values) {
    case V::Number:
        return QString::number(value + field.shownOffset);
    case V::Flag:
        return QString::number(value);
    case V::Choice:
        return field.choices.value(int(value - field.minimum));
    case V::Person:
        name = decodedName(names.person(int(value)));
        break;
    case V::City:
        name = PrsnCityItems().value(int(value));
        break;
    case V::Force:
        name = forceName(tables, names, int(value));
        break;
    }
    return name.isEmpty() ? QString::number(value) : name;
}

namespace {

void addName(QHash<QString, int>& byName, const QString& name, int value)
{
    if (name.isEmpty())
        return;
    auto it = byName.find(name);
    if (it == byName.end())
        byName.insert(name, value);
    else if (*it != value)
        *it = -1;
}

} // namespace

ValueNames::ValueNames(const ScenarioTables& tables, const NameTables& nameTables)
    : nameTables_(&nameTables)
{
    auto fill = [](Names& names, int count, auto nameOf) {
        for (int k = 0; k < count; ++k)
            addName(names.byName, nameOf(k), k);
        names.byValue.reserve(count);
        for (int k = 0; k < count; ++k) {
            const QString name = nameOf(k);
            names.byValue << (names.byName.value(name, -1) == k ? name : QString());
        }
    };
    fill(persons_, kPersons, [&](int k) { return decodedName(nameTables.person(k)); });
    fill(cities_, kCities, [](int k) { return PrsnCityItems().value(k); });
    for (int k = 0; k < kCities; ++k)
        addName(cities_.byName, decodedName(nameTables.city(k)), k);
    fill(forces_, kForces, [&](int k) { return forceName(tables, nameTables, k); });
}

const ValueNames::Names* ValueNames::namesOf(FieldValues values) const
{
    switch (values) {
    case V::Person:
        return &persons_;
    case V::City:
        return &cities_;
    case V::Force:
        return &forces_;
    default:
        return nullptr;
    }
}

QString ValueNames::name(const CatalogueField& field, int64_t value) const
{
    if (!IsAllowedValue(field, value))
        return {};
    if (field.hasNone && value == kNone)
        return field.noneText;
    if (field.values == V::Choice)
        return field.choices.value(int(value - field.minimum));
    const Names* names = namesOf(field.values);
    return names ? names->byValue.value(int(value)) : QString();
}

std::optional<int64_t> ValueNames::value(const CatalogueField& field, const QString& text) const
{
    if (field.hasNone && text == field.noneText)
        return kNone;
    if (field.values == V::Choice) {
        const int k = field.choices.indexOf(text);
        return k >= 0 ? std::optional<int64_t>(field.minimum + k) : std::nullopt;
    }
    const Names* names = namesOf(field.values);
    if (!names)
        return std::nullopt;
    const int k = names->byName.value(text, -1);
    return k >= 0 ? std::optional<int64_t>(k) : std::nullopt;
}

std::optional<int64_t> ParseValueText(const CatalogueField& field, const QString& text,
                                      const ValueNames& names)
{
    const QString trimmed = text.trimmed();
    if (const auto named = names.value(field, trimmed))
        return named;
    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return int64_t(number) - field.shownOffset;
}

} // namespace veldor
