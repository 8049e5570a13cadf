#include "data/displaytext.h"

#include "data/gbk.h"
#include "data/indices.h"
#include "data/nametables.h"

namespace veldor {
namespace {

QByteArray gbk(const char* utf8)
{
    return ToGbk(QString::fromUtf8(utf8));
}

QByteArray padRight(QByteArray text, int width)
{
    while (text.size() < width)
        text.append(' ');
    return text;
}

constexpr int kDegreeLabels = 10;

} // namespace

QByteArray PrsnNameText(uint16_t index)
{
    if (!isPerson(index))
        return gbk("空      ");
    return padRight(PrsnNames[index], 8);
}

QByteArray CityNameText(uint16_t index)
{
    if (!isCity(index))
        return gbk("空   ");
    return padRight(CityNames[index], 5);
}

QByteArray NumberText(uint16_t value)
{
    QByteArray text = QByteArray::number(value);
    while (text.size() < 3)
        text.prepend(' ');
    return text;
}

QByteArray DegreeLabel(uint16_t degree)
{
    static const char* const labels[kDegreeLabels] = {" 君主  ", " 军团长", " 军师  ", " 一般  ",
                                                      " 俘虏  ", " 在野  ", "未发现 ", "未成年 ",
                                                      " 死亡  ", " 特殊  "};
    return degree < kDegreeLabels ? gbk(labels[degree]) : QByteArray(7, ' ');
}

QByteArray CityDegreeLabel(uint16_t degree)
{
    static const char* const labels[kDegreeLabels] = {"  君主  ", "!!!!!!!", "  军师  ", "  一般  ",
                                                      "  俘虏  ", " 在野  ", "未发现 ",  "未成年 ",
                                                      " 死亡  ",  " 特殊  "};
    return degree < kDegreeLabels ? gbk(labels[degree]) : QByteArray(7, ' ');
}

QByteArray CityNoForceText()
{
    return gbk("无       ");
}

QByteArray PrsnNoForceText()
{
    return gbk("无      ");
}

} // namespace veldor
