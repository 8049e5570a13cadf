#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace veldor {

// "-" given for a file: standard input where one is read, standard output where one is written.
bool IsStandardStream(const QString& path);

// How messages name a file given on the command line.
QString ShownInput(const QString& path);

// Far more than any scenario or table export holds, and small enough that a runaway pipe or
// device is refused before it fills the memory.
constexpr qint64 kStandardInputLimit = qint64(64) << 20;

// Reads `in` (standard input) to its end; on failure, or past kStandardInputLimit bytes,
// `error` says why.
bool ReadStandardInput(QIODevice* in, QByteArray& bytes, QString& error);

// Writes `bytes` to `path` through a temporary file that then takes its name, so a failed
// write leaves an older file of that name as it was, mode and owner included. A device or a
// pipe is written to directly. On failure `error` names the file and the real reason.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error);

// Reads all of the regular file `path`, refusing it once it passes `limit` bytes, and refusing
// anything else (a pipe, a device) before waiting on it; on failure `error` names the file and
// the reason.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 limit);

// True when both paths name one existing file.
bool SameFile(const QString& a, const QString& b);

} // namespace veldor
