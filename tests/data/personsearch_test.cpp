#include "data/rules/personsearch.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veldor {
namespace {

class PersonSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int p = 0; p < kPersons; ++p)
            names.setPerson(p, ToGbk(QStringLiteral("无名")));
        names.setPerson(12, ToGbk(QStringLiteral("关羽")));
        names.setPerson(34, ToGbk(QStringLiteral("Ann")));
    }
    PersonSearch search(const QString& text) const { return PersonSearch(text, names); }

    NameTables names;
};

uint16_t identity(int row)
{
    return uint16_t(row);
}

TEST_F(PersonSearchTest, NameOrNumberWithBlanksAroundAndLatinInAnyCase)
{
    EXPECT_TRUE(search(QStringLiteral(" 羽 ")).matches(12));
    EXPECT_TRUE(search(QStringLiteral("12")).matches(12));
    EXPECT_TRUE(search(QStringLiteral("0")).matches(0));
    EXPECT_FALSE(search(QStringLiteral("1")).matches(12)); // a number must be whole
    EXPECT_TRUE(search(QStringLiteral("aNN")).matches(34));
    EXPECT_FALSE(search(QStringLiteral("  ")).matches(0));
}

TEST_F(PersonSearchTest, NumbersOutsideTheTableFindNothing)
{
    for (const char* text : {"800", "-1", "65535", "99999999999"})
        EXPECT_EQ(search(QLatin1String(text)).findRow(kPersons, 0, 1, identity), -1) << text;
}

TEST_F(PersonSearchTest, WalksBothWaysFromTheStartRowAndWraps)
{
    const PersonSearch found = search(QStringLiteral("关"));
    EXPECT_EQ(found.findRow(kPersons, 12, 1, identity), 12);
    EXPECT_EQ(found.findRow(kPersons, 13, 1, identity), 12);
    EXPECT_EQ(found.findRow(kPersons, 11, -1, identity), 12);
    EXPECT_EQ(found.findRow(kPersons, -1, -1, identity), 12);
}

// Names are decoded once and kept: a renamed person is found by the new name, not the old.
TEST_F(PersonSearchTest, RenamedPersonIsFoundByTheNewName)
{
    EXPECT_TRUE(search(QStringLiteral("关")).matches(12));
    names.setPerson(12, ToGbk(QStringLiteral("张辽")));
    EXPECT_FALSE(search(QStringLiteral("关")).matches(12));
    EXPECT_TRUE(search(QStringLiteral("辽")).matches(12));
}

} // namespace
} // namespace veldor
