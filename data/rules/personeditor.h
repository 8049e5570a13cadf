#pragma once

#include "data/format/indices.h"
#include "data/format/scenariotables.h"
#include "data/rules/personfields.h"
#include "data/rules/roworder.h"

#include <QByteArray>
#include <QString>

#include <bitset>
#include <cstdint>
#include <optional>

namespace veldor {

class ScenarioStore;

// Which treasures of the item list are marked, by item number.
using ItemMarks = std::bitset<kItems>;

enum class PrsnSortKey : int {
    Name,
    City,
    Forc,
    Degree,
    TongShuai,
    WuLi,
    ZhiLi,
    ZhengZhi,
};
constexpr int kPrsnSortKeys = 8;

// The person editor's rules without its widgets: the working copy of every person and of the
// item holders, taken from the store on each showing and written back by Apply; the order of
// the list's rows; and every edit, which always reaches the persons shown in the marked rows,
// PrsnOrder[r], never the persons numbered like the rows.
class PersonEditor
{
public:
    // The order starts as 0..799 and, unlike the working copy, lives as long as the editor.
    explicit PersonEditor(ScenarioStore& store);

    void TakeWorkingCopy();
    void Apply();
    // Whether Apply would change the store.
    bool Differs() const;

    const PrsnTable& Work() const { return work_; }
    PrsnTable& Work() { return work_; }
    uint16_t Holder(int item) const { return ItemOwner[item]; }
    // The person shown in `row`; row 0's for a list without a focus row.
    uint16_t PersonAt(int row) const { return PrsnOrder[row >= 0 && row < kPersons ? row : 0]; }

    // Name, city, force, standing and the four abilities, as fixed-width GBK text.
    QByteArray PrsnLineText(uint16_t person) const;
    // A row of the faith list: the force's sovereign and the person's loyalty toward it.
    QByteArray FaithLineText(uint16_t person, int force) const;
    QByteArray FaithEntryText(int force, int32_t faith) const;

    // Reorders the rows by `key`, largest first (the name key restores person order) and
    // returns the row now showing the person of `focusRow`. The caller rebuilds the rows,
    // which drops every mark.
    int SortPrsnList(PrsnSortKey key, int focusRow);

    // What a field's edit shows for `person`: years as stored + 130, loyalty toward `force`.
    int32_t ShownValue(PrsnField field, uint16_t person, int force = 0) const;
    uint16_t ChoiceValue(PrsnChoice choice, uint16_t person) const;

    // The flat button of `field`: assigns the edit's `text` to the persons of the marked rows.
    // For the current-person and loyalty kinds returns the number the edit is to show.
    std::optional<int32_t> Assign(PrsnField field, const QString& text, const RowMarks& marks,
                                  uint16_t current, int force);
    void AssignChoice(PrsnChoice choice, int index, const RowMarks& marks);
    // Skill flag number `flag` (1..31) of every person in a marked row.
    void SetSkill(int flag, bool on, const RowMarks& marks);
    // Every marked treasure goes to `current`; unmarked ones keep their holder.
    void GiveMarkedItems(const ItemMarks& marks, uint16_t current);

    uint16_t PrsnOrder[kPersons];

private:
    void writeInto(ScenarioTables& tables) const;
    uint16_t forceOf(uint16_t person) const;
    void sortKeys(PrsnSortKey key, uint16_t* keys) const;

    ScenarioStore& store_;
    PrsnTable work_;
    uint16_t ItemOwner[kItems];
    uint16_t PrsnOrderTmp[kPersons];
};

} // namespace veldor
