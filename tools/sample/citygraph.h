#pragma once

#include "data/format/indices.h"

#include <array>
#include <vector>

namespace veldor {

// Which cities border which: derived from where the city buttons stand on the map, since the
// scenario file itself holds no roads.
using CityGraph = std::array<std::vector<int>, kCities>;

// Each city is joined to its `nearest` closest cities (and they to it); separate groups are
// then joined by their closest pair, so every city can be reached from every other.
CityGraph MakeCityGraph(int nearest = 3);

// True when `cities` (non-empty) form one connected piece of `graph`.
bool CitiesConnected(const CityGraph& graph, const std::vector<int>& cities);

} // namespace veldor
