#pragma once
// A disk whose calls a test chooses one by one: a write that fails, an fsync that records, a
// step that fails with a given errno. Every call a test leaves alone is the system's.

#include "data/files/replaceoptions.h"
#include "data/session/scenariostore.h"

#include <functional>
#include <memory>

namespace veldor::test {

struct TestDisk : DiskCalls
{
    std::function<ssize_t(int fd, const void* data, size_t size)> onWrite;
    std::function<int(int fd)> onFsync;
    std::function<int(SaveStep step)> onStep;

    ssize_t write(int fd, const void* data, size_t size) const override
    {
        return onWrite ? onWrite(fd, data, size) : DiskCalls::write(fd, data, size);
    }
    int fsync(int fd) const override { return onFsync ? onFsync(fd) : DiskCalls::fsync(fd); }
    int failureAt(SaveStep step) const override { return onStep ? onStep(step) : 0; }
};

// The test disk `options` write to, given to them on first use.
inline TestDisk& TestDiskOf(ReplaceOptions& options)
{
    if (auto disk = std::dynamic_pointer_cast<const TestDisk>(options.disk))
        return const_cast<TestDisk&>(*disk);
    auto disk = std::make_shared<TestDisk>();
    options.disk = disk;
    return *disk;
}

// One save of `store` on the disk `options` give, after which it saves on the system's again.
inline bool SaveWith(ScenarioStore& store, const ReplaceOptions& options, QString& error,
                     QString* warning = nullptr)
{
    store.File().SetReplaceOptions(options);
    const bool saved = store.Save(error, warning);
    store.File().SetReplaceOptions({});
    return saved;
}

} // namespace veldor::test
