// The person editor's writing side: the flat buttons that assign one value to the persons of
// all marked rows, the skill boxes and the item list.
#include "data/rules/clampednumber.h"
#include "data/rules/personeditor.h"
#include "data/rules/personfieldref.h"

namespace veldor {

std::optional<int32_t> PersonEditor::Assign(PrsnField field, const QString& text,
                                            const RowMarks& marks, uint16_t current, int force)
{
    const PrsnFieldRule& rule = Rule(field);
    switch (rule.kind) {
    case PrsnAssignKind::OwnFallback:
        for (int r = 0; r < kPersons; ++r) {
            if (!marks[r])
                continue;
            uint16_t& cell = detail::FieldRef(work_, field, PrsnOrder[r]);
            cell = uint16_t(ClampedNumber(cell, text, rule.assignMaximum, 0));
        }
        return std::nullopt;
    case PrsnAssignKind::Year:
        for (int r = 0; r < kPersons; ++r) {
            if (!marks[r])
                continue;
            uint16_t& cell = detail::FieldRef(work_, field, PrsnOrder[r]);
            const int32_t shown = int32_t(cell) + kYearBase;
            cell = StoredYear(ClampedNumber(shown, text, rule.assignMaximum, 0));
        }
        return std::nullopt;
    case PrsnAssignKind::CurrentPerson: {
        const int32_t value =
            ClampedNumber(detail::FieldRef(work_, field, current), text, rule.assignMaximum, 0);
        for (int r = 0; r < kPersons; ++r)
            if (marks[r])
                detail::FieldRef(work_, field, PrsnOrder[r]) = uint16_t(value);
        return value;
    }
    case PrsnAssignKind::Loyalty: {
        if (!isForce(uint16_t(force)))
            return std::nullopt;
        const int32_t value =
            ClampedNumber(work_.Faith[current][force], text, rule.assignMaximum, 0);
        for (int r = 0; r < kPersons; ++r)
            if (marks[r])
                work_.Faith[PrsnOrder[r]][force] = uint8_t(value);
        return value;
    }
    }
    return std::nullopt;
}

void PersonEditor::AssignChoice(PrsnChoice choice, int index, const RowMarks& marks)
{
    const uint16_t value = ChoiceValueOf(choice, index);
    for (int r = 0; r < kPersons; ++r)
        if (marks[r])
            detail::ChoiceRef(work_, choice, PrsnOrder[r]) = value;
}

void PersonEditor::SetSkill(int flag, bool on, const RowMarks& marks)
{
    if (flag < 1 || flag > kSkills)
        return;
    for (int r = 0; r < kPersons; ++r)
        if (marks[r])
            work_.Skill[PrsnOrder[r]][flag - 1] = on;
}

void PersonEditor::GiveMarkedItems(const ItemMarks& marks, uint16_t current)
{
    for (int i = 0; i < kItems; ++i)
        if (marks[i])
            ItemOwner[i] = current;
}

} // namespace veldor
