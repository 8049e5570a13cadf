#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

// Writes `bytes` to `path` through a temporary file that then takes its name, so a failed
// write leaves an older file of that name as it was, mode and owner included. A device or a
// pipe is written to directly. On failure `error` names the file and the real reason.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error);

// Reads all of `path`, which may be a pipe or a device, refusing it once it passes `limit`
// bytes; on failure `error` names the file and the reason.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 limit);

// True when both paths name one existing file.
bool SameFile(const QString& a, const QString& b);

} // namespace veldor
