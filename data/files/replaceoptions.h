#pragma once

#include <cstddef>
#include <memory>
#include <sys/types.h>

namespace veldor {

// The steps of a save, in order, for tests that make one of them fail.
enum class SaveStep { CreateTemp, Write, Own, Mode, Sync, Publish, SyncFolder, WriteInPlace };

// The disk as a save sees it: the calls a test replaces to make a disk that fails or records.
// The program uses these, the system's own calls, that fail nowhere of their own accord.
class DiskCalls
{
public:
    virtual ~DiskCalls() = default;
    virtual ssize_t write(int fd, const void* data, size_t size) const;
    virtual int fsync(int fd) const;
    // The errno that `step` is to fail with before it runs, or 0 to let it run.
    virtual int failureAt(SaveStep) const { return 0; }
};

struct ReplaceOptions
{
    // Flush the new contents to the disk before they take the file's place.
    bool sync = true;
    // The disk written to; the system's own when unset.
    std::shared_ptr<const DiskCalls> disk;
};

} // namespace veldor
