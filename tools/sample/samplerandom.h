#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace veldor {

// The sample's only source of chance. std::mt19937 yields the same numbers on every standard
// library, while the std distributions do not, so ranges are cut out of it by hand: a seed
// then means the same scenario everywhere.
class SampleRandom
{
public:
    explicit SampleRandom(uint32_t seed) : engine_(seed) {}

    uint32_t next() { return engine_(); }

    // A number from lo to hi, both included.
    int between(int lo, int hi) { return lo + int(engine_() % uint32_t(hi - lo + 1)); }

    bool chance(int percent) { return between(0, 99) < percent; }

    template <class T> const T& pick(const std::vector<T>& values)
    {
        return values[size_t(between(0, int(values.size()) - 1))];
    }

    template <class T> void shuffle(std::vector<T>& values)
    {
        for (int i = int(values.size()) - 1; i > 0; --i)
            std::swap(values[size_t(i)], values[size_t(between(0, i))]);
    }

private:
    std::mt19937 engine_;
};

} // namespace veldor
