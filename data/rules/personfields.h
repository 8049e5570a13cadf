#pragma once

#include <cstdint>

namespace veldor {

// The person editor's nineteen numeric fields, in the order of their controls: the nine
// attributes, the nine aptitudes, the loyalty toward one force.
enum class PrsnField : int {
    TongShuai,
    WuLi,
    ZhiLi,
    ZhengZhi,
    BornYear,
    EnterYear,
    YiLi,
    YeXin,
    XiangXing,
    BuBing,
    QiBing,
    GongQi,
    NuBing,
    ShuiJun,
    GongCheng,
    ZhiLue,
    MouLue,
    CeLue,
    Faith,
};
constexpr int kPrsnFields = 19;

// How a field's flat button assigns the edit's number to the persons of the marked rows.
enum class PrsnAssignKind {
    OwnFallback,   // each person's own value is the fallback of a text that is no number
    Year,          // the shown year (stored + 130) is the fallback; stores year - 130
    CurrentPerson, // read once with the current person's value as fallback, edit rewritten
    Loyalty,       // like CurrentPerson, toward the force chosen in the faith list
};

struct PrsnFieldRule
{
    const char* name;      // Edit_Prsn_<name>, SpeedButton_<name>
    const char* caption;   // the flat button's caption, UTF-8
    int32_t editMaximum;   // the edit keeps itself in 0..editMaximum
    int32_t assignMaximum; // the button clamps to 0..assignMaximum
    int maxLength;         // characters the edit accepts; 0 = no limit
    PrsnAssignKind kind;
    bool shownInRows; // the list rows show this field, so assigning it refreshes them
};

const PrsnFieldRule& Rule(PrsnField field);

// The four choices; their item index is the stored code.
enum class PrsnChoice : int {
    XingGe,
    Degree,
    City,
    Rank,
};
constexpr int kPrsnChoices = 4;

struct PrsnChoiceRule
{
    const char* name;    // ComboBox_Prsn_<name>, SpeedButton_<name>
    const char* caption; // UTF-8
    int itemCount;
    bool shownInRows;
};

const PrsnChoiceRule& Rule(PrsnChoice choice);

// The item a stored value selects: the value itself when it has an item, the rank choice's
// last item ("——") for 65535, otherwise -1 (no item).
int ChoiceIndexOf(PrsnChoice choice, uint16_t value);

// The value an item index stores: the index itself, except that no item and the rank
// choice's "——" store 65535.
uint16_t ChoiceValueOf(PrsnChoice choice, int index);

// The stored value of a shown year. Years below the base year would wrap round to huge
// stored values that come back as 2003; they are kept at the base year instead.
uint16_t StoredYear(int32_t shownYear);

} // namespace veldor
