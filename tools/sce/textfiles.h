#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

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
