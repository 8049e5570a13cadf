// The fixed-width texts of the lists, byte for byte in GBK.

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"

#include <gtest/gtest.h>

namespace veldor {
namespace {

// Spelt out in GBK so that an encoder mix-up cannot pass unnoticed.
const QByteArray kKong = "\xBF\xD5";           // 空
const QByteArray kWu = "\xCE\xDE";             // 无
const QByteArray kJunZhu = "\xBE\xFD\xD6\xF7"; // 君主

TEST(DisplayText, PersonNamePaddedToEightBytesNeverCut)
{
    NameTables names;
    names.setPerson(0, "\xD5\xC5\xB7\xC9");                  // 张飞, 4 bytes
    names.setPerson(1, "\xD6\xEE\xB8\xF0\xC1\xC1\xBA\xC3");  // 4 characters, 8 bytes
    names.setPerson(2, ToGbk(QStringLiteral("一二三四五"))); // 10 bytes
    names.setPerson(799, "");
    EXPECT_EQ(PrsnNameText(names, 0), "\xD5\xC5\xB7\xC9    ");
    EXPECT_EQ(PrsnNameText(names, 1), names.person(1));
    EXPECT_EQ(PrsnNameText(names, 2), names.person(2));
    EXPECT_EQ(PrsnNameText(names, 799), "        ");
    EXPECT_EQ(PrsnNameText(names, 800), kKong + "      ");
    EXPECT_EQ(PrsnNameText(names, 65535), kKong + "      ");
}

// The converters are kept between calls: what is left of a name cut after a lead byte must not
// swallow the start of the next text.
TEST(DisplayText, ACutNameLeavesTheNextTextWhole)
{
    EXPECT_TRUE(FromGbk(QByteArray("\xD5\xC5\xB7")).startsWith(QStringLiteral("张")));
    EXPECT_EQ(FromGbk(kKong), QStringLiteral("空"));
    EXPECT_EQ(ToGbk(QStringLiteral("空")), kKong);
}

TEST(DisplayText, CityNamePaddedToFiveBytes)
{
    NameTables names;
    names.setCity(0, "\xB3\xC9\xB6\xBC"); // 成都
    names.setCity(1, ToGbk(QStringLiteral("建业城")));
    EXPECT_EQ(CityNameText(names, 0), "\xB3\xC9\xB6\xBC ");
    EXPECT_EQ(CityNameText(names, 1), names.city(1));
    EXPECT_EQ(CityNameText(names, 50), kKong + "   ");
    EXPECT_EQ(CityNameText(names, 65535), kKong + "   ");
}

TEST(DisplayText, NumbersRightAlignedToThreeCharacters)
{
    EXPECT_EQ(NumberText(0), "  0");
    EXPECT_EQ(NumberText(5), "  5");
    EXPECT_EQ(NumberText(42), " 42");
    EXPECT_EQ(NumberText(100), "100");
    EXPECT_EQ(NumberText(1234), "1234");
    EXPECT_EQ(NumberText(uint16_t(-1)), "65535");
}

TEST(DisplayText, NoForceTexts)
{
    EXPECT_EQ(CityNoForceText(), kWu + "       ");
    EXPECT_EQ(PrsnNoForceText(), kWu + "      ");
}

TEST(DisplayText, DegreeLabelsOfThePersonList)
{
    const QByteArray expected[] = {
        " " + kJunZhu + "  ",
        " \xBE\xFC\xCD\xC5\xB3\xA4", // 军团长
        " \xBE\xFC\xCA\xA6  ",       // 军师
        " \xD2\xBB\xB0\xE3  ",       // 一般
        " \xB7\xFD\xC2\xB2  ",       // 俘虏
        " \xD4\xDA\xD2\xB0  ",       // 在野
        "\xCE\xB4\xB7\xA2\xCF\xD6 ", // 未发现
        "\xCE\xB4\xB3\xC9\xC4\xEA ", // 未成年
        " \xCB\xC0\xCD\xF6  ",       // 死亡
        " \xCC\xD8\xCA\xE2  ",       // 特殊
    };
    for (uint16_t d = 0; d < 10; ++d) {
        EXPECT_EQ(DegreeLabel(d), expected[d]) << d;
        EXPECT_EQ(DegreeLabel(d).size(), 7) << d;
    }
    for (uint16_t d : {10, 76, 65535})
        EXPECT_EQ(DegreeLabel(d), "       ") << d;
}

TEST(DisplayText, DegreeLabelsOfTheCityList)
{
    const QByteArray expected[] = {
        "  " + kJunZhu + "  ",       "!!!!!!!",
        "  \xBE\xFC\xCA\xA6  ",      "  \xD2\xBB\xB0\xE3  ",
        "  \xB7\xFD\xC2\xB2  ",      " \xD4\xDA\xD2\xB0  ",
        "\xCE\xB4\xB7\xA2\xCF\xD6 ", "\xCE\xB4\xB3\xC9\xC4\xEA ",
        " \xCB\xC0\xCD\xF6  ",       " \xCC\xD8\xCA\xE2  ",
    };
    const int widths[] = {8, 7, 8, 8, 8, 7, 7, 7, 7, 7};
    for (uint16_t d = 0; d < 10; ++d) {
        EXPECT_EQ(CityDegreeLabel(d), expected[d]) << d;
        EXPECT_EQ(CityDegreeLabel(d).size(), widths[d]) << d;
    }
    for (uint16_t d : {10, 65535})
        EXPECT_EQ(CityDegreeLabel(d), "       ") << d;
    // The 8-byte labels follow an 8-byte name, the 7-byte ones the 9-byte no-force text.
    EXPECT_EQ(8 + CityDegreeLabel(0).size(), CityNoForceText().size() + CityDegreeLabel(5).size());
}

} // namespace
} // namespace veldor
