#include "data/rules/cityeditor.h"

#include "data/format/displaytext.h"
#include "data/format/fieldcatalogue.h"
#include "data/format/fielddiff.h"
#include "data/format/gbk.h"
#include "data/rules/clampednumber.h"
#include "data/session/scenariostore.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace veldor {
namespace {

using CityArray16 = uint16_t (CityBlock::*)[kCities];
using CityArray32 = int32_t (CityTable::*)[kCities];

// The 16-bit city arrays in block order; show and store walk them as one block.
constexpr CityArray16 kCityBlockArrays[] = {
    &CityBlock::Forc,    &CityBlock::MinXin,     &CityBlock::ShouYi, &CityBlock::MaxShouYi,
    &CityBlock::ShouHuo, &CityBlock::MaxShouHuo, &CityBlock::NaiJiu, &CityBlock::MaxNaiJiu,
};

constexpr CityArray32 kCity32Arrays[] = {&CityTable::PingMin, &CityTable::BingYi,
                                         &CityTable::ShiBing};

// The 16-bit edit fields, MinXin and after: the block past Forc, which is chosen, not typed.
constexpr const CityArray16* kCity16Fields = kCityBlockArrays + 1;
constexpr int kCity32Fields = int(std::size(kCity32Arrays));

bool isWideField(CityField field)
{
    return int(field) < kCity32Fields;
}

} // namespace

int32_t CityFieldMaximum(CityField field)
{
    static const char* const identifiers[kCityFields] = {
        "PingMin",   "BingYi",  "ShiBing",    "MinXin", "ShouYi",
        "MaxShouYi", "ShouHuo", "MaxShouHuo", "NaiJiu", "MaxNaiJiu"};
    return int32_t(CatalogueEntry(TableId::Cities, identifiers[int(field)]).maximum);
}

CityEditor::CityEditor(ScenarioStore& store) : store_(store)
{
    Load(0);
}

void CityEditor::Load(uint16_t city)
{
    curCity_ = city;
    cities = store_.cities;
    const PrsnTable& persons = store_.persons;
    std::copy(std::begin(persons.City), std::end(persons.City), City);
    std::copy(std::begin(persons.Degree), std::end(persons.Degree), Degree);
    std::copy(std::begin(persons.TongShuai), std::end(persons.TongShuai), TongShuai);
    std::copy(std::begin(persons.WuLi), std::end(persons.WuLi), WuLi);
    std::copy(std::begin(persons.ZhiLi), std::end(persons.ZhiLi), ZhiLi);
    std::copy(std::begin(persons.ZhengZhi), std::end(persons.ZhengZhi), ZhengZhi);
    std::copy(std::begin(store_.forces.King), std::end(store_.forces.King), King);
}

QByteArray CityEditor::GroupCaption() const
{
    return ToGbk(QStringLiteral("城市属性--")) + CityNameText(store_.Names(), curCity_);
}

QByteArray CityEditor::ForceEntryText(int force) const
{
    return PrsnNameText(store_.Names(), King[force]);
}

int CityEditor::OwnerEntry() const
{
    const uint16_t owner = cities.Forc[curCity_];
    return isForce(owner) ? owner : -1;
}

bool CityEditor::ChooseForce(int force)
{
    const bool hasSovereign = isPerson(King[force]);
    cities.Forc[curCity_] = hasSovereign ? uint16_t(force) : kNone;
    return hasSovereign;
}

int32_t CityEditor::FieldValue(CityField field) const
{
    if (isWideField(field))
        return (cities.*kCity32Arrays[int(field)])[curCity_];
    return (cities.*kCity16Fields[int(field) - kCity32Fields])[curCity_];
}

int32_t CityEditor::ChangeField(CityField field, const QString& text)
{
    const int32_t value =
        ClampedNumber(FieldValue(field), text, CityFieldMaximum(field), kMinCityField);
    if (isWideField(field))
        (cities.*kCity32Arrays[int(field)])[curCity_] = value;
    else
        (cities.*kCity16Fields[int(field) - kCity32Fields])[curCity_] = uint16_t(value);
    return value;
}

QByteArray CityEditor::CityPrsnLineText(uint16_t person) const
{
    const uint16_t city = City[person];
    const uint16_t degree = Degree[person];
    // Built in place: a sort builds all 800 rows again.
    QByteArray text;
    text.reserve(64);
    text += PrsnNameText(store_.Names(), person);
    text += CityNameText(store_.Names(), city);
    if (degree < kFirstDegreeWithoutForce && isCity(city) && isForce(cities.Forc[city]))
        text += PrsnNameText(store_.Names(), King[cities.Forc[city]]);
    else
        text += CityNoForceText();
    text += CityDegreeLabel(degree);
    text += NumberText(TongShuai[person]);
    for (const uint16_t ability : {WuLi[person], ZhiLi[person], ZhengZhi[person]}) {
        text += ' ';
        text += NumberText(ability);
    }
    return text;
}

RowMarks CityEditor::CityMarks() const
{
    RowMarks marks;
    for (int row = 0; row < kPersons; ++row)
        marks[row] = City[CityPrsnOrder.order[row]] == curCity_;
    return marks;
}

RowMarks CityEditor::marksByPerson(const RowMarks& marks) const
{
    RowMarks byPerson;
    for (int row = 0; row < kPersons; ++row)
        byPerson[CityPrsnOrder.order[row]] = marks[row];
    return byPerson;
}

RowMarks CityEditor::marksByRow(const RowMarks& byPerson) const
{
    RowMarks marks;
    for (int row = 0; row < kPersons; ++row)
        marks[row] = byPerson[CityPrsnOrder.order[row]];
    return marks;
}

RowMarks CityEditor::SortByColumn(CityPrsnColumn column, const RowMarks& marks)
{
    if (column == CityPrsnColumn::Name) {
        const RowMarks byPerson = marksByPerson(marks);
        CityPrsnOrder.reset();
        return marksByRow(byPerson);
    }
    uint16_t keys[kPersons];
    ColumnKeys(column, keys);
    return SortCityPrsnList(keys, marks);
}

RowMarks CityEditor::SortCityPrsnList(const uint16_t* keys, const RowMarks& marks)
{
    const RowMarks byPerson = marksByPerson(marks);
    MergeSortRowOrder(CityPrsnOrder.order, CityPrsnOrderTmp, keys);
    return marksByRow(byPerson);
}

uint16_t CityEditor::forceKey(uint16_t person) const
{
    const uint16_t city = City[person];
    if (Degree[person] < kFirstDegreeWithoutForce && isCity(city))
        return cities.Forc[city];
    // Above every real force and below a city without owner (65535): the persons without
    // force sort together, between those two groups.
    return kForces;
}

void CityEditor::ColumnKeys(CityPrsnColumn column, uint16_t* keys) const
{
    const uint16_t* field = nullptr;
    switch (column) {
    case CityPrsnColumn::Name: // the order the name column restores
        for (int p = 0; p < kPersons; ++p)
            keys[p] = uint16_t(kPersons - 1 - p);
        return;
    case CityPrsnColumn::Forc:
        for (int p = 0; p < kPersons; ++p)
            keys[p] = forceKey(uint16_t(p));
        return;
    case CityPrsnColumn::City:
        field = City;
        break;
    case CityPrsnColumn::Degree:
        field = Degree;
        break;
    case CityPrsnColumn::TongShuai:
        field = TongShuai;
        break;
    case CityPrsnColumn::WuLi:
        field = WuLi;
        break;
    case CityPrsnColumn::ZhiLi:
        field = ZhiLi;
        break;
    case CityPrsnColumn::ZhengZhi:
        field = ZhengZhi;
        break;
    }
    std::copy(field, field + kPersons, keys);
}

void CityEditor::Store(const RowMarks& marks)
{
    writeInto(store_, marks);
    std::copy(std::begin(store_.persons.City), std::end(store_.persons.City), City);
}

void CityEditor::writeInto(ScenarioTables& tables, const RowMarks& marks) const
{
    std::copy(std::begin(City), std::end(City), tables.persons.City);
    for (int row = 0; row < kPersons; ++row)
        if (marks[row])
            tables.persons.City[CityPrsnOrder.order[row]] = curCity_;
    for (CityArray32 array : kCity32Arrays)
        (tables.cities.*array)[curCity_] = (cities.*array)[curCity_];
    for (CityArray16 array : kCityBlockArrays)
        (tables.cities.*array)[curCity_] = (cities.*array)[curCity_];
}

// Whole tables are too big to copy onto the stack.
void CityEditor::MarkLoaded(const RowMarks& marks)
{
    loaded_ = std::make_unique<ScenarioTables>(store_);
    writeInto(*loaded_, marks);
}

bool CityEditor::Differs(const RowMarks& marks) const
{
    const auto stored = std::make_unique<ScenarioTables>(store_);
    writeInto(*stored, marks);
    return !SameTables(*stored, loaded_ ? *loaded_ : store_);
}

const NameTables& CityEditor::Names() const
{
    return store_.Names();
}

} // namespace veldor
