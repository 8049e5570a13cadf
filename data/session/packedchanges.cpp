#include "data/session/packedchanges.h"

#include "data/format/tablecells.h"

#include <algorithm>
#include <cstring>

namespace veldor {
namespace {

// The fewest bytes that hold every value from `low` to `high`: 1 and 2 hold unsigned values,
// 4 anything.
uint8_t widthFor(int32_t low, int32_t high)
{
    if (low >= 0 && high <= 0xFF)
        return 1;
    if (low >= 0 && high <= 0xFFFF)
        return 2;
    return 4;
}

void put(std::vector<uint8_t>& bytes, int32_t value, uint8_t width)
{
    uint8_t raw[4];
    if (width == 1) {
        raw[0] = uint8_t(value);
    } else if (width == 2) {
        const uint16_t v = uint16_t(value);
        std::memcpy(raw, &v, 2);
    } else {
        std::memcpy(raw, &value, 4);
    }
    bytes.insert(bytes.end(), raw, raw + width);
}

int32_t get(const uint8_t* at, uint8_t width)
{
    if (width == 1)
        return *at;
    if (width == 2) {
        uint16_t v;
        std::memcpy(&v, at, 2);
        return v;
    }
    int32_t v;
    std::memcpy(&v, at, 4);
    return v;
}

template <class Value>
std::pair<int32_t, int32_t> rangeOf(const std::vector<size_t>& column, Value value)
{
    int32_t low = value(column.front()), high = low;
    for (size_t k : column) {
        low = std::min(low, value(k));
        high = std::max(high, value(k));
    }
    return {low, high};
}

} // namespace

PackedChanges::PackedChanges(const FieldDifferences& changes) : count_(changes.size())
{
    // One run per table and column, its records in ascending order.
    std::vector<size_t> order(changes.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        const FieldDifference &a = changes[x], &b = changes[y];
        if (a.table != b.table)
            return int(a.table) < int(b.table);
        return a.column != b.column ? a.column < b.column : a.record < b.record;
    });
    std::vector<size_t> column;
    for (size_t k = 0; k < order.size(); ++k) {
        column.push_back(order[k]);
        const bool last = k + 1 == order.size();
        if (last || changes[order[k + 1]].table != changes[order[k]].table ||
            changes[order[k + 1]].column != changes[order[k]].column) {
            pack(changes, column);
            column.clear();
        }
    }
    runs_.shrink_to_fit();
    bytes_.shrink_to_fit();
}

void PackedChanges::pack(const FieldDifferences& changes, const std::vector<size_t>& column)
{
    const FieldDifference& first = changes[column.front()];
    Run run{first.table, first.column, first.record, uint32_t(column.size()), 0, 0, 0,
            0,           bytes_.size()};
    const auto [lowOld, highOld] = rangeOf(column, [&](size_t k) { return changes[k].a; });
    const auto [lowNew, highNew] = rangeOf(column, [&](size_t k) { return changes[k].b; });
    const auto [lowRecord, highRecord] =
        rangeOf(column, [&](size_t k) { return int32_t(changes[k].record); });
    const bool consecutive = highRecord - lowRecord + 1 == int32_t(column.size());
    run.recordWidth = consecutive ? 0 : 2;
    run.oldWidth = widthFor(lowOld, highOld);
    run.newWidth = lowNew == highNew ? 0 : widthFor(lowNew, highNew);
    run.sharedNew = lowNew;
    if (!consecutive)
        for (size_t k : column)
            put(bytes_, changes[k].record, 2);
    for (size_t k : column)
        put(bytes_, changes[k].a, run.oldWidth);
    if (run.newWidth != 0)
        for (size_t k : column)
            put(bytes_, changes[k].b, run.newWidth);
    runs_.push_back(run);
}

template <class Visit> void PackedChanges::forEach(Visit visit) const
{
    for (const Run& run : runs_) {
        const uint8_t* records = bytes_.data() + run.offset;
        const uint8_t* olds = records + size_t(run.recordWidth) * run.count;
        const uint8_t* news = olds + size_t(run.oldWidth) * run.count;
        for (uint32_t k = 0; k < run.count; ++k) {
            FieldDifference d;
            d.table = run.table;
            d.column = run.column;
            d.record = run.recordWidth == 0 ? uint16_t(run.firstRecord + k)
                                            : uint16_t(get(records + 2 * k, 2));
            d.a = get(olds + size_t(run.oldWidth) * k, run.oldWidth);
            d.b = run.newWidth == 0 ? run.sharedNew
                                    : get(news + size_t(run.newWidth) * k, run.newWidth);
            visit(d);
        }
    }
}

FieldDifferences PackedChanges::Unpack() const
{
    FieldDifferences out;
    out.reserve(count_);
    forEach([&out](const FieldDifference& d) { out.push_back(d); });
    std::stable_sort(out.begin(), out.end(),
                     [](const FieldDifference& x, const FieldDifference& y) {
                         if (x.table != y.table)
                             return int(x.table) < int(y.table);
                         return x.record != y.record ? x.record < y.record : x.column < y.column;
                     });
    return out;
}

void PackedChanges::Apply(ScenarioTables& tables, Direction direction) const
{
    forEach([&](const FieldDifference& d) {
        WriteCell(tables, d.table, d.record, d.column,
                  direction == Direction::Forwards ? d.b : d.a);
    });
}

size_t PackedChanges::MemoryUse() const
{
    return runs_.capacity() * sizeof(Run) + bytes_.capacity();
}

} // namespace veldor
