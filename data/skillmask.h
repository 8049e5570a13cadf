#pragma once

#include "data/indices.h"

#include <cstdint>

namespace veldor {

// Flag N (1..31) is bit N-1. Bit 31 carries no flag: PackSkillMask leaves it clear, and the
// writer keeps whatever the file holds there.
inline void UnpackSkillMask(uint32_t mask, bool* flags)
{
    for (int k = 0; k < kSkills; ++k)
        flags[k] = (mask >> k) & 1u;
}

inline uint32_t PackSkillMask(const bool* flags)
{
    uint32_t mask = 0;
    for (int k = 0; k < kSkills; ++k)
        if (flags[k])
            mask |= 1u << k;
    return mask;
}

constexpr uint32_t kUnusedSkillBit = 1u << 31;

} // namespace veldor
