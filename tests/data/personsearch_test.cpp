#include "data/personsearch.h"

#include "data/gbk.h"
#include "data/nametables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veldor {
namespace {

class PersonSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::copy(std::begin(PrsnNames), std::end(PrsnNames), saved_);
        std::fill(std::begin(PrsnNames), std::end(PrsnNames), ToGbk(QStringLiteral("无名")));
        PrsnNames[12] = ToGbk(QStringLiteral("关羽"));
        PrsnNames[34] = ToGbk(QStringLiteral("Ann"));
    }
    void TearDown() override { std::copy(std::begin(saved_), std::end(saved_), PrsnNames); }

private:
    QByteArray saved_[kPersons];
};

uint16_t identity(int row)
{
    return uint16_t(row);
}

TEST_F(PersonSearchTest, NameOrNumberWithBlanksAroundAndLatinInAnyCase)
{
    EXPECT_TRUE(PersonSearch(QStringLiteral(" 羽 ")).matches(12));
    EXPECT_TRUE(PersonSearch(QStringLiteral("12")).matches(12));
    EXPECT_TRUE(PersonSearch(QStringLiteral("0")).matches(0));
    EXPECT_FALSE(PersonSearch(QStringLiteral("1")).matches(12)); // a number must be whole
    EXPECT_TRUE(PersonSearch(QStringLiteral("aNN")).matches(34));
    EXPECT_FALSE(PersonSearch(QStringLiteral("  ")).matches(0));
}

TEST_F(PersonSearchTest, NumbersOutsideTheTableFindNothing)
{
    for (const char* text : {"800", "-1", "65535", "99999999999"})
        EXPECT_EQ(PersonSearch(QLatin1String(text)).findRow(kPersons, 0, 1, identity), -1) << text;
}

TEST_F(PersonSearchTest, WalksBothWaysFromTheStartRowAndWraps)
{
    const PersonSearch search(QStringLiteral("关"));
    EXPECT_EQ(search.findRow(kPersons, 12, 1, identity), 12);
    EXPECT_EQ(search.findRow(kPersons, 13, 1, identity), 12);
    EXPECT_EQ(search.findRow(kPersons, 11, -1, identity), 12);
    EXPECT_EQ(search.findRow(kPersons, -1, -1, identity), 12);
}

} // namespace
} // namespace veldor
