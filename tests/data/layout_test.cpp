// Every named field at its documented offset. The offsets below are written out again on
// purpose: they must not come from the field walker they are meant to check.

#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/format/scenariotables.h"
#include "data/format/skillmask.h"
#include "support/scenariofiles.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace veldor {
namespace {

enum class Width { U16, I32, Bytes50, Mask };

struct Field
{
    const char* name;
    int64_t table;
    int64_t recordSize;
    int records;
    int64_t offset;
    Width width;
    // The field's storage for record i; bytes and masks point at their first element.
    std::function<void*(ScenarioTables&, int)> at;
};

int widthInBytes(Width width)
{
    switch (width) {
    case Width::U16:
        return 2;
    case Width::I32:
    case Width::Mask:
        return 4;
    case Width::Bytes50:
        return 50;
    }
    return 0;
}

#define U16(tbl, size, n, off, member)                                                             \
    Field                                                                                          \
    {                                                                                              \
#member, tbl, size, n, off, Width::U16,                                                    \
            [](ScenarioTables & t, int i) -> void* { return &t.member[i]; }                        \
    }
#define I32(tbl, size, n, off, member)                                                             \
    Field                                                                                          \
    {                                                                                              \
#member, tbl, size, n, off, Width::I32,                                                    \
            [](ScenarioTables & t, int i) -> void* { return &t.member[i]; }                        \
    }
#define APT(off, column)                                                                           \
    Field                                                                                          \
    {                                                                                              \
#column, 612528, 134, 800, off, Width::U16,                                                \
            [](ScenarioTables & t, int i) -> void* { return &t.persons.Aptitude[i][column]; }      \
    }

const std::vector<Field>& documentedFields()
{
    static const std::vector<Field> fields = {
        U16(565146, 28, 137, 0, places.PlaceForc),
        U16(565146, 28, 137, 2, places.PlaceCity),

        I32(570746, 56, 50, 0, cities.PingMin),
        I32(570746, 56, 50, 4, cities.BingYi),
        I32(570746, 56, 50, 8, cities.ShiBing),
        U16(570746, 56, 50, 24, cities.Forc),
        U16(570746, 56, 50, 26, cities.MinXin),
        U16(570746, 56, 50, 28, cities.MaxShouYi),
        U16(570746, 56, 50, 30, cities.MaxShouHuo),
        U16(570746, 56, 50, 32, cities.ShouYi),
        U16(570746, 56, 50, 34, cities.ShouHuo),
        U16(570746, 56, 50, 36, cities.NaiJiu),
        U16(570746, 56, 50, 38, cities.MaxNaiJiu),

        I32(573550, 86, 50, 0, forces.Money),
        I32(573550, 86, 50, 4, forces.Grain),
        U16(573550, 86, 50, 14, forces.Metro),
        U16(573550, 86, 50, 16, forces.Name),
        U16(573550, 86, 50, 18, forces.King),
        U16(573550, 86, 50, 20, forces.MinRepute),
        U16(573550, 86, 50, 22, forces.Repute),
        U16(573550, 86, 50, 26, forces.Rank),
        Field{"force skills", 573550, 86, 50, 30, Width::Mask,
              [](ScenarioTables& t, int i) -> void* { return t.forces.Skill[i]; }},
        Field{"Relation", 573550, 86, 50, 36, Width::Bytes50,
              [](ScenarioTables& t, int i) -> void* { return t.forces.Relation[i]; }},

        U16(577874, 22, 100, 0, items.ItemOwner),

        U16(612528, 134, 800, 0, persons.Extra0),
        U16(612528, 134, 800, 2, persons.Extra2),
        U16(612528, 134, 800, 4, persons.EnterYear),
        U16(612528, 134, 800, 6, persons.BornYear),
        U16(612528, 134, 800, 10, persons.City),
        U16(612528, 134, 800, 14, persons.Degree),
        U16(612528, 134, 800, 16, persons.TongShuai),
        U16(612528, 134, 800, 18, persons.WuLi),
        U16(612528, 134, 800, 20, persons.ZhiLi),
        U16(612528, 134, 800, 22, persons.ZhengZhi),
        U16(612528, 134, 800, 24, persons.Rank),
        U16(612528, 134, 800, 30, persons.Extra30),
        U16(612528, 134, 800, 34, persons.XiangXing),
        U16(612528, 134, 800, 36, persons.YiLi),
        U16(612528, 134, 800, 38, persons.YeXin),
        U16(612528, 134, 800, 40, persons.XingGe),
        APT(42, BuBing),
        APT(44, QiBing),
        APT(46, GongQi),
        APT(48, NuBing),
        APT(50, ShuiJun),
        APT(52, GongCheng),
        APT(54, ZhiLue),
        APT(56, MouLue),
        APT(58, CeLue),
        Field{"Faith", 612528, 134, 800, 64, Width::Bytes50,
              [](ScenarioTables& t, int i) -> void* { return t.persons.Faith[i]; }},
        Field{"person skills", 612528, 134, 800, 114, Width::Mask,
              [](ScenarioTables& t, int i) -> void* { return t.persons.Skill[i]; }},
    };
    return fields;
}

int64_t fieldStart(const Field& f, int record)
{
    return f.table + record * f.recordSize + f.offset;
}

uint32_t maskAt(const QByteArray& bytes, int64_t at)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + at);
}

// The tables sit in a zeroed heap block so that padding compares equal byte for byte.
std::unique_ptr<ScenarioTables> zeroedTables()
{
    auto tables = std::make_unique<ScenarioTables>();
    std::memset(static_cast<void*>(tables.get()), 0, sizeof(ScenarioTables));
    return tables;
}

// Puts a value into every field that no other field of its width shares (bytes and skill
// flags come from a generator: there are too many of them to be all distinct).
void fillDistinct(ScenarioTables& t)
{
    std::mt19937 random(7);
    uint16_t next16 = 1;
    uint32_t next32 = 0x10203040;
    for (const Field& f : documentedFields()) {
        for (int i = 0; i < f.records; ++i) {
            void* p = f.at(t, i);
            switch (f.width) {
            case Width::U16:
                *static_cast<uint16_t*>(p) = next16++;
                break;
            case Width::I32:
                *static_cast<int32_t*>(p) = static_cast<int32_t>(next32);
                next32 += 0x01010101u + 0x10000u; // every byte changes, sign varies
                break;
            case Width::Bytes50:
                for (int k = 0; k < 50; ++k)
                    static_cast<uint8_t*>(p)[k] = uint8_t(random());
                break;
            case Width::Mask:
                for (int k = 0; k < kSkills; ++k)
                    static_cast<bool*>(p)[k] = random() & 1u;
                break;
            }
        }
    }
}

TEST(Layout, DocumentedTablesAndMinimumSize)
{
    EXPECT_EQ(layout::kMinFileSize, 719712);
    // The person table's trailing 16 kept bytes lie past the minimum size.
    EXPECT_EQ(612528 + 800 * 134 - 16, layout::kMinFileSize);
    EXPECT_EQ(sizeof(PrsnBlock), 16u * 800u * 2u);
}

TEST(Layout, EncodePutsEveryFieldAtItsOffsetAndNothingElse)
{
    auto tables = zeroedTables();
    fillDistinct(*tables);
    const QByteArray before = test::RandomScenarioBytes(11);
    QByteArray bytes = before;
    EncodeScenario(*tables, bytes);

    std::vector<bool> named(size_t(bytes.size()), false);
    for (const Field& f : documentedFields()) {
        for (int i = 0; i < f.records; ++i) {
            const int64_t at = fieldStart(f, i);
            const void* p = f.at(*tables, i);
            for (int b = 0; b < widthInBytes(f.width); ++b) {
                ASSERT_FALSE(named[size_t(at + b)]) << f.name << " overlaps at " << at + b;
                named[size_t(at + b)] = true;
            }
            switch (f.width) {
            case Width::U16:
                ASSERT_EQ(qFromLittleEndian<uint16_t>(bytes.constData() + at),
                          *static_cast<const uint16_t*>(p))
                    << f.name << " of record " << i;
                break;
            case Width::I32:
                ASSERT_EQ(qFromLittleEndian<int32_t>(bytes.constData() + at),
                          *static_cast<const int32_t*>(p))
                    << f.name << " of record " << i;
                break;
            case Width::Bytes50:
                ASSERT_EQ(std::memcmp(bytes.constData() + at, p, 50), 0)
                    << f.name << " of record " << i;
                break;
            case Width::Mask: {
                const bool* flags = static_cast<const bool*>(p);
                const uint32_t mask = maskAt(bytes, at);
                for (int k = 0; k < kSkills; ++k)
                    ASSERT_EQ(bool(mask & (1u << k)), flags[k])
                        << f.name << " flag " << k + 1 << " of record " << i;
                ASSERT_EQ(mask & kUnusedSkillBit, maskAt(before, at) & kUnusedSkillBit)
                    << "bit 31 of " << f.name << " of record " << i;
                break;
            }
            }
        }
    }
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (!named[size_t(at)]) {
            ASSERT_EQ(bytes[at], before[at]) << "kept byte " << at << " was written";
        }
    }
}

TEST(Layout, DecodeTakesEveryFieldFromItsOffset)
{
    const QByteArray bytes = test::RandomScenarioBytes(12);
    auto tables = zeroedTables();
    DecodeScenario(bytes, *tables);
    for (const Field& f : documentedFields()) {
        for (int i = 0; i < f.records; ++i) {
            const int64_t at = fieldStart(f, i);
            const void* p = f.at(*tables, i);
            switch (f.width) {
            case Width::U16:
                ASSERT_EQ(*static_cast<const uint16_t*>(p),
                          qFromLittleEndian<uint16_t>(bytes.constData() + at))
                    << f.name << " of record " << i;
                break;
            case Width::I32:
                ASSERT_EQ(*static_cast<const int32_t*>(p),
                          qFromLittleEndian<int32_t>(bytes.constData() + at))
                    << f.name << " of record " << i;
                break;
            case Width::Bytes50:
                ASSERT_EQ(std::memcmp(bytes.constData() + at, p, 50), 0)
                    << f.name << " of record " << i;
                break;
            case Width::Mask:
                for (int k = 0; k < kSkills; ++k)
                    ASSERT_EQ(static_cast<const bool*>(p)[k], bool(maskAt(bytes, at) >> k & 1u))
                        << f.name << " flag " << k + 1 << " of record " << i;
                break;
            }
        }
    }
}

TEST(Layout, DecodeOfEncodeGivesTheSameTables)
{
    auto written = zeroedTables();
    fillDistinct(*written);
    QByteArray bytes = test::RandomScenarioBytes(13);
    EncodeScenario(*written, bytes);
    auto read = zeroedTables();
    DecodeScenario(bytes, *read);
    EXPECT_EQ(std::memcmp(written.get(), read.get(), sizeof(ScenarioTables)), 0);
}

TEST(Layout, EncodeOfDecodeIsByteIdenticalWhateverTheBytes)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        const QByteArray original = test::RandomScenarioBytes(seed, layout::kMinFileSize + seed);
        auto tables = zeroedTables();
        DecodeScenario(original, *tables);
        QByteArray bytes = original;
        EncodeScenario(*tables, bytes);
        EXPECT_TRUE(bytes == original) << "seed " << seed;
    }
}

TEST(Layout, FileOfExactlyTheMinimumSizeRoundTrips)
{
    QByteArray bytes(layout::kMinFileSize, '\xFF');
    auto tables = zeroedTables();
    DecodeScenario(bytes, *tables);
    EXPECT_EQ(tables->persons.Faith[799][49], 0xFF);
    EXPECT_TRUE(tables->persons.Skill[799][30]);
    const QByteArray original = bytes;
    EncodeScenario(*tables, bytes);
    EXPECT_TRUE(bytes == original);
}

TEST(SkillMask, Bit31IsNoFlagButSurvivesAWrite)
{
    bool flags[kSkills];
    UnpackSkillMask(0x80000001u, flags);
    EXPECT_TRUE(flags[0]);
    for (int k = 1; k < kSkills; ++k)
        EXPECT_FALSE(flags[k]) << k;
    EXPECT_EQ(PackSkillMask(flags), 1u);

    // Person 0's mask in the file has bits 0 and 31; flag 2 is added in memory.
    QByteArray bytes(layout::kMinFileSize, '\0');
    const int64_t at = 612528 + 114;
    qToLittleEndian<uint32_t>(0x80000001u, bytes.data() + at);
    auto tables = zeroedTables();
    DecodeScenario(bytes, *tables);
    tables->persons.Skill[0][1] = true;
    EncodeScenario(*tables, bytes);
    EXPECT_EQ(maskAt(bytes, at), 0x80000003u);
}

TEST(SkillMask, AllThirtyOneFlagsPackBackToTheSameMask)
{
    bool flags[kSkills];
    UnpackSkillMask(0x7FFFFFFFu, flags);
    for (int k = 0; k < kSkills; ++k)
        EXPECT_TRUE(flags[k]) << k;
    EXPECT_EQ(PackSkillMask(flags), 0x7FFFFFFFu);

    for (int n = 1; n <= kSkills; ++n) {
        bool one[kSkills] = {};
        one[n - 1] = true;
        EXPECT_EQ(PackSkillMask(one), 1u << (n - 1)) << "flag " << n;
    }
}

TEST(Layout, FieldNamesOfTheWalkerMatchTheDocumentedOffsets)
{
    // The walker also feeds dumps and comparisons: its names must sit at the same offsets.
    struct Collector
    {
        std::vector<std::pair<std::string, int64_t>> seen;
        void record(TableId, int) {}
        void u16(const char* n, int64_t o, const uint16_t&) { seen.emplace_back(n, o); }
        void i32(const char* n, int64_t o, const int32_t&) { seen.emplace_back(n, o); }
        void bytes(const char* n, int64_t o, const uint8_t*, int) { seen.emplace_back(n, o); }
        void skills(const char* n, int64_t o, const bool*) { seen.emplace_back(n, o); }
    } collector;
    auto tables = zeroedTables();
    const ScenarioTables& constTables = *tables;
    visitScenarioFields(constTables, collector);

    std::vector<std::pair<std::string, int64_t>> expected;
    for (const Field& f : documentedFields()) {
        std::string name = f.name;
        name = name.substr(name.find('.') + 1);
        if (f.width == Width::Mask)
            name = "Skills";
        for (int i = 0; i < f.records; ++i)
            expected.emplace_back(name, fieldStart(f, i));
    }
    auto byOffset = [](const auto& a, const auto& b) { return a.second < b.second; };
    std::sort(expected.begin(), expected.end(), byOffset);
    std::sort(collector.seen.begin(), collector.seen.end(), byOffset);
    EXPECT_EQ(collector.seen, expected);
}

} // namespace
} // namespace veldor
