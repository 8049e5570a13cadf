#pragma once

#include <cstddef>
#include <functional>
#include <sys/types.h>

namespace veldor {

// The steps of a save, in order, for tests that make one of them fail.
enum class SaveStep { CreateTemp, Write, Own, Mode, Sync, Publish, SyncFolder, WriteInPlace };

struct ReplaceOptions
{
    // Flush the new contents to the disk before they take the file's place.
    bool sync = true;
    // Seams for tests that need a failing or recording disk; unset means ::write and ::fsync.
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    // Returns the errno that `step` is to fail with, or 0 to let it run.
    std::function<int(SaveStep step)> failAt;
};

} // namespace veldor
