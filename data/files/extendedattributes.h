#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

// Copies every extended attribute of the file at `from` to the file open as `to`; POSIX ACLs
// travel with them, being attributes of the "system" namespace. Returns an empty string, or
// what could not be copied and why.
QString CopyExtendedAttributes(const QByteArray& from, int to);

} // namespace veldor
