#pragma once

#include "data/format/indices.h"
#include "data/format/scenariotables.h"
#include "tools/sample/citygraph.h"
#include "tools/sample/samplerandom.h"

#include <array>
#include <vector>

namespace veldor {

// The year the sample scenario starts in.
constexpr int kSampleYear = 200;

// What the steps of the generator hand on to each other while filling the tables.
struct SampleWorld
{
    SampleWorld(uint32_t seed, ScenarioTables& t) : random(seed), tables(t) {}

    SampleRandom random;
    ScenarioTables& tables;
    CityGraph graph = MakeCityGraph();

    std::vector<int> forces;        // occupied force slots
    std::array<int, kCities> owner; // force of each city, -1 for none
    std::array<std::vector<int>, kForces> territory;
    std::array<int, kForces> parent;    // force a corps belongs to, else its own index
    std::array<int, kForces> sovereign; // -1 for an empty slot
    std::vector<int> ownedCities() const
    {
        std::vector<int> cities;
        for (int c = 0; c < kCities; ++c)
            if (owner[size_t(c)] >= 0)
                cities.push_back(c);
        return cities;
    }
};

// The steps, in the order MakeSampleScenario runs them.
void PlaceForces(SampleWorld& world);      // slots, territories, corps
void FillForceRecords(SampleWorld& world); // needs the sovereigns
void PlacePersons(SampleWorld& world);     // sovereigns, strategists and everyone else
void FillCities(SampleWorld& world);       // cities, places and treasures

} // namespace veldor
