#pragma once

#include "data/format/fielddiff.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldor {

// A step's field changes as the history keeps them. Editors change one field of many records
// at once (a batch over all 800 persons), so the changes are kept per column: the records as a
// range where they follow each other, each old value in as few bytes as it needs, and a new
// value that the whole column shares stored once. Such a step takes about one byte a record
// where a list of FieldDifference takes sixteen.
class PackedChanges
{
public:
    PackedChanges() = default;
    explicit PackedChanges(const FieldDifferences& changes);

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The changes in the order DiffTables gives them: table, record, column.
    FieldDifferences Unpack() const;
    void Apply(ScenarioTables& tables, Direction direction) const;
    size_t MemoryUse() const;

private:
    struct Run
    {
        TableId table;
        uint16_t column;
        uint16_t firstRecord;
        uint32_t count;
        uint8_t recordWidth; // 0: the records follow each other from firstRecord
        uint8_t oldWidth;
        uint8_t newWidth; // 0: every record takes sharedNew
        int32_t sharedNew;
        size_t offset; // of the run's records, then old values, then new values, in bytes_
    };

    template <class Visit> void forEach(Visit visit) const;
    void pack(const FieldDifferences& changes, const std::vector<size_t>& column);

    std::vector<Run> runs_;
    std::vector<uint8_t> bytes_;
    size_t count_ = 0;
};

} // namespace veldor
