#pragma once

#include <cstdint>

// The GBK tables the build makes with veldor-gbktable by asking the build machine's own GBK
// converters (Qt's, on top of ICU) how they treat every byte and every code unit, invalid ones
// included. They let a Qt without ICU convert exactly as that reference does, so that a scenario
// saved by either build is the same file. The generator checks that the converters behave the
// way these tables can describe, and fails the build otherwise.
namespace veldor::gbktables {

// Bytes that start a two-byte character. Any other byte is a character of its own.
constexpr int kFirstLead = 0x81;
constexpr int kLastLead = 0xFE;
constexpr int kLeads = kLastLead - kFirstLead + 1;

// What a byte that is not a lead decodes to (the entries of the leads are unused).
extern const char16_t kDecodedByte[256];
// What a lead and the byte after it decode to, indexed [lead - kFirstLead][next byte].
extern const char16_t kDecodedPair[kLeads][256];
// One bit per entry of kDecodedPair: set where the second byte was no part of the character
// (the lead alone gave the entry) and is read again as the start of the next one.
extern const std::uint8_t kPairReadsOneByte[kLeads][256 / 8];
// What a lead as the last byte of the text decodes to: nothing, or kDecodedLastLead.
extern const bool kLastLeadDecodes;
extern const char16_t kDecodedLastLead;

// What a code unit encodes to: 0x00..0xFF one byte, 0x8100 and above two bytes (high byte first),
// kNoBytes nothing. Stored as pages of 256 code units that many share: the encoding of u is
// kEncodedPage[kEncodedPageOf[u >> 8]][u & 0xFF]. A high surrogate's entry is what it gives as
// the last unit of the text.
constexpr std::uint16_t kNoBytes = 0xFFFF;
extern const std::uint8_t kEncodedPageOf[256];
extern const std::uint16_t kEncodedPage[][256];
// What a surrogate pair encodes to: runs of code points that encode alike, in order, from
// U+10000 to U+10FFFF. Not all alike: the converters drop the ones Unicode says to ignore.
struct CodePointRun
{
    char32_t first;
    std::uint16_t encoded;
};
extern const CodePointRun kEncodedPairRuns[];
extern const int kEncodedPairRunCount;
// What a high surrogate followed by anything but a low one encodes to.
extern const std::uint16_t kEncodedLoneHigh;

} // namespace veldor::gbktables
