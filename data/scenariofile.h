#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

namespace veldor {

// Reads a whole scenario file after checking that it is a regular file of at least
// layout::kMinFileSize bytes. On failure returns false, leaves `bytes` untouched and puts a
// message naming the file and the reason into `error`.
bool ReadScenarioFile(const QString& path, QByteArray& bytes, QString& error);

struct ReplaceOptions
{
    // Flush the new contents to the disk before they take the file's place.
    bool sync = true;
    // Writes `size` bytes to the device and returns how many were written, or -1. A seam for
    // tests that need a failing disk; the default is QIODevice::write.
    std::function<qint64(QFileDevice&, const char*, qint64)> write;
};

// Replaces the contents of the existing file at `path` by `bytes`, which must be exactly as long
// as the file is now. The new contents are written to a fresh file in the same folder that then
// takes the old one's name, so an interrupted save never leaves a half-written scenario; only
// where the folder allows no new file are the bytes written over the old ones in place. Never
// creates a file and never changes its length.
bool ReplaceScenarioFile(const QString& path, const QByteArray& bytes, QString& error,
                         const ReplaceOptions& options = {});

} // namespace veldor
