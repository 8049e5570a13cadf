#pragma once

#include <QIODevice>

namespace veldor {

// An output file descriptor (standard output) as a device that writes straight through, so
// that a write the system refuses (a full disk, a closed pipe) fails with its reason instead of
// vanishing in a buffer that is never checked.
class SceOutputDevice : public QIODevice
{
public:
    explicit SceOutputDevice(int fd);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    int fd_;
};

} // namespace veldor
