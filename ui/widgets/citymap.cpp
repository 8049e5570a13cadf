#include "ui/widgets/citymap.h"

#include "data/format/displaytext.h"
#include "data/format/gbk.h"

namespace veldor {

const std::array<CityButtonPlace, kCities>& CityButtonPlaces()
{
    static const std::array<CityButtonPlace, kCities> places{{
        {"襄平", 488, 32, 20, 20},  {"北平", 384, 56, 20, 20},  {"蓟", 304, 52, 20, 20},
        {"南皮", 372, 90, 20, 20},  {"平原", 368, 117, 20, 20}, {"邺", 302, 136, 20, 20},
        {"晋阳", 248, 96, 20, 20},  {"上党", 256, 140, 19, 21}, {"北海", 454, 117, 20, 20},
        {"濮阳", 329, 160, 20, 20}, {"陈留", 318, 194, 20, 20}, {"下坯", 422, 190, 20, 20},
        {"小沛", 384, 181, 20, 20}, {"许昌", 296, 216, 20, 20}, {"汝南", 350, 245, 20, 20},
        {"洛阳", 266, 190, 20, 20}, {"长安", 190, 208, 20, 20}, {"安定", 135, 177, 20, 20},
        {"天水", 66, 193, 20, 20},  {"西平", 32, 158, 20, 20},  {"武威", 44, 108, 20, 20},
        {"寿春", 396, 252, 20, 20}, {"庐江", 380, 301, 20, 20}, {"秣陵（建业）", 443, 282, 20, 20},
        {"吴", 484, 262, 20, 20},   {"会稽", 504, 318, 20, 20}, {"柴桑", 372, 351, 20, 20},
        {"宛", 262, 228, 20, 20},   {"新野", 279, 255, 20, 20}, {"襄阳", 262, 281, 20, 20},
        {"江陵", 275, 319, 20, 20}, {"江夏", 317, 303, 20, 20}, {"长沙", 302, 388, 20, 20},
        {"武陵", 239, 365, 20, 20}, {"桂阳", 316, 427, 20, 20}, {"零陵", 242, 416, 20, 20},
        {"西城", 208, 250, 20, 20}, {"永安", 190, 308, 20, 20}, {"汉中", 158, 246, 20, 20},
        {"梓潼", 102, 296, 20, 20}, {"成都", 65, 334, 20, 20},  {"江州", 117, 354, 20, 20},
        {"建宁", 78, 418, 20, 20},  {"云南", 27, 400, 20, 20},  {"交趾", 185, 450, 20, 20},
        {"倭", 556, 427, 20, 20},   {"乌丸", 393, 17, 20, 20},  {"羌", 20, 200, 20, 20},
        {"山越", 435, 427, 20, 20}, {"南蛮", 52, 470, 20, 20},
    }};
    return places;
}

QColor ForceColor(uint16_t force)
{
    static const QRgb colors[kForces] = {
        0x2F28E0, 0x307000, 0xC0001F, 0x906800, 0x0F003F, 0x60685F, 0x5FC0F0, 0xFFF800, 0xEF88E0,
        0x009870, 0xAF788F, 0xE0400F, 0xC0A8E0, 0x6F0040, 0x803000, 0xFF0080, 0xCF0890, 0x9F98DF,
        0xC0F08F, 0xBFE0BF, 0x4F709F, 0x4040A0, 0xDFE8BF, 0x9F886F, 0x6F68F0, 0xF0889F, 0x501800,
        0xF0E08F, 0xEFA800, 0x604830, 0xDFC090, 0x7F50AF, 0xCF6000, 0x60685F, 0xF0B890, 0x004000,
        0xCF884F, 0x809000, 0x80F0F0, 0x60B86F, 0x3080E0, 0x0F003F, 0xCFD890, 0x000080, 0xFF0000,
        0x3FF89F, 0x6F90AF, 0xD0C810, 0xC0A060, 0xF0783F,
    };
    return isForce(force) ? QColor(colors[force]) : QColor(Qt::white);
}

CityMark CityMarkOf(const ScenarioTables& tables, const NameTables& names, int city)
{
    const uint16_t force = tables.cities.Forc[city];
    if (!isForce(force))
        return {QStringLiteral("空"), QColor(Qt::white)};
    // The first two bytes of the padded name are its first Chinese character; an ASCII first
    // letter is followed by a second byte that may lead a double-byte character, so never split
    // one.
    const QByteArray name = PrsnNameText(names, tables.forces.King[force]);
    return {FromGbk(CutGbk(name, 2)), ForceColor(force)};
}

} // namespace veldor
