#include "data/rules/roworder.h"

#include <algorithm>

namespace veldor {
namespace {

void mergeRuns(const uint16_t* from, uint16_t* to, const uint16_t* keys, int left, int middle,
               int right)
{
    int l = left, r = middle, out = left;
    while (l < middle && r < right)
        to[out++] = keys[from[l]] > keys[from[r]] ? from[l++] : from[r++];
    while (l < middle)
        to[out++] = from[l++];
    while (r < right)
        to[out++] = from[r++];
}

} // namespace

void MergeSortRowOrder(uint16_t* order, uint16_t* scratch, const uint16_t* keys, int count)
{
    for (int width = 1; width < count; width *= 2) {
        for (int start = 0; start < count; start += 2 * width) {
            const int middle = std::min(start + width, count);
            const int end = std::min(start + 2 * width, count);
            mergeRuns(order, scratch, keys, start, middle, end);
        }
        std::copy(scratch, scratch + count, order);
    }
}

} // namespace veldor
