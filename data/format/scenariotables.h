#pragma once

#include "data/format/indices.h"

#include <cstdint>

namespace veldor {

// The five tables as fixed-size arrays indexed by record number. Field names are those of
// the file layout; the editors' working copies reuse the same structures so that show and
// store are plain block copies.

struct PlaceTable
{
    uint16_t PlaceForc[kPlaces];
    uint16_t PlaceCity[kPlaces];
};

// The eight 16-bit city arrays, in the order the windows walk them (not the file's order).
struct CityBlock
{
    uint16_t Forc[kCities];
    uint16_t MinXin[kCities];
    uint16_t ShouYi[kCities];
    uint16_t MaxShouYi[kCities];
    uint16_t ShouHuo[kCities];
    uint16_t MaxShouHuo[kCities];
    uint16_t NaiJiu[kCities];
    uint16_t MaxNaiJiu[kCities];
};

struct CityTable : CityBlock
{
    int32_t PingMin[kCities];
    int32_t BingYi[kCities];
    int32_t ShiBing[kCities];
};

struct ForcTable
{
    int32_t Money[kForces];
    int32_t Grain[kForces];
    uint16_t Metro[kForces];
    uint16_t Name[kForces];
    uint16_t King[kForces];
    uint16_t MinRepute[kForces];
    uint16_t Repute[kForces];
    uint16_t Rank[kForces];
    bool Skill[kForces][kSkills]; // column = flag number - 1
    uint8_t Relation[kForces][kForces];
};

struct ItemTable
{
    uint16_t ItemOwner[kItems];
};

// The sixteen 16-bit person arrays, one block in this order; the person editor copies them
// to and from its working copy as a whole.
struct PrsnBlock
{
    uint16_t Extra0[kPersons];
    uint16_t Extra2[kPersons];
    uint16_t EnterYear[kPersons];
    uint16_t BornYear[kPersons];
    uint16_t City[kPersons];
    uint16_t Degree[kPersons];
    uint16_t TongShuai[kPersons];
    uint16_t WuLi[kPersons];
    uint16_t ZhiLi[kPersons];
    uint16_t ZhengZhi[kPersons];
    uint16_t Rank[kPersons];
    uint16_t Extra30[kPersons];
    uint16_t XiangXing[kPersons];
    uint16_t YiLi[kPersons];
    uint16_t YeXin[kPersons];
    uint16_t XingGe[kPersons];
};

constexpr int kPrsnBlockArrays = 16;
static_assert(sizeof(PrsnBlock) == kPrsnBlockArrays * kPersons * sizeof(uint16_t));

// Column of PrsnTable::Aptitude.
enum Aptitude : int {
    BuBing,
    QiBing,
    GongQi,
    NuBing,
    ShuiJun,
    GongCheng,
    ZhiLue,
    MouLue,
    CeLue,
};

struct PrsnTable : PrsnBlock
{
    uint16_t Aptitude[kPersons][kAptitudes]; // column: enum Aptitude
    bool Skill[kPersons][kSkills];           // column = flag number - 1
    uint8_t Faith[kPersons][kForces];
};

struct ScenarioTables
{
    PlaceTable places;
    CityTable cities;
    ForcTable forces;
    ItemTable items;
    PrsnTable persons;
};

} // namespace veldor
