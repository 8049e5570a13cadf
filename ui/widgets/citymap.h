#pragma once

#include "data/format/scenariotables.h"

#include <QColor>
#include <QString>

#include <array>

namespace veldor {

class NameTables;

// Where a city's button lies on the map, with the city's name as its fixed tool tip.
struct CityButtonPlace
{
    const char* toolTip; // UTF-8
    int left, top, width, height;
};

// Button N (1..50) is entry N - 1 and stands for city N - 1.
const std::array<CityButtonPlace, kCities>& CityButtonPlaces();

// A force's text colour on the map; white for an index that names no force.
QColor ForceColor(uint16_t force);

// What a city's button shows: the first character of the holder's sovereign's name in the
// holder's colour, "空" for a holder without a sovereign, "空" in white for no holder.
struct CityMark
{
    QString text;
    QColor color;
};
CityMark CityMarkOf(const ScenarioTables& tables, const NameTables& names, int city);

} // namespace veldor
