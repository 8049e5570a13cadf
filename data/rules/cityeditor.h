#pragma once

#include "data/format/scenariotables.h"
#include "data/rules/roworder.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

namespace veldor {

class NameTables;
class ScenarioStore;

// The ten numeric fields of one city, in the order the window fills them.
enum class CityField : int {
    PingMin,
    BingYi,
    ShiBing,
    MinXin,
    ShouYi,
    MaxShouYi,
    ShouHuo,
    MaxShouHuo,
    NaiJiu,
    MaxNaiJiu,
};
constexpr int kCityFields = 10;

// Bounds of the edit fields, from the field catalogue.
constexpr int32_t kMinCityField = 0;
int32_t CityFieldMaximum(CityField field);

// The person list's eight column heads.
enum class CityPrsnColumn : int {
    Name,
    City,
    Forc,
    Degree,
    TongShuai,
    WuLi,
    ZhiLi,
    ZhengZhi,
};

// The city editor's working copy and rules. The copy is refilled from the store at every
// showing; only the row order outlives a showing, so that the user's last sort stays in
// place for any city within one run.
class CityEditor
{
public:
    explicit CityEditor(ScenarioStore& store);

    // The names the session shows.
    const NameTables& Names() const;

    // Refills the working copy from the store and makes `city` the edited one.
    void Load(uint16_t city);
    uint16_t curCity() const { return curCity_; }

    // "城市属性--" and the padded name of the edited city.
    QByteArray GroupCaption() const;

    // Entry f of the owner list: the padded name of force f's sovereign.
    QByteArray ForceEntryText(int force) const;
    // The owner list's entry of the edited city, or -1 when it has none.
    int OwnerEntry() const;
    // The user picked entry `force`. A force without sovereign cannot own a city: the city is
    // left without owner and false says the pick must be cleared.
    bool ChooseForce(int force);

    int32_t FieldValue(CityField field) const;
    // The change rule of every edit field: the text is read with ClampedNumber (the field's
    // working value as fallback, its bounds) and the result stored. Returns that value.
    int32_t ChangeField(CityField field, const QString& text);

    QByteArray CityPrsnLineText(uint16_t person) const;
    // Row texts in the current row order.
    QByteArray RowText(int row) const { return CityPrsnLineText(CityPrsnOrder.order[row]); }
    // Rows whose persons stand in the edited city.
    RowMarks CityMarks() const;

    // Reorders the rows by the column's key (the name column restores person-number order) and
    // returns `marks` moved along with their persons.
    RowMarks SortByColumn(CityPrsnColumn column, const RowMarks& marks);
    RowMarks SortCityPrsnList(const uint16_t* keys, const RowMarks& marks);
    // The sort key of every person for a column other than the name column.
    void ColumnKeys(CityPrsnColumn column, uint16_t* keys) const;

    // Apply and OK: moves the persons of marked rows into the edited city, then writes the
    // city's eleven fields and every person's City into the store. Nothing else is written.
    void Store(const RowMarks& marks);
    // Takes what Store(marks) would write now as what the window loaded. Showing a city clamps
    // stored values that are out of range into the working copy; that is no edit of the user's.
    void MarkLoaded(const RowMarks& marks);
    // Whether Store(marks) would write anything other than it would have when loaded.
    bool Differs(const RowMarks& marks) const;

    // Row r shows person CityPrsnOrder.order[r].
    RowOrder CityPrsnOrder;

    // The working copy; read by tests and the window.
    CityTable cities;
    uint16_t City[kPersons];
    uint16_t Degree[kPersons];
    uint16_t TongShuai[kPersons];
    uint16_t WuLi[kPersons];
    uint16_t ZhiLi[kPersons];
    uint16_t ZhengZhi[kPersons];
    uint16_t King[kForces];

private:
    void writeInto(ScenarioTables& tables, const RowMarks& marks) const;
    RowMarks marksByPerson(const RowMarks& marks) const;
    RowMarks marksByRow(const RowMarks& byPerson) const;
    uint16_t forceKey(uint16_t person) const;

    ScenarioStore& store_;
    std::unique_ptr<ScenarioTables> loaded_;
    uint16_t curCity_ = 0;
    uint16_t CityPrsnOrderTmp[kPersons];
};

} // namespace veldor
