#pragma once

#include "data/format/scenariotables.h"

#include <cstdint>

namespace veldor {

// Where the five tables lie in a scenario file. The format has no header, count or version:
// these constants are the format.
namespace layout {
constexpr int64_t kPlaceOffset = 565146;
constexpr int64_t kCityOffset = 570746;
constexpr int64_t kForcOffset = 573550;
constexpr int64_t kItemOffset = 577874;
constexpr int64_t kPrsnOffset = 612528;

constexpr int64_t kPlaceSize = 28;
constexpr int64_t kCitySize = 56;
constexpr int64_t kForcSize = 86;
constexpr int64_t kItemSize = 22;
constexpr int64_t kPrsnSize = 134;

// One past the last byte any named field occupies (the skill mask of person 799); the
// person table's trailing kept bytes are never read.
constexpr int64_t kMinFileSize = kPrsnOffset + (kPersons - 1) * kPrsnSize + 118;
static_assert(kMinFileSize == 719712);
// The bytes the tables span, first record to last named field; an open reads only these.
constexpr int64_t kTablesBegin = kPlaceOffset;
constexpr int64_t kTablesSize = kMinFileSize - kTablesBegin;
} // namespace layout

enum class TableId { Places, Cities, Forces, Items, Persons };

inline const char* tableName(TableId table)
{
    switch (table) {
    case TableId::Places:
        return "places";
    case TableId::Cities:
        return "cities";
    case TableId::Forces:
        return "forces";
    case TableId::Items:
        return "items";
    case TableId::Persons:
        return "persons";
    }
    return "";
}

// The single description of every named field: which record, which name, which file offset,
// which width. Reading, writing, dumping and comparing all walk it, so they cannot disagree.
// `Tables` is ScenarioTables or const ScenarioTables. The visitor provides
//   record(TableId, int index)
//   u16(const char* name, int64_t offset, uint16_t& value)
//   i32(const char* name, int64_t offset, int32_t& value)
//   bytes(const char* name, int64_t offset, uint8_t* values, int count)
//   skills(const char* name, int64_t offset, bool* flags)      // a 32-bit mask of 31 flags
// (with const references for const tables). Fields come in file order within each record.
template <class Tables, class Visitor> void visitScenarioFields(Tables& t, Visitor& v)
{
    using namespace layout;
    for (int i = 0; i < kPlaces; ++i) {
        const int64_t r = kPlaceOffset + i * kPlaceSize;
        v.record(TableId::Places, i);
        v.u16("PlaceForc", r + 0, t.places.PlaceForc[i]);
        v.u16("PlaceCity", r + 2, t.places.PlaceCity[i]);
    }
    for (int i = 0; i < kCities; ++i) {
        const int64_t r = kCityOffset + i * kCitySize;
        auto& c = t.cities;
        v.record(TableId::Cities, i);
        v.i32("PingMin", r + 0, c.PingMin[i]);
        v.i32("BingYi", r + 4, c.BingYi[i]);
        v.i32("ShiBing", r + 8, c.ShiBing[i]);
        v.u16("Forc", r + 24, c.Forc[i]);
        v.u16("MinXin", r + 26, c.MinXin[i]);
        v.u16("MaxShouYi", r + 28, c.MaxShouYi[i]);
        v.u16("MaxShouHuo", r + 30, c.MaxShouHuo[i]);
        v.u16("ShouYi", r + 32, c.ShouYi[i]);
        v.u16("ShouHuo", r + 34, c.ShouHuo[i]);
        v.u16("NaiJiu", r + 36, c.NaiJiu[i]);
        v.u16("MaxNaiJiu", r + 38, c.MaxNaiJiu[i]);
    }
    for (int i = 0; i < kForces; ++i) {
        const int64_t r = kForcOffset + i * kForcSize;
        auto& f = t.forces;
        v.record(TableId::Forces, i);
        v.i32("Money", r + 0, f.Money[i]);
        v.i32("Grain", r + 4, f.Grain[i]);
        v.u16("Metro", r + 14, f.Metro[i]);
        v.u16("Name", r + 16, f.Name[i]);
        v.u16("King", r + 18, f.King[i]);
        v.u16("MinRepute", r + 20, f.MinRepute[i]);
        v.u16("Repute", r + 22, f.Repute[i]);
        v.u16("Rank", r + 26, f.Rank[i]);
        v.skills("Skills", r + 30, f.Skill[i]);
        v.bytes("Relation", r + 36, f.Relation[i], kForces);
    }
    for (int i = 0; i < kItems; ++i) {
        v.record(TableId::Items, i);
        v.u16("ItemOwner", kItemOffset + i * kItemSize, t.items.ItemOwner[i]);
    }
    static const char* const aptitudeNames[kAptitudes] = {"BuBing", "QiBing",  "GongQi",
                                                          "NuBing", "ShuiJun", "GongCheng",
                                                          "ZhiLue", "MouLue",  "CeLue"};
    for (int i = 0; i < kPersons; ++i) {
        const int64_t r = kPrsnOffset + i * kPrsnSize;
        auto& p = t.persons;
        v.record(TableId::Persons, i);
        v.u16("Extra0", r + 0, p.Extra0[i]);
        v.u16("Extra2", r + 2, p.Extra2[i]);
        v.u16("EnterYear", r + 4, p.EnterYear[i]);
        v.u16("BornYear", r + 6, p.BornYear[i]);
        v.u16("City", r + 10, p.City[i]);
        v.u16("Degree", r + 14, p.Degree[i]);
        v.u16("TongShuai", r + 16, p.TongShuai[i]);
        v.u16("WuLi", r + 18, p.WuLi[i]);
        v.u16("ZhiLi", r + 20, p.ZhiLi[i]);
        v.u16("ZhengZhi", r + 22, p.ZhengZhi[i]);
        v.u16("Rank", r + 24, p.Rank[i]);
        v.u16("Extra30", r + 30, p.Extra30[i]);
        v.u16("XiangXing", r + 34, p.XiangXing[i]);
        v.u16("YiLi", r + 36, p.YiLi[i]);
        v.u16("YeXin", r + 38, p.YeXin[i]);
        v.u16("XingGe", r + 40, p.XingGe[i]);
        for (int a = 0; a < kAptitudes; ++a)
            v.u16(aptitudeNames[a], r + 42 + 2 * a, p.Aptitude[i][a]);
        v.bytes("Faith", r + 64, p.Faith[i], kForces);
        v.skills("Skills", r + 114, p.Skill[i]);
    }
}

} // namespace veldor
