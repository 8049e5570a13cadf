#pragma once

#include <QStringList>

namespace veldor {

// The fixed item texts of the force editor's choices and skill list. Item k is stored as k,
// except that the state name's last item ("——") stands for no name (65535).

const QStringList& ForceRankItems();     // 8 ranks, then "——" (stored as 8)
const QStringList& ForceNameItems();     // 20 state names, then "——"
const QStringList& ForceSkillCaptions(); // 31 skills, entry k = flag number k + 1

} // namespace veldor
