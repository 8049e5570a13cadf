#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace veldor {

// "-" given for a file: standard input where one is read, standard output where one is written.
bool IsStandardStream(const QString& path);

// How messages name a file given on the command line.
QString ShownInput(const QString& path);

// Far more than any scenario or table export holds, and small enough that a runaway pipe is
// refused before it fills the memory.
constexpr qint64 kStandardInputLimit = qint64(64) << 20;

// Reads `in` (standard input) to its end; on failure, or past kStandardInputLimit bytes,
// `error` says why.
bool ReadStandardInput(QIODevice* in, QByteArray& bytes, QString& error);

// Writes `bytes` to `path` through a temporary file that then takes its name, so a failed
// write leaves an older file of that name as it was. On failure `error` names the file and
// the reason.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error);

// Reads all of `path`; on failure `error` names the file and the reason.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& error);

// Text from a file a spreadsheet program may have written: UTF-8 with or without a byte order
// mark, or, where the bytes are not UTF-8, GBK as Chinese editions of such programs save it.
QString DecodeSpreadsheetText(const QByteArray& bytes);

// True when both paths name one existing file.
bool SameFile(const QString& a, const QString& b);

} // namespace veldor
