#include "data/files/devicewrite.h"

#include "data/files/replaceoptions.h"
#include "data/files/savecalls.h"
#include "data/files/systemerror.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {

bool WriteToDevice(const QString& path, const QByteArray& bytes, QString& reason)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    const ReplaceOptions options;
    int error = fd < 0 ? errno : SaveCalls(options).writeAll(fd, bytes.constData(), bytes.size());
    if (fd >= 0 && ::close(fd) != 0 && error == 0)
        error = errno;
    if (error)
        reason = SystemReason(error);
    return error == 0;
}

bool IsSpecialFile(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode) &&
           !S_ISDIR(st.st_mode);
}

} // namespace veldor
