#include "tools/sce/scenariodiff.h"

#include "data/format/scenariocodec.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace veldor {
namespace {

// Per byte of the tables' reach, the bits that named fields own.
class NamedBits
{
public:
    NamedBits() : bits_(size_t(layout::kMinFileSize), 0) {}

    void record(TableId, int) {}
    void u16(const char*, int64_t offset, const uint16_t&) { own(offset, 2); }
    void i32(const char*, int64_t offset, const int32_t&) { own(offset, 4); }
    void bytes(const char*, int64_t offset, const uint8_t*, int count) { own(offset, count); }
    void skills(const char*, int64_t offset, const bool*)
    {
        own(offset, 3);
        bits_[size_t(offset + 3)] = 0x7F;
    }

    uint8_t at(qint64 offset) const
    {
        return offset < qint64(bits_.size()) ? bits_[size_t(offset)] : 0;
    }

private:
    void own(int64_t offset, int count)
    {
        std::fill_n(bits_.begin() + offset, count, uint8_t(0xFF));
    }

    std::vector<uint8_t> bits_;
};

const NamedBits& namedBits()
{
    static const NamedBits bits = [] {
        NamedBits walker;
        const auto tables = std::make_unique<const ScenarioTables>();
        visitScenarioFields(*tables, walker);
        return walker;
    }();
    return bits;
}

// Most of two scenarios' bytes are alike: blocks that are equal as a whole are passed over in
// one comparison, and only the others are looked at byte by byte.
qint64 countKeptBytes(const QByteArray& a, const QByteArray& b)
{
    constexpr qint64 kBlock = 512;
    const NamedBits& named = namedBits();
    const qint64 common = std::min(a.size(), b.size());
    qint64 count = std::max(a.size(), b.size()) - common;
    for (qint64 begin = 0; begin < common; begin += kBlock) {
        const qint64 end = std::min(common, begin + kBlock);
        if (std::memcmp(a.constData() + begin, b.constData() + begin, size_t(end - begin)) == 0)
            continue;
        for (qint64 k = begin; k < end; ++k) {
            const uint8_t changed = uint8_t(a[k] ^ b[k]) & uint8_t(~named.at(k));
            count += changed != 0;
        }
    }
    return count;
}

} // namespace

ScenarioDifference DiffScenarios(const QByteArray& a, const QByteArray& b, ScenarioTables& tablesA,
                                 ScenarioTables& tablesB)
{
    DecodeScenario(a, tablesA);
    DecodeScenario(b, tablesB);
    ScenarioDifference difference;
    difference.fields = DiffTables(tablesA, tablesB);
    difference.keptBytes = countKeptBytes(a, b);
    difference.sizeA = a.size();
    difference.sizeB = b.size();
    return difference;
}

} // namespace veldor
