#include "tools/sce/sceoutput.h"

#include "data/files/replaceoptions.h"
#include "data/files/savecalls.h"
#include "data/files/systemerror.h"

namespace veldor {

SceOutputDevice::SceOutputDevice(int fd) : fd_(fd)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SceOutputDevice::writeData(const char* data, qint64 size)
{
    const ReplaceOptions plainCalls;
    if (const int error = SaveCalls(plainCalls).writeAll(fd_, data, size)) {
        setErrorString(SystemReason(error));
        return -1;
    }
    return size;
}

} // namespace veldor
