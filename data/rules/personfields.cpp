#include "data/rules/personfields.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/indices.h"

#include <array>

namespace veldor {
namespace {

// The hand that types 相性 stops at 149; its button still assigns what the field allows.
constexpr int32_t kXiangXingEditMax = 149;
constexpr int kAptitudeDigits = 4;

using K = PrsnAssignKind;

// What only the window knows of a field; its bounds come from the field catalogue.
struct FieldShape
{
    const char* name;
    const char* caption;
    int32_t typedMaximum; // 0: the catalogue's maximum
    int maxLength;
    PrsnAssignKind kind;
    bool shownInRows;
};

// CeLue has no length limit, unlike the other eight aptitudes.
constexpr FieldShape kFieldShapes[kPrsnFields] = {
    {"TongShuai", "统率", 0, 0, K::OwnFallback, true},
    {"WuLi", "武力", 0, 0, K::OwnFallback, true},
    {"ZhiLi", "智力", 0, 0, K::OwnFallback, true},
    {"ZhengZhi", "政治", 0, 0, K::OwnFallback, true},
    {"BornYear", "出生年", 0, 0, K::Year, false},
    {"EnterYear", "登场年", 0, 0, K::Year, false},
    {"YiLi", "义理", 0, 0, K::OwnFallback, false},
    {"YeXin", "野心", 0, 0, K::OwnFallback, false},
    {"XiangXing", "相性", kXiangXingEditMax, 0, K::OwnFallback, false},
    {"BuBing", "步兵", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"QiBing", "骑兵", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"GongQi", "弓骑", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"NuBing", "弩兵", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"ShuiJun", "水军", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"GongCheng", "攻城", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"ZhiLue", "智略", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"MouLue", "谋略", 0, kAptitudeDigits, K::CurrentPerson, false},
    {"CeLue", "策略", 0, 0, K::CurrentPerson, false},
    {"Faith", "修改忠诚度", 0, 0, K::Loyalty, false},
};

// The largest value the windows show for a field: a year's is the shown year.
int32_t shownMaximum(const char* name)
{
    const QByteArray identifier =
        QByteArray(name) + (qstrcmp(name, "Faith") == 0 ? QByteArray("0") : QByteArray());
    const CatalogueField& field = CatalogueEntry(TableId::Persons, identifier.constData());
    return int32_t(field.maximum + field.shownOffset);
}

std::array<PrsnFieldRule, kPrsnFields> makeFieldRules()
{
    std::array<PrsnFieldRule, kPrsnFields> rules{};
    for (int f = 0; f < kPrsnFields; ++f) {
        const FieldShape& shape = kFieldShapes[f];
        const int32_t maximum = shownMaximum(shape.name);
        rules[size_t(f)] = {
            shape.name,       shape.caption,   shape.typedMaximum ? shape.typedMaximum : maximum,
            maximum,          shape.maxLength, shape.kind,
            shape.shownInRows};
    }
    return rules;
}

// Every choice lists the catalogue's choices, the rank choice "——" for none after them.
std::array<PrsnChoiceRule, kPrsnChoices> makeChoiceRules()
{
    auto items = [](const char* identifier) {
        const CatalogueField& field = CatalogueEntry(TableId::Persons, identifier);
        return int(field.maximum - field.minimum + 1) + (field.hasNone ? 1 : 0);
    };
    return {{{"XingGe", "性格", items("XingGe"), false},
             {"Degree", "身份", items("Degree"), true},
             {"City", "城市", items("City") - 1, true}, // none has no item: the city shows blank
             {"Rank", "官爵", items("Rank"), false}}};
}

} // namespace

const PrsnFieldRule& Rule(PrsnField field)
{
    static const std::array<PrsnFieldRule, kPrsnFields> rules = makeFieldRules();
    return rules[size_t(field)];
}

const PrsnChoiceRule& Rule(PrsnChoice choice)
{
    static const std::array<PrsnChoiceRule, kPrsnChoices> rules = makeChoiceRules();
    return rules[size_t(choice)];
}

namespace {

// The rank choice's "——", after the offices: none.
int noRankItem()
{
    return Rule(PrsnChoice::Rank).itemCount - 1;
}

} // namespace

int ChoiceIndexOf(PrsnChoice choice, uint16_t value)
{
    if (choice == PrsnChoice::Rank && value == kNone)
        return noRankItem();
    return value < Rule(choice).itemCount ? int(value) : -1;
}

uint16_t ChoiceValueOf(PrsnChoice choice, int index)
{
    if (index < 0 || index >= Rule(choice).itemCount)
        return kNone;
    if (choice == PrsnChoice::Rank && index == noRankItem())
        return kNone;
    return uint16_t(index);
}

uint16_t StoredYear(int32_t shownYear)
{
    return shownYear < kYearBase ? 0 : uint16_t(shownYear - kYearBase);
}

} // namespace veldor
