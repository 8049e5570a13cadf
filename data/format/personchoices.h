#pragma once

#include "data/format/indices.h"

#include <QStringList>

namespace veldor {

// The fixed item texts of the person editor's choices and lists. They are the window's own
// texts, not the name tables: the city choice keeps its own spelling of the fifty cities.

const QStringList& PrsnXingGeItems();   // 4 characters, item k = code k
const QStringList& PrsnDegreeItems();   // 10 standings
const QStringList& PrsnCityItems();     // 50 cities
const QStringList& PrsnRankItems();     // 76 offices, then "——" for none
const QStringList& ItemNames();         // the 100 treasures, item i = item record i
const QStringList& PrsnSkillCaptions(); // 31 skills, entry k = flag number k + 1

} // namespace veldor
