#include "data/files/extendedattributes.h"

#include "data/files/systemerror.h"

#include <QByteArray>
#include <QStringList>

#include <cerrno>
#include <sys/xattr.h>

namespace veldor {
namespace {

// The list of names, NUL-separated; grows when another process adds one meanwhile.
int attributeNames(const char* path, QByteArray& names)
{
    for (;;) {
        const ssize_t size = ::listxattr(path, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? 0 : errno;
        names.resize(size);
        const ssize_t got = ::listxattr(path, names.data(), size_t(names.size()));
        if (got >= 0) {
            names.truncate(got);
            return 0;
        }
        if (errno != ERANGE)
            return errno;
    }
}

int copyOne(const char* from, int to, const char* name)
{
    QByteArray value;
    for (;;) {
        const ssize_t size = ::getxattr(from, name, nullptr, 0);
        if (size < 0)
            return errno == ENODATA ? 0 : errno;
        value.resize(size);
        const ssize_t got = ::getxattr(from, name, value.data(), size_t(value.size()));
        if (got >= 0) {
            value.truncate(got);
            break;
        }
        if (errno != ERANGE)
            return errno;
    }
    // The system may have given the new file the same value already (an SELinux label), which
    // this user might not be allowed to set.
    QByteArray present(value.size(), '\0');
    if (::fgetxattr(to, name, present.data(), size_t(present.size())) == value.size() &&
        present == value)
        return 0;
    return ::fsetxattr(to, name, value.constData(), size_t(value.size()), 0) == 0 ? 0 : errno;
}

} // namespace

QString CopyExtendedAttributes(const QByteArray& from, int to)
{
    QByteArray names;
    if (const int error = attributeNames(from.constData(), names))
        return QStringLiteral("无法读出文件的扩展属性：%1").arg(SystemReason(error));
    QStringList failed;
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        if (const int error = copyOne(from.constData(), to, name.constData()))
            failed << QStringLiteral("%1（%2）")
                          .arg(QString::fromLocal8Bit(name), SystemReason(error));
    }
    if (failed.isEmpty())
        return {};
    return QStringLiteral("无法保留文件的扩展属性 %1").arg(failed.join(QStringLiteral("、")));
}

} // namespace veldor
