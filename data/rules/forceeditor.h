#pragma once

#include "data/format/scenariotables.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace veldor {

class NameTables;
class ScenarioStore;

// The four numeric attributes of a force, in the order the window shows them.
enum class ForceNumber : int {
    Money,
    Grain,
    MinRepute,
    Repute,
};
constexpr int kForceNumbers = 4;

// Bounds of the edit fields, from the field catalogue.
constexpr int32_t kMinForceNumber = 0;
int32_t ForceNumberMaximum(ForceNumber field);

// Items of the two drop-down lists; the item index is the stored value, except that the
// state-name list's last item stands for kNone.
constexpr int kForceRankItems = 9; // 8 = "——", stored as 8
constexpr int kForceNameItems = 21;
constexpr int kNoForceNameItem = 20;

// Friendliness, loyalty and compatibility are bytes.
constexpr int32_t kMaxByteValue = 255;
// The loyalty tools reach only the persons of the name list; the generated ones are left alone.
constexpr int kLoyaltyPersons = 702;

using CityMarks = std::array<bool, kCities>;

// A force index as the window's lists give it: -1 (no entry chosen) and past-the-end are none.
constexpr bool ValidForce(int force)
{
    return force >= 0 && force < kForces;
}

// The force editor's working copy and rules. Every index that may mean "none" is tested
// before it is followed; a step that would follow an invalid one is skipped. Nothing reaches
// the store before Apply. Persons' cities are read from the store, which no other window can
// change while this one is open.
class ForceEditor
{
public:
    explicit ForceEditor(ScenarioStore& store);

    // The names the session shows.
    const NameTables& Names() const;

    // Refills the working copy from the store; Cancel does the same.
    void Load();
    // Copies the working copy into the store (not the persons' cities, which it never changes).
    void Store() const;
    // Takes what Store would write now as what the window loaded. The force shown on loading
    // has its stored values that are out of range clamped into the working copy; that is no
    // edit of the user's.
    void MarkLoaded();
    // Whether Store would write anything other than it would have when loaded.
    bool Differs() const;

    // --- texts of the list entries (GBK)
    // Force list and corps list: the padded name of the sovereign.
    QByteArray ForceEntryText(int force) const;
    // Entry `force` of the friendliness list while `chosen` is edited: sovereign and value.
    QByteArray RelationEntryText(int chosen, int force) const;
    // What a deleted force's entries read until the next showing.
    static QByteArray DeletedForceText();
    QByteArray DeletedRelationText(int force) const;

    // --- the shown force's attributes
    // Showing a force passes its four numbers through their fields' bounds.
    void ClampShownNumbers(int force);
    int32_t Number(int force, ForceNumber field) const;
    void SetNumber(int force, ForceNumber field, int32_t value);
    // The sovereign's compatibility for the tool edit; 0 while the force has none.
    uint16_t SovereignXiangXing(int force) const;
    // Drop-down items of the stored values: -1 when the rank is no item; every state name of
    // 20 or more shows as "——".
    int RankItem(int force) const;
    int NameItem(int force) const;
    void ChooseRankItem(int force, int item);
    void ChooseNameItem(int force, int item);
    void SetSkills(int force, const bool (&flags)[kSkills]);

    // --- sovereign, corps, cities, deletion
    // The new sovereign gets Degree 0; the old one keeps his, and nothing checks whether the
    // person already rules or serves elsewhere.
    void SelectKing(int force, int person);
    // The sovereign becomes "君主" when the force stands alone, "军团长" when it is a corps.
    void SelectMetro(int force, int metro);
    // The city list after the user toggled some of its marks (one per click, none on a mere
    // keyboard move, every row a mouse drag passed): every city whose mark no longer matches
    // its owner was toggled, and the home-city rule judges each; then ownership follows the
    // marks. Returns the marks the list must show.
    CityMarks ToggleCities(int force, CityMarks marks);
    // Ownership follows the marks: marked cities go to the force, unmarked ones it held become
    // ownerless.
    void SetOwnedCities(int force, const CityMarks& marks);
    CityMarks OwnedCities(int force) const;
    // Empties the slot: sovereign and strategists become officers, cities ownerless, corps
    // independent. Money, skills, relations, places and loyalties stay.
    void Delete(int force);

    // --- friendliness and the tools over many persons and places
    void SetRelation(int force, int toward, int32_t value);
    // Loyalty toward `force` of its persons 0..701, from the tool edit's text.
    void SetOwnForceLoyalty(int force, const QString& text);
    // Loyalty toward every other force of the same persons.
    void SetOtherForceLoyalty(int force, const QString& text);
    // Compatibility of every person (generated ones included) standing in the force's cities.
    void SetCompatibility(int force, const QString& text);
    // Persons 0..701 with an owned city: 50 toward every force, at least 100 toward the owner.
    void SetStandardLoyalty();
    // Every held place goes to its city's owner (none when the city has none). Places that
    // nobody holds stay so; a place whose region is no city is left as it is.
    void PlacesFollowCities();

    // The one membership rule of every tool: the person stands in a city the force owns in
    // the working copy, whatever his standing.
    bool BelongsToForce(int person, int force) const;

    // The working copy; read by tests and the window.
    ForcTable forces;
    uint16_t Forc[kCities];
    PlaceTable places;
    uint16_t Degree[kPersons];
    uint16_t XiangXing[kPersons];
    uint16_t Faith[kPersons][kForces]; // byte values, widened

private:
    void writeInto(ScenarioTables& tables) const;
    std::unique_ptr<ScenarioTables> loaded_;
    uint16_t personCity(int person) const;
    // The home-city rule: toggling the force's own sovereign's city always leaves it marked;
    // toggling another sovereign's city always leaves it unmarked.
    bool homeCityMark(int force, int city, bool toggledMark) const;

    ScenarioStore& store_;
};

} // namespace veldor
