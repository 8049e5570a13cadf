#include "data/rules/forceeditor.h"

#include "data/format/displaytext.h"
#include "data/format/fieldcatalogue.h"
#include "data/format/fielddiff.h"
#include "data/format/gbk.h"
#include "data/rules/personforce.h"
#include "data/session/scenariostore.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace veldor {
namespace {

int32_t clampNumber(int32_t value, int32_t maximum)
{
    if (value > maximum)
        return maximum;
    return std::max(value, kMinForceNumber);
}

} // namespace

int32_t ForceNumberMaximum(ForceNumber field)
{
    static const char* const identifiers[kForceNumbers] = {"Money", "Grain", "MinRepute", "Repute"};
    return int32_t(CatalogueEntry(TableId::Forces, identifiers[int(field)]).maximum);
}

ForceEditor::ForceEditor(ScenarioStore& store) : store_(store)
{
    Load();
}

void ForceEditor::Load()
{
    forces = store_.forces;
    std::memcpy(Forc, store_.cities.Forc, sizeof Forc);
    places = store_.places;
    std::memcpy(Degree, store_.persons.Degree, sizeof Degree);
    std::memcpy(XiangXing, store_.persons.XiangXing, sizeof XiangXing);
    for (int p = 0; p < kPersons; ++p)
        for (int j = 0; j < kForces; ++j)
            Faith[p][j] = store_.persons.Faith[p][j];
}

void ForceEditor::Store() const
{
    writeInto(store_);
}

void ForceEditor::writeInto(ScenarioTables& tables) const
{
    tables.forces = forces;
    std::memcpy(tables.cities.Forc, Forc, sizeof Forc);
    tables.places = places;
    std::memcpy(tables.persons.Degree, Degree, sizeof Degree);
    std::memcpy(tables.persons.XiangXing, XiangXing, sizeof XiangXing);
    for (int p = 0; p < kPersons; ++p)
        for (int j = 0; j < kForces; ++j)
            tables.persons.Faith[p][j] = uint8_t(Faith[p][j]);
}

// Whole tables are too big to copy onto the stack.
void ForceEditor::MarkLoaded()
{
    loaded_ = std::make_unique<ScenarioTables>(store_);
    writeInto(*loaded_);
}

bool ForceEditor::Differs() const
{
    const auto stored = std::make_unique<ScenarioTables>(store_);
    writeInto(*stored);
    return !SameTables(*stored, loaded_ ? *loaded_ : store_);
}

QByteArray ForceEditor::ForceEntryText(int force) const
{
    return PrsnNameText(store_.Names(), ValidForce(force) ? forces.King[force] : kNone);
}

QByteArray ForceEditor::RelationEntryText(int chosen, int force) const
{
    const int value = ValidForce(chosen) && ValidForce(force) ? forces.Relation[chosen][force] : 0;
    return ForceEntryText(force) + '(' + QByteArray::number(value) + ')';
}

QByteArray ForceEditor::DeletedForceText()
{
    // One blank wider than the empty-person text of a fresh showing, as the window has always
    // written it.
    static const QByteArray text = ToGbk(QStringLiteral("空       "));
    return text;
}

QByteArray ForceEditor::DeletedRelationText(int force) const
{
    const int value = ValidForce(force) ? forces.Relation[force][force] : 0;
    return DeletedForceText() + '(' + QByteArray::number(value) + ')';
}

void ForceEditor::ClampShownNumbers(int force)
{
    for (int field = 0; field < kForceNumbers; ++field)
        SetNumber(force, ForceNumber(field), Number(force, ForceNumber(field)));
}

int32_t ForceEditor::Number(int force, ForceNumber field) const
{
    if (!ValidForce(force))
        return 0;
    switch (field) {
    case ForceNumber::Money:
        return forces.Money[force];
    case ForceNumber::Grain:
        return forces.Grain[force];
    case ForceNumber::MinRepute:
        return forces.MinRepute[force];
    case ForceNumber::Repute:
        return forces.Repute[force];
    }
    return 0;
}

void ForceEditor::SetNumber(int force, ForceNumber field, int32_t value)
{
    if (!ValidForce(force))
        return;
    value = clampNumber(value, ForceNumberMaximum(field));
    switch (field) {
    case ForceNumber::Money:
        forces.Money[force] = value;
        break;
    case ForceNumber::Grain:
        forces.Grain[force] = value;
        break;
    case ForceNumber::MinRepute:
        forces.MinRepute[force] = uint16_t(value);
        break;
    case ForceNumber::Repute:
        forces.Repute[force] = uint16_t(value);
        break;
    }
}

uint16_t ForceEditor::SovereignXiangXing(int force) const
{
    if (!ValidForce(force) || !isPerson(forces.King[force]))
        return 0;
    return XiangXing[forces.King[force]];
}

int ForceEditor::RankItem(int force) const
{
    if (!ValidForce(force) || forces.Rank[force] >= kForceRankItems)
        return -1;
    return forces.Rank[force];
}

int ForceEditor::NameItem(int force) const
{
    if (!ValidForce(force))
        return -1;
    return std::min<int>(forces.Name[force], kNoForceNameItem);
}

void ForceEditor::ChooseRankItem(int force, int item)
{
    if (ValidForce(force) && item >= 0 && item < kForceRankItems)
        forces.Rank[force] = uint16_t(item);
}

void ForceEditor::ChooseNameItem(int force, int item)
{
    if (!ValidForce(force) || item < 0 || item >= kForceNameItems)
        return;
    forces.Name[force] = item < kNoForceNameItem ? uint16_t(item) : kNone;
}

void ForceEditor::SetSkills(int force, const bool (&flags)[kSkills])
{
    if (ValidForce(force))
        std::copy(flags, flags + kSkills, forces.Skill[force]);
}

uint16_t ForceEditor::personCity(int person) const
{
    return store_.persons.City[person];
}

bool ForceEditor::BelongsToForce(int person, int force) const
{
    return person >= 0 && person < kPersons &&
           PersonBelongsToForce(personCity(person), Forc, force);
}

const NameTables& ForceEditor::Names() const
{
    return store_.Names();
}

} // namespace veldor
