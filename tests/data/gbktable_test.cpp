// The table codec against Qt's GBK converters, the ones it was made from: every byte, every pair
// of bytes, every code unit and every surrogate pair, and texts where invalid input sits among
// valid characters. Where this Qt has no GBK converter (the Windows build) only the spelt-out
// cases run.

#include "data/format/gbk.h"
#include "data/format/gbktable.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include <random>

namespace veldor {
namespace {

class GbkTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!decoder.isValid() || !encoder.isValid())
            GTEST_SKIP() << "this Qt has no GBK converter to compare with";
    }

    // Reports the first text the two disagree on, with its bytes or code units.
    static ::testing::AssertionResult decodesAlike(const QByteArray& bytes)
    {
        const QString expected = decoder.decode(bytes);
        if (FromGbkByTable(bytes) == expected)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "bytes " << bytes.toHex(' ').constData();
    }

    static ::testing::AssertionResult encodesAlike(const QString& text)
    {
        const QByteArray expected = encoder.encode(text);
        if (ToGbkByTable(text) == expected)
            return ::testing::AssertionSuccess();
        QByteArray units;
        for (QChar unit : text)
            units += QByteArray::number(unit.unicode(), 16) + ' ';
        return ::testing::AssertionFailure() << "code units " << units.constData();
    }

    static QByteArray bytesOf(std::initializer_list<int> values)
    {
        QByteArray bytes;
        for (int value : values)
            bytes += char(value);
        return bytes;
    }

    static QString unitsOf(std::initializer_list<char16_t> values)
    {
        QString text;
        for (char16_t value : values)
            text += QChar(value);
        return text;
    }

    // Stateless, as data/format/gbk.cpp opens them.
    static inline QStringDecoder decoder{"GBK", QStringConverter::Flag::Stateless};
    static inline QStringEncoder encoder{"GBK", QStringConverter::Flag::Stateless};
};

TEST_F(GbkTable, EveryByteAndPairOfBytesDecodesAlike)
{
    for (int first = 0; first < 256; ++first) {
        ASSERT_TRUE(decodesAlike(bytesOf({first})));
        for (int second = 0; second < 256; ++second)
            ASSERT_TRUE(decodesAlike(bytesOf({first, second})));
    }
}

// A lead that leaves the byte after it for the next character, or reads it, shows only in what
// follows: every pair before a third byte of each kind, and all pairs in one text.
TEST_F(GbkTable, WhatFollowsAPairDecodesAlike)
{
    QByteArray allPairs;
    for (int lead = 0x80; lead < 256; ++lead) {
        for (int second = 0; second < 256; ++second) {
            for (int third : {0x00, 0x40, 0x7F, 0x80, 0x81, 0xFE, 0xFF})
                ASSERT_TRUE(decodesAlike(bytesOf({lead, second, third})));
            allPairs += bytesOf({lead, second});
        }
    }
    EXPECT_TRUE(decodesAlike(allPairs));
    EXPECT_TRUE(decodesAlike('A' + allPairs));
    EXPECT_TRUE(decodesAlike('\x81' + allPairs));
}

TEST_F(GbkTable, EveryCodeUnitEncodesAlike)
{
    for (int unit = 0; unit < 65536; ++unit)
        ASSERT_TRUE(encodesAlike(unitsOf({char16_t(unit)})));
}

TEST_F(GbkTable, EverySurrogatePairEncodesAlike)
{
    for (char16_t high = 0xD800; high <= 0xDBFF; ++high) {
        for (char16_t low = 0xDC00; low <= 0xDFFF; ++low)
            ASSERT_TRUE(encodesAlike(unitsOf({high, low})));
    }
}

TEST_F(GbkTable, LoneSurrogatesEncodeAlike)
{
    for (char16_t high = 0xD800; high <= 0xDBFF; ++high) {
        for (char16_t after : {0x0041, 0x4E2D, 0xD800, 0xDBFF, 0xFEFF, 0xFFFF}) {
            ASSERT_TRUE(encodesAlike(unitsOf({high, after})));
            ASSERT_TRUE(encodesAlike(unitsOf({0x0041, high, after, 0x0041})));
        }
    }
    for (char16_t low = 0xDC00; low <= 0xDFFF; ++low) {
        ASSERT_TRUE(encodesAlike(unitsOf({0x0041, low})));
        ASSERT_TRUE(encodesAlike(unitsOf({low, low, 0x4E2D})));
        ASSERT_TRUE(encodesAlike(unitsOf({0xD800, 0xDC00, low})));
    }
}

// Longer texts, valid and invalid input mixed, each end included: nothing of one character may
// leak into the next.
TEST_F(GbkTable, MixedTextsConvertAlike)
{
    std::mt19937 random(26);
    const int bytes[] = {0x00, 0x20, 0x3F, 0x40, 0x41, 0x7E, 0x7F, 0x80, 0x81,
                         0xA1, 0xA2, 0xAA, 0xD5, 0xC5, 0xF8, 0xFE, 0xFF};
    const char16_t units[] = {0x0000, 0x0041, 0x0080, 0x00AD, 0x20AC, 0x3000, 0x30FB,
                              0x4E2D, 0x5F20, 0xD800, 0xD83D, 0xDBFF, 0xDC00, 0xDE00,
                              0xE000, 0xE4C6, 0xFEFF, 0xFFFD, 0xFFFF};
    for (int round = 0; round < 20000; ++round) {
        QByteArray text;
        QString unitText;
        for (int length = int(random() % 12); length > 0; --length) {
            text += char(bytes[random() % std::size(bytes)]);
            unitText += QChar(units[random() % std::size(units)]);
        }
        ASSERT_TRUE(decodesAlike(text));
        ASSERT_TRUE(encodesAlike(unitText));
    }
}

TEST_F(GbkTable, FromGbkAndToGbkConvertAlike)
{
    EXPECT_TRUE(decodesAlike("\xD5\xC5\xB7\xC9\x81\x7F\xFF\x80\xA1"));
    EXPECT_EQ(FromGbk("\xD5\xC5\xB7\xC9\x81\x7F\xFF\x80\xA1"),
              decoder.decode("\xD5\xC5\xB7\xC9\x81\x7F\xFF\x80\xA1"));
    const QString text = QStringLiteral("张飞€\U0001F600") + QChar(0xD800) + QChar(0xFEFF);
    EXPECT_EQ(ToGbk(text), encoder.encode(text));
}

// What the converters do with invalid input, spelt out so that the build without them checks
// it too.
TEST(GbkTableSpeltOut, InvalidInput)
{
    EXPECT_EQ(FromGbkByTable("\xD5\xC5\xB7\xC9"), QStringLiteral("张飞"));
    EXPECT_EQ(FromGbkByTable("\x80\xFF"), QStringLiteral("\u20AC\uF8F5"));
    EXPECT_EQ(FromGbkByTable("\x81\x7F\x81\x30"), QStringLiteral("\uFFFD\x7F\uFFFD"
                                                                 "0"));
    EXPECT_EQ(FromGbkByTable("\xD5\xC5\xB7"), QStringLiteral("张"));
    EXPECT_EQ(FromGbkByTable("\xA2\xA0"), QStringLiteral("\uE585"));
    EXPECT_EQ(ToGbkByTable(QStringLiteral("张\u30FB\uFEFF\U0001F600\u20AC")), "\xD5\xC5?\x3F\x80");
    EXPECT_EQ(ToGbkByTable(QString(QChar(0xD800)) + 'a' + QChar(0xDC00) + QChar(0xD800)), "?a?");
}

} // namespace
} // namespace veldor
