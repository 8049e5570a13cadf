#include "data/format/scenariocodec.h"

#include "data/format/scenariolayout.h"
#include "data/format/skillmask.h"

#include <QtEndian>

#include <cstring>

namespace veldor {
namespace {

// Reads from the tables' bytes alone; offsets are the file's.
class Decoder
{
public:
    explicit Decoder(const char* tableBytes) : data_(tableBytes) {}

    void record(TableId, int) {}
    void u16(const char*, int64_t offset, uint16_t& value)
    {
        value = qFromLittleEndian<uint16_t>(at(offset));
    }
    void i32(const char*, int64_t offset, int32_t& value)
    {
        value = qFromLittleEndian<int32_t>(at(offset));
    }
    void bytes(const char*, int64_t offset, uint8_t* values, int count)
    {
        std::memcpy(values, at(offset), size_t(count));
    }
    void skills(const char*, int64_t offset, bool* flags)
    {
        UnpackSkillMask(qFromLittleEndian<uint32_t>(at(offset)), flags);
    }

private:
    const char* at(int64_t offset) const { return data_ + (offset - layout::kTablesBegin); }

    const char* data_;
};

class Encoder
{
public:
    explicit Encoder(QByteArray& bytes) : data_(bytes.data()) {}

    void record(TableId, int) {}
    void u16(const char*, int64_t offset, const uint16_t& value)
    {
        qToLittleEndian<uint16_t>(value, data_ + offset);
    }
    void i32(const char*, int64_t offset, const int32_t& value)
    {
        qToLittleEndian<int32_t>(value, data_ + offset);
    }
    void bytes(const char*, int64_t offset, const uint8_t* values, int count)
    {
        std::memcpy(data_ + offset, values, size_t(count));
    }
    void skills(const char*, int64_t offset, const bool* flags)
    {
        const uint32_t kept = qFromLittleEndian<uint32_t>(data_ + offset) & kUnusedSkillBit;
        qToLittleEndian<uint32_t>(PackSkillMask(flags) | kept, data_ + offset);
    }

private:
    char* data_;
};

} // namespace

void DecodeScenario(const QByteArray& bytes, ScenarioTables& tables)
{
    Q_ASSERT(bytes.size() >= layout::kMinFileSize);
    DecodeScenarioTables(bytes.constData() + layout::kTablesBegin, tables);
}

void DecodeScenarioTables(const char* tableBytes, ScenarioTables& tables)
{
    Decoder decoder(tableBytes);
    visitScenarioFields(tables, decoder);
}

void EncodeScenario(const ScenarioTables& tables, QByteArray& bytes)
{
    Q_ASSERT(bytes.size() >= layout::kMinFileSize);
    Encoder encoder(bytes);
    visitScenarioFields(tables, encoder);
}

} // namespace veldor
