#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

// Writes `bytes` into the existing device or pipe at `path` as it is: no temporary file, which
// would replace the node with a regular file, and no creating or truncating. On failure
// `reason` is the system's.
bool WriteToDevice(const QString& path, const QByteArray& bytes, QString& reason);

// A device, a pipe or a socket: something a write must go into, not replace.
bool IsSpecialFile(const QString& path);

} // namespace veldor
