#pragma once

#include "data/format/indices.h"

#include <bitset>
#include <cstdint>

namespace veldor {

// A sortable list's map from row to record: row r shows record order[r].
struct RowOrder
{
    uint16_t order[kPersons];

    RowOrder() { reset(); }
    void reset()
    {
        for (int r = 0; r < kPersons; ++r)
            order[r] = uint16_t(r);
    }
    // The row that shows `record`, or -1.
    int rowOf(uint16_t record) const
    {
        for (int r = 0; r < kPersons; ++r)
            if (order[r] == record)
                return r;
        return -1;
    }
};

// One mark per row of a person list, by row number.
using RowMarks = std::bitset<kPersons>;

// Bottom-up merge sort of `order` by `keys[record]`, largest key first, run widths 1, 2, 4, ...
// On equal keys the right run's entry is taken first, so records with equal keys end in the
// reverse of their order before the sort: sorting twice by one key reverses each group of equal
// keys. `scratch` holds the merge passes; no position at or beyond `count` is touched.
void MergeSortRowOrder(uint16_t* order, uint16_t* scratch, const uint16_t* keys,
                       int count = kPersons);

inline void MergeSortRowOrder(RowOrder& rows, const uint16_t* keys)
{
    uint16_t scratch[kPersons];
    MergeSortRowOrder(rows.order, scratch, keys);
}

} // namespace veldor
