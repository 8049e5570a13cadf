// The reader behind every numeric edit field.

#include "data/rules/clampednumber.h"

#include <gtest/gtest.h>

#include <climits>

namespace veldor {
namespace {

int32_t clamp37(const char* text)
{
    return ClampedNumber(37, QString::fromUtf8(text), 100, 0);
}

std::optional<int32_t> parse(const char* text)
{
    return ParseInt32(QString::fromUtf8(text));
}

TEST(ClampedNumber, CasesOfAnEditField)
{
    EXPECT_EQ(clamp37(""), 0);
    EXPECT_EQ(clamp37("abc"), 37);
    EXPECT_EQ(clamp37("   "), 37);
    EXPECT_EQ(clamp37(" 12"), 12);
    EXPECT_EQ(clamp37("12 "), 37);
    EXPECT_EQ(clamp37("-5"), 0);
    EXPECT_EQ(clamp37("250"), 100);
    EXPECT_EQ(clamp37("$1F"), 31);
    EXPECT_EQ(clamp37("+7"), 7);
    EXPECT_EQ(clamp37("12345678901"), 37);
    EXPECT_EQ(clamp37("100"), 100);
    EXPECT_EQ(clamp37("0"), 0);
}

TEST(ClampedNumber, MaximumIsTestedFirst)
{
    // Only visible when the bounds cross.
    EXPECT_EQ(ClampedNumber(0, QStringLiteral("15"), 10, 20), 10);
    EXPECT_EQ(ClampedNumber(0, QStringLiteral("5"), 10, 20), 20);
    EXPECT_EQ(ClampedNumber(0, QStringLiteral("-2147483648"), INT32_MAX, INT32_MIN), INT32_MIN);
}

TEST(ParseInt32, HexadecimalForms)
{
    for (const char* text : {"$ff", "xff", "XFF", "0xff", "0XfF", "  $Ff", "$00ff"})
        EXPECT_EQ(parse(text), 255) << text;
    for (const char* text : {"$", "x", "0x", "0X", "$ 1", "$1 ", "$g", "-$1", "+$1", "-0x1", "+0x1",
                             "$-1", "0x0x1", "$1.0", "0x1F "})
        EXPECT_EQ(parse(text), std::nullopt) << text;
}

TEST(ParseInt32, HexadecimalTakesEightSignificantDigitsAsSigned32Bits)
{
    EXPECT_EQ(parse("$FFFFFFFF"), -1);
    EXPECT_EQ(parse("$80000000"), INT32_MIN);
    EXPECT_EQ(parse("$7FFFFFFF"), INT32_MAX);
    EXPECT_EQ(parse("0x0000000012345678"), 0x12345678);
    EXPECT_EQ(parse("$000000000"), 0);
    EXPECT_EQ(parse("$100000000"), std::nullopt);
    EXPECT_EQ(parse("x123456789"), std::nullopt);
    EXPECT_EQ(ClampedNumber(5, QStringLiteral("$FFFFFFFF"), 100, 0), 0);
}

TEST(ParseInt32, DecimalAtThe32BitEdges)
{
    EXPECT_EQ(parse("2147483647"), INT32_MAX);
    EXPECT_EQ(parse("+2147483647"), INT32_MAX);
    EXPECT_EQ(parse("-2147483648"), INT32_MIN);
    EXPECT_EQ(parse("2147483648"), std::nullopt);
    EXPECT_EQ(parse("-2147483649"), std::nullopt);
    EXPECT_EQ(parse("4294967296"), std::nullopt);
    EXPECT_EQ(parse("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(parse("0000000000000000000000000012"), 12);
    EXPECT_EQ(parse("-000000000000000002147483648"), INT32_MIN);
    EXPECT_EQ(parse("-0"), 0);
}

TEST(ParseInt32, WhatIsNoNumber)
{
    for (const char* text : {"", " ", "+", "-", "+-1", "--1", "1-", "1 2", "1e3", "1.5", "12a",
                             " +", "\t12", "１２", "٣", "0b1"})
        EXPECT_EQ(parse(text), std::nullopt) << text;
    EXPECT_EQ(parse("   -12"), -12);
    EXPECT_EQ(parse("007"), 7);
    EXPECT_EQ(parse("0"), 0);
}

} // namespace
} // namespace veldor
