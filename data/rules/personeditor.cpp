#include "data/rules/personeditor.h"

#include "data/format/displaytext.h"
#include "data/format/fielddiff.h"
#include "data/rules/personfieldref.h"
#include "data/rules/roworder.h"
#include "data/session/scenariostore.h"

#include <cstring>
#include <memory>

namespace veldor {

PersonEditor::PersonEditor(ScenarioStore& store) : store_(store)
{
    std::memset(static_cast<void*>(&work_), 0, sizeof work_);
    std::memset(ItemOwner, 0, sizeof ItemOwner);
    for (int r = 0; r < kPersons; ++r)
        PrsnOrder[r] = uint16_t(r);
}

void PersonEditor::TakeWorkingCopy()
{
    work_ = store_.persons;
    std::memcpy(ItemOwner, store_.items.ItemOwner, sizeof ItemOwner);
}

void PersonEditor::Apply()
{
    writeInto(store_);
}

void PersonEditor::writeInto(ScenarioTables& tables) const
{
    tables.persons = work_;
    std::memcpy(tables.items.ItemOwner, ItemOwner, sizeof ItemOwner);
}

bool PersonEditor::Differs() const
{
    // Whole tables are too big to copy onto the stack.
    const auto applied = std::make_unique<ScenarioTables>(store_);
    writeInto(*applied);
    return !SameTables(*applied, store_);
}

// A person's force counts for the list only while his standing belongs to a force.
uint16_t PersonEditor::forceOf(uint16_t person) const
{
    const uint16_t city = work_.City[person];
    if (work_.Degree[person] >= kFirstDegreeWithoutForce || !isCity(city))
        return kForces;
    return store_.cities.Forc[city];
}

QByteArray PersonEditor::PrsnLineText(uint16_t person) const
{
    const uint16_t force = forceOf(person);
    QByteArray line = PrsnNameText(store_.Names(), person);
    line += CityNameText(store_.Names(), work_.City[person]);
    line += isForce(force) ? PrsnNameText(store_.Names(), store_.forces.King[force])
                           : PrsnNoForceText();
    line += DegreeLabel(work_.Degree[person]);
    line += NumberText(work_.TongShuai[person]);
    line += ' ';
    line += NumberText(work_.WuLi[person]);
    line += ' ';
    line += NumberText(work_.ZhiLi[person]);
    line += ' ';
    line += NumberText(work_.ZhengZhi[person]);
    return line;
}

QByteArray PersonEditor::FaithLineText(uint16_t person, int force) const
{
    return FaithEntryText(force, work_.Faith[person][force]);
}

QByteArray PersonEditor::FaithEntryText(int force, int32_t faith) const
{
    QByteArray line = PrsnNameText(store_.Names(), store_.forces.King[force]);
    line += '(';
    line += QByteArray::number(faith);
    line += ')';
    return line;
}

void PersonEditor::sortKeys(PrsnSortKey key, uint16_t* keys) const
{
    const uint16_t* field = nullptr;
    switch (key) {
    case PrsnSortKey::Name:
        break;
    case PrsnSortKey::City:
        field = work_.City;
        break;
    case PrsnSortKey::Forc:
        for (int p = 0; p < kPersons; ++p)
            keys[p] = forceOf(uint16_t(p)); // a city's stored force, even 65535, or 50
        return;
    case PrsnSortKey::Degree:
        field = work_.Degree;
        break;
    case PrsnSortKey::TongShuai:
        field = work_.TongShuai;
        break;
    case PrsnSortKey::WuLi:
        field = work_.WuLi;
        break;
    case PrsnSortKey::ZhiLi:
        field = work_.ZhiLi;
        break;
    case PrsnSortKey::ZhengZhi:
        field = work_.ZhengZhi;
        break;
    }
    if (field)
        std::memcpy(keys, field, kPersons * sizeof(uint16_t));
}

int PersonEditor::SortPrsnList(PrsnSortKey key, int focusRow)
{
    const uint16_t focused = PersonAt(focusRow);
    if (key == PrsnSortKey::Name) {
        for (int r = 0; r < kPersons; ++r)
            PrsnOrder[r] = uint16_t(r);
        return focused;
    }
    uint16_t keys[kPersons];
    sortKeys(key, keys);
    MergeSortRowOrder(PrsnOrder, PrsnOrderTmp, keys);
    for (int r = 0; r < kPersons; ++r)
        if (PrsnOrder[r] == focused)
            return r;
    return 0;
}

int32_t PersonEditor::ShownValue(PrsnField field, uint16_t person, int force) const
{
    switch (field) {
    case PrsnField::Faith:
        return work_.Faith[person][force];
    case PrsnField::BornYear:
    case PrsnField::EnterYear:
        return int32_t(detail::FieldRef(work_, field, person)) + kYearBase;
    default:
        return detail::FieldRef(work_, field, person);
    }
}

uint16_t PersonEditor::ChoiceValue(PrsnChoice choice, uint16_t person) const
{
    return detail::ChoiceRef(work_, choice, person);
}

} // namespace veldor
