#pragma once

#include "data/files/fileidentity.h"

#include <QString>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace veldor {

// The calls on files whose form differs between POSIX systems and Windows, in one shape for the
// code that reads, checks and writes scenarios. Files are C runtime descriptors on both; paths
// are QStrings, passed on Windows to the wide-character calls so that any name works. Each call
// returns 0 or the error (see systemerror.h).

// What the system says of a file.
struct FileStatus
{
    bool regular = false;
    bool directory = false;
    qint64 size = 0;
    quint64 links = 1;
    // Nobody may write it, whatever their rights: no write bit at all, or the read-only
    // attribute.
    bool readOnly = false;
    FileIdentity identity;
#ifndef _WIN32
    // Owner, group and mode, which a file that replaces this one keeps.
    struct stat posix
    {
    };
#endif
};

// Through links, as opening the path would.
int StatusOfPath(const QString& path, FileStatus& status);
int StatusOfFile(int fd, FileStatus& status);
// The path itself is a symbolic link (on Windows, any reparse point).
bool IsSymbolicLink(const QString& path);

// Opens an existing file without waiting for a writer (a FIFO) and without taking it as the
// controlling terminal. Others may go on reading, writing and replacing it meanwhile.
int OpenForReading(const QString& path, int& fd);
int OpenForWriting(const QString& path, int& fd);
void CloseFile(int fd);
// Whether this user may write the file, by every rule the system applies.
int CheckWriteAccess(const QString& path);

// Reads up to `size` bytes from `offset` on into `into`; the count read, which falls short only
// at the end of the file, or -1 with `error` set.
qint64 ReadAt(int fd, char* into, qint64 size, qint64 offset, int& error);
int SeekTo(int fd, qint64 offset);

} // namespace veldor
