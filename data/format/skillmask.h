#pragma once

#include "data/format/indices.h"

#include <QtEndian>

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veldor {

#if !defined(__SSE2__)
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
#endif

// Flag N (1..31) is bit N-1. Bit 31 carries no flag: PackSkillMask leaves it clear, and the
// writer keeps whatever the file holds there. Reading a scenario unpacks 850 masks, and bit by
// bit that was most of the decoding: sixteen flags are set in one step where the processor
// can (flags 0..15, then 15..30; flag 15 is written twice, alike), eight at a time elsewhere.
inline void UnpackSkillMask(uint32_t mask, bool* flags)
{
    static_assert(kSkills == 31);
#if defined(__SSE2__)
    const __m128i bit = _mm_set_epi8(char(0x80), 0x40, 0x20, 0x10, 8, 4, 2, 1, char(0x80), 0x40,
                                     0x20, 0x10, 8, 4, 2, 1);
    const __m128i one = _mm_set1_epi8(1);
    for (int at : {0, 15}) {
        // The sixteen bits' two bytes, each spread over eight bytes.
        __m128i bytes = _mm_cvtsi32_si128(int((mask >> at) & 0xFFFFu));
        bytes = _mm_unpacklo_epi8(bytes, bytes);
        bytes = _mm_unpacklo_epi16(bytes, bytes);
        bytes = _mm_unpacklo_epi32(bytes, bytes);
        const __m128i set = _mm_cmpeq_epi8(_mm_and_si128(bytes, bit), bit);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(flags + at), _mm_and_si128(set, one));
    }
#else
    for (int byte = 0; byte < 4; ++byte)
        std::memcpy(flags + 8 * byte, detail::kSpreadBits.of[(mask >> (8 * byte)) & 0xFFu],
                    byte < 3 ? 8 : 7);
#endif
}

// Sixteen flags at a time where the processor compares sixteen bytes in one step (every
// x86-64 does): flags 0..15 and 15..30, each byte compared with zero, the results gathered
// into a bit each. A save packs 850 masks; this is a few instructions each, where the eight-
// at-a-time arithmetic below took over a hundred.
inline uint32_t PackSkillMask(const bool* flags)
{
    static_assert(kSkills == 31);
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(flags));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(flags + 15));
    const uint32_t lowZero = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(low, zero)));
    const uint32_t highZero = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(high, zero)));
    return (~lowZero & 0xFFFFu) | ((~highZero & 0xFFFFu) << 15);
#else
    // Eight at a time: the bytes of any true flag (whatever non-zero byte it holds) become 1,
    // then one multiplication gathers byte k's 1 into bit k of the top byte.
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
#endif
}

constexpr uint32_t kUnusedSkillBit = 1u << 31;

} // namespace veldor
