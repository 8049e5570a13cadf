#include "tools/sample/citygraph.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace veldor {
namespace {

struct Point
{
    int x, y;
};

// Top-left corners of the main window's city buttons, by city index.
constexpr Point kButtons[] = {
    {488, 32},  {384, 56},  {304, 52},  {372, 90},  {368, 117}, {302, 136}, {248, 96},  {256, 140},
    {454, 117}, {329, 160}, {318, 194}, {422, 190}, {384, 181}, {296, 216}, {350, 245}, {266, 190},
    {190, 208}, {135, 177}, {66, 193},  {32, 158},  {44, 108},  {396, 252}, {380, 301}, {443, 282},
    {484, 262}, {504, 318}, {372, 351}, {262, 228}, {279, 255}, {262, 281}, {275, 319}, {317, 303},
    {302, 388}, {239, 365}, {316, 427}, {242, 416}, {208, 250}, {190, 308}, {158, 246}, {102, 296},
    {65, 334},  {117, 354}, {78, 418},  {27, 400},  {185, 450}, {556, 427}, {393, 17},  {20, 200},
    {435, 427}, {52, 470}};
static_assert(std::size(kButtons) == kCities);

int distance2(int a, int b)
{
    const int dx = kButtons[a].x - kButtons[b].x;
    const int dy = kButtons[a].y - kButtons[b].y;
    return dx * dx + dy * dy;
}

void join(CityGraph& graph, int a, int b)
{
    if (std::find(graph[a].begin(), graph[a].end(), b) == graph[a].end()) {
        graph[a].push_back(b);
        graph[b].push_back(a);
    }
}

// Component number of every city.
std::array<int, kCities> components(const CityGraph& graph)
{
    std::array<int, kCities> component;
    component.fill(-1);
    int next = 0;
    for (int start = 0; start < kCities; ++start) {
        if (component[start] >= 0)
            continue;
        std::vector<int> stack{start};
        component[start] = next;
        while (!stack.empty()) {
            const int city = stack.back();
            stack.pop_back();
            for (int neighbour : graph[city])
                if (component[neighbour] < 0) {
                    component[neighbour] = next;
                    stack.push_back(neighbour);
                }
        }
        ++next;
    }
    return component;
}

// Joins the closest pair of cities that lie in different pieces; false when all are one.
bool joinClosestPieces(CityGraph& graph)
{
    const auto component = components(graph);
    int bestA = -1, bestB = -1;
    for (int a = 0; a < kCities; ++a)
        for (int b = 0; b < kCities; ++b)
            if (component[a] != component[b] &&
                (bestA < 0 || distance2(a, b) < distance2(bestA, bestB))) {
                bestA = a;
                bestB = b;
            }
    if (bestA < 0)
        return false;
    join(graph, bestA, bestB);
    return true;
}

} // namespace

CityGraph MakeCityGraph(int nearest)
{
    CityGraph graph;
    for (int city = 0; city < kCities; ++city) {
        std::vector<int> others(kCities);
        std::iota(others.begin(), others.end(), 0);
        others.erase(others.begin() + city);
        std::stable_sort(others.begin(), others.end(),
                         [city](int a, int b) { return distance2(city, a) < distance2(city, b); });
        for (int k = 0; k < nearest && k < int(others.size()); ++k)
            join(graph, city, others[k]);
    }
    while (joinClosestPieces(graph)) {
    }
    for (auto& neighbours : graph)
        std::sort(neighbours.begin(), neighbours.end());
    return graph;
}

bool CitiesConnected(const CityGraph& graph, const std::vector<int>& cities)
{
    if (cities.empty())
        return false;
    std::vector<bool> wanted(kCities, false), seen(kCities, false);
    for (int city : cities)
        wanted[city] = true;
    std::vector<int> stack{cities.front()};
    seen[cities.front()] = true;
    size_t reached = 0;
    while (!stack.empty()) {
        const int city = stack.back();
        stack.pop_back();
        ++reached;
        for (int neighbour : graph[city])
            if (wanted[neighbour] && !seen[neighbour]) {
                seen[neighbour] = true;
                stack.push_back(neighbour);
            }
    }
    return reached == cities.size();
}

} // namespace veldor
