#include "data/personfields.h"

#include "data/indices.h"

namespace veldor {
namespace {

constexpr int32_t kAbilityMax = 255;
constexpr int32_t kYearMax = 2003;
constexpr int32_t kTraitMax = 15;
constexpr int32_t kXiangXingEditMax = 149;
constexpr int32_t kAptitudeMax = 2000;
constexpr int kAptitudeDigits = 4;

using K = PrsnAssignKind;

// CeLue has no length limit, unlike the other eight aptitudes.
constexpr PrsnFieldRule kFieldRules[kPrsnFields] = {
    {"TongShuai", "统率", kAbilityMax, kAbilityMax, 0, K::OwnFallback, true},
    {"WuLi", "武力", kAbilityMax, kAbilityMax, 0, K::OwnFallback, true},
    {"ZhiLi", "智力", kAbilityMax, kAbilityMax, 0, K::OwnFallback, true},
    {"ZhengZhi", "政治", kAbilityMax, kAbilityMax, 0, K::OwnFallback, true},
    {"BornYear", "出生年", kYearMax, kYearMax, 0, K::Year, false},
    {"EnterYear", "登场年", kYearMax, kYearMax, 0, K::Year, false},
    {"YiLi", "义理", kTraitMax, kTraitMax, 0, K::OwnFallback, false},
    {"YeXin", "野心", kTraitMax, kTraitMax, 0, K::OwnFallback, false},
    {"XiangXing", "相性", kXiangXingEditMax, kAbilityMax, 0, K::OwnFallback, false},
    {"BuBing", "步兵", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"QiBing", "骑兵", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"GongQi", "弓骑", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"NuBing", "弩兵", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"ShuiJun", "水军", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"GongCheng", "攻城", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"ZhiLue", "智略", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"MouLue", "谋略", kAptitudeMax, kAptitudeMax, kAptitudeDigits, K::CurrentPerson, false},
    {"CeLue", "策略", kAptitudeMax, kAptitudeMax, 0, K::CurrentPerson, false},
    {"Faith", "修改忠诚度", kAbilityMax, kAbilityMax, 0, K::Loyalty, false},
};

constexpr int kRankItems = 77; // 76 offices and "——"
constexpr int kNoRankItem = kRankItems - 1;

constexpr PrsnChoiceRule kChoiceRules[kPrsnChoices] = {
    {"XingGe", "性格", 4, false},
    {"Degree", "身份", 10, true},
    {"City", "城市", kCities, true},
    {"Rank", "官爵", kRankItems, false},
};

} // namespace

const PrsnFieldRule& Rule(PrsnField field)
{
    return kFieldRules[int(field)];
}

const PrsnChoiceRule& Rule(PrsnChoice choice)
{
    return kChoiceRules[int(choice)];
}

int ChoiceIndexOf(PrsnChoice choice, uint16_t value)
{
    if (choice == PrsnChoice::Rank && value == kNone)
        return kNoRankItem;
    return value < Rule(choice).itemCount ? int(value) : -1;
}

uint16_t ChoiceValueOf(PrsnChoice choice, int index)
{
    if (index < 0 || index >= Rule(choice).itemCount)
        return kNone;
    if (choice == PrsnChoice::Rank && index == kNoRankItem)
        return kNone;
    return uint16_t(index);
}

uint16_t StoredYear(int32_t shownYear)
{
    return shownYear < kYearBase ? 0 : uint16_t(shownYear - kYearBase);
}

} // namespace veldor
