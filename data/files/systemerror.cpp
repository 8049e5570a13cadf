#include "data/files/systemerror.h"

#include <cstring>

namespace veldor {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace veldor
