#include "data/format/displaytext.h"

#include "data/format/gbk.h"
#include "data/format/indices.h"
#include "data/format/nametables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace veldor {
namespace {

QByteArray gbk(const char* utf8)
{
    return ToGbk(QString::fromUtf8(utf8));
}

// A column's labels, encoded once by each caller: every row build asks for them.
template <size_t N> std::array<QByteArray, N> encodeAll(const char* const (&labels)[N])
{
    std::array<QByteArray, N> encoded;
    for (size_t i = 0; i < N; ++i)
        encoded[i] = gbk(labels[i]);
    return encoded;
}

QByteArray padRight(QByteArray text, int width)
{
    while (text.size() < width)
        text.append(' ');
    return text;
}

constexpr int kDegreeLabels = 10;

} // namespace

QByteArray PrsnNameText(const NameTables& names, uint16_t index)
{
    if (!isPerson(index)) {
        static const QByteArray empty = gbk("空      ");
        return empty;
    }
    return padRight(names.person(index), 8);
}

QByteArray CityNameText(const NameTables& names, uint16_t index)
{
    if (!isCity(index)) {
        static const QByteArray empty = gbk("空   ");
        return empty;
    }
    return padRight(names.city(index), 5);
}

QByteArray NumberText(uint16_t value)
{
    // Right-aligned in three columns, written once: every row of every list has several.
    char digits[8];
    const int length = int(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    const int width = std::max(length, 3);
    QByteArray text(width, ' ');
    std::memcpy(text.data() + width - length, digits, size_t(length));
    return text;
}

QByteArray DegreeLabel(uint16_t degree)
{
    static const char* const labels[kDegreeLabels] = {" 君主  ", " 军团长", " 军师  ", " 一般  ",
                                                      " 俘虏  ", " 在野  ", "未发现 ", "未成年 ",
                                                      " 死亡  ", " 特殊  "};
    static const auto encoded = encodeAll(labels);
    return degree < kDegreeLabels ? encoded[degree] : QByteArray(7, ' ');
}

QByteArray CityDegreeLabel(uint16_t degree)
{
    static const char* const labels[kDegreeLabels] = {"  君主  ", "!!!!!!!", "  军师  ", "  一般  ",
                                                      "  俘虏  ", " 在野  ", "未发现 ",  "未成年 ",
                                                      " 死亡  ",  " 特殊  "};
    static const auto encoded = encodeAll(labels);
    return degree < kDegreeLabels ? encoded[degree] : QByteArray(7, ' ');
}

QByteArray CityNoForceText()
{
    static const QByteArray text = gbk("无       ");
    return text;
}

QByteArray PrsnNoForceText()
{
    static const QByteArray text = gbk("无      ");
    return text;
}

} // namespace veldor
