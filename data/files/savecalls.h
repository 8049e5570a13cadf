#pragma once

#include "data/files/replaceoptions.h"

#include <QByteArray>

namespace veldor {

// The system calls of a save, on the disk ReplaceOptions names. Each returns 0 or the errno that
// describes the failure.
class SaveCalls
{
public:
    explicit SaveCalls(const ReplaceOptions& options);

    bool syncing() const { return options_.sync; }
    int injected(SaveStep step) const { return disk_.failureAt(step); }
    // Writes all of `bytes` from the file position; a short write is followed up, so a full
    // disk is told by ENOSPC and not by a count that falls short.
    int writeAll(int fd, const char* data, qint64 size) const;
    // fsync, failing as `step` where a test asks for it.
    int sync(int fd, SaveStep step = SaveStep::Sync) const;

private:
    const ReplaceOptions& options_;
    const DiskCalls& disk_;
};

} // namespace veldor
