// The bottom-up merge sort of a row order, checked against a reference built a different way.

#include "data/rules/roworder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace veldor {
namespace {

// Largest key first; equal keys end in the reverse of their order before the sort. That is a
// stable descending sort of the reversed input.
std::vector<uint16_t> referenceSort(std::vector<uint16_t> order, const uint16_t* keys)
{
    std::reverse(order.begin(), order.end());
    std::stable_sort(order.begin(), order.end(),
                     [&](uint16_t a, uint16_t b) { return keys[a] > keys[b]; });
    return order;
}

std::vector<uint16_t> randomKeys(uint32_t seed, uint16_t range)
{
    std::mt19937 random(seed);
    std::vector<uint16_t> keys(kPersons);
    for (uint16_t& k : keys)
        k = uint16_t(random() % range);
    return keys;
}

TEST(RowOrder, SortsEightHundredEntriesLikeTheReference)
{
    for (uint16_t range : {uint16_t(2), uint16_t(10), uint16_t(1000), uint16_t(65535)}) {
        const std::vector<uint16_t> keys = randomKeys(range, range);
        RowOrder rows;
        std::mt19937 random(range + 1u);
        std::shuffle(std::begin(rows.order), std::end(rows.order), random);
        const std::vector<uint16_t> before(std::begin(rows.order), std::end(rows.order));
        MergeSortRowOrder(rows, keys.data());
        EXPECT_EQ(std::vector<uint16_t>(std::begin(rows.order), std::end(rows.order)),
                  referenceSort(before, keys.data()))
            << "keys below " << range;
    }
}

TEST(RowOrder, EachPassReversesEqualKeys)
{
    std::vector<uint16_t> keys(kPersons, 0);
    keys[10] = 5;
    keys[20] = 5;
    keys[30] = 9;
    RowOrder rows;
    MergeSortRowOrder(rows, keys.data());
    EXPECT_EQ(rows.order[0], 30);
    EXPECT_EQ(rows.order[1], 20);
    EXPECT_EQ(rows.order[2], 10);
    EXPECT_EQ(rows.order[3], 799);
    EXPECT_EQ(rows.order[799], 0);
    EXPECT_EQ(rows.rowOf(10), 2);

    MergeSortRowOrder(rows, keys.data());
    EXPECT_EQ(rows.order[1], 10);
    EXPECT_EQ(rows.order[2], 20);
    EXPECT_EQ(rows.order[3], 0);
    EXPECT_EQ(rows.order[799], 799);
}

TEST(RowOrder, ShorterCountsTouchNothingPastTheEnd)
{
    constexpr uint16_t kGuard = 0xBEEF;
    const std::vector<uint16_t> keys = randomKeys(3, 7);
    for (int count : {0, 1, 2, 3, 5, 64, 65, 100, 511, 513, 799}) {
        std::vector<uint16_t> order(kPersons + 8, kGuard), scratch(kPersons + 8, kGuard);
        for (int r = 0; r < count; ++r)
            order[size_t(r)] = uint16_t(count - 1 - r);
        const std::vector<uint16_t> before(order.begin(), order.begin() + count);
        MergeSortRowOrder(order.data(), scratch.data(), keys.data(), count);
        EXPECT_EQ(std::vector<uint16_t>(order.begin(), order.begin() + count),
                  referenceSort(before, keys.data()))
            << count;
        EXPECT_TRUE(std::all_of(order.begin() + count, order.end(), [](uint16_t v) {
            return v == kGuard;
        })) << count;
        EXPECT_TRUE(std::all_of(scratch.begin() + count, scratch.end(), [](uint16_t v) {
            return v == kGuard;
        })) << count;
    }
}

TEST(RowOrder, ResetAndRowOf)
{
    RowOrder rows;
    rows.order[0] = 5;
    rows.order[5] = 0;
    EXPECT_EQ(rows.rowOf(5), 0);
    EXPECT_EQ(rows.rowOf(800), -1);
    rows.reset();
    EXPECT_EQ(rows.rowOf(5), 5);
}

} // namespace
} // namespace veldor
