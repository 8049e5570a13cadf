#pragma once

#include "data/indices.h"

#include <QtEndian>

#include <cstdint>
#include <cstring>

namespace veldor {

namespace detail {
// Byte value -> its eight bits as eight bools, least bit first.
struct SpreadBits
{
    bool of[256][8] = {};
    constexpr SpreadBits()
    {
        for (int v = 0; v < 256; ++v)
            for (int k = 0; k < 8; ++k)
                of[v][k] = (v >> k) & 1;
    }
};
inline constexpr SpreadBits kSpreadBits{};
} // namespace detail

// Flag N (1..31) is bit N-1. Bit 31 carries no flag: PackSkillMask leaves it clear, and the
// writer keeps whatever the file holds there. Eight flags are copied at a time: reading a
// scenario unpacks 850 masks, and bit by bit that was most of the decoding.
inline void UnpackSkillMask(uint32_t mask, bool* flags)
{
    static_assert(kSkills == 31);
    for (int byte = 0; byte < 4; ++byte)
        std::memcpy(flags + 8 * byte, detail::kSpreadBits.of[(mask >> (8 * byte)) & 0xFFu],
                    byte < 3 ? 8 : 7);
}

// Eight flags at a time as well: the bytes of any true flag (whatever non-zero byte it holds)
// become 1, then one multiplication gathers byte k's 1 into bit k of the top byte.
inline uint32_t PackSkillMask(const bool* flags)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kGather = 0x0102040810204080ull;
    uint32_t mask = 0;
    for (int byte = 0; byte < 4; ++byte) {
        unsigned char bytes[8] = {};
        std::memcpy(bytes, flags + 8 * byte, byte < 3 ? 8 : 7);
        const uint64_t eight = qFromLittleEndian<uint64_t>(bytes);
        const uint64_t nonZero = ((((eight & kLow7) + kLow7) | eight) >> 7) & 0x0101010101010101ull;
        mask |= uint32_t((nonZero * kGather) >> 56) << (8 * byte);
    }
    return mask;
}

constexpr uint32_t kUnusedSkillBit = 1u << 31;

} // namespace veldor
