// Friendliness between forces and the tools that set many persons or places in one step.
#include "data/rules/forceeditor.h"

#include "data/rules/clampednumber.h"
#include "data/rules/personforce.h"
#include "data/session/scenariostore.h"

#include <optional>

namespace veldor {
namespace {

// A tool edit's text read for every record it reaches: ClampedNumber with the record's own
// value as fallback. The text is parsed once; only a text that is no number depends on the
// record, and then it keeps its value.
class ToolValue
{
public:
    explicit ToolValue(const QString& text)
    {
        if (text.isEmpty() || ParseInt32(text))
            value_ = ClampedNumber(0, text, kMaxByteValue, 0);
    }
    uint16_t For(uint16_t current) const { return value_ ? uint16_t(*value_) : current; }
    bool changesNothing() const { return !value_; }

private:
    std::optional<int32_t> value_;
};

constexpr uint16_t kPlainLoyalty = 50;
constexpr uint16_t kLeastOwnLoyalty = 100;

} // namespace

void ForceEditor::SetRelation(int force, int toward, int32_t value)
{
    if (!ValidForce(force) || !ValidForce(toward))
        return;
    forces.Relation[force][toward] = uint8_t(qBound(0, value, int(kMaxByteValue)));
}

void ForceEditor::SetOwnForceLoyalty(int force, const QString& text)
{
    const ToolValue tool(text);
    if (tool.changesNothing())
        return;
    for (int p = 0; p < kLoyaltyPersons; ++p)
        if (BelongsToForce(p, force))
            Faith[p][force] = tool.For(Faith[p][force]);
}

void ForceEditor::SetOtherForceLoyalty(int force, const QString& text)
{
    const ToolValue tool(text);
    if (tool.changesNothing())
        return;
    for (int p = 0; p < kLoyaltyPersons; ++p) {
        if (!BelongsToForce(p, force))
            continue;
        for (int other = 0; other < kForces; ++other)
            if (other != force)
                Faith[p][other] = tool.For(Faith[p][other]);
    }
}

void ForceEditor::SetCompatibility(int force, const QString& text)
{
    const ToolValue tool(text);
    if (tool.changesNothing())
        return;
    for (int p = 0; p < kPersons; ++p)
        if (BelongsToForce(p, force))
            XiangXing[p] = tool.For(XiangXing[p]);
}

void ForceEditor::SetStandardLoyalty()
{
    for (int p = 0; p < kLoyaltyPersons; ++p) {
        const uint16_t owner = PersonForce(personCity(p), Forc);
        if (!isForce(owner))
            continue;
        const uint16_t own = Faith[p][owner];
        for (int force = 0; force < kForces; ++force)
            Faith[p][force] = kPlainLoyalty;
        Faith[p][owner] = own > kLeastOwnLoyalty ? own : kLeastOwnLoyalty;
    }
}

void ForceEditor::PlacesFollowCities()
{
    for (int k = 0; k < kPlaces; ++k) {
        const uint16_t city = places.PlaceCity[k];
        if (!isForce(places.PlaceForc[k]) || !isCity(city))
            continue;
        places.PlaceForc[k] = isForce(Forc[city]) ? Forc[city] : kNone;
    }
}

} // namespace veldor
