#pragma once

#include "data/format/scenariotables.h"
#include "data/rules/personfields.h"

#include <type_traits>

namespace veldor::detail {

// The 16-bit cell of `person` behind a numeric field or a choice, for const and non-const
// working copies alike. The loyalty field has no such cell (it is one byte per force).
template <typename Table> auto& FieldRef(Table& work, PrsnField field, uint16_t person)
{
    static_assert(std::is_same_v<std::remove_const_t<Table>, PrsnTable>);
    switch (field) {
    case PrsnField::TongShuai:
        return work.TongShuai[person];
    case PrsnField::WuLi:
        return work.WuLi[person];
    case PrsnField::ZhiLi:
        return work.ZhiLi[person];
    case PrsnField::ZhengZhi:
        return work.ZhengZhi[person];
    case PrsnField::BornYear:
        return work.BornYear[person];
    case PrsnField::EnterYear:
        return work.EnterYear[person];
    case PrsnField::YiLi:
        return work.YiLi[person];
    case PrsnField::YeXin:
        return work.YeXin[person];
    case PrsnField::XiangXing:
        return work.XiangXing[person];
    default:
        return work.Aptitude[person][int(field) - int(PrsnField::BuBing)];
    }
}

template <typename Table> auto& ChoiceRef(Table& work, PrsnChoice choice, uint16_t person)
{
    switch (choice) {
    case PrsnChoice::XingGe:
        return work.XingGe[person];
    case PrsnChoice::Degree:
        return work.Degree[person];
    case PrsnChoice::City:
        return work.City[person];
    default:
        return work.Rank[person];
    }
}

} // namespace veldor::detail
