#pragma once

#include <QString>

namespace veldor {

// A failure as the system reported it: an errno value, or on Windows an error code of the
// Windows API marked by WindowsError so the two never mix. 0 is no failure.
#ifdef _WIN32
int WindowsError(unsigned long code);
#endif

// The error of the system call that just failed: errno, or on Windows GetLastError() for the
// Windows API's calls (the C runtime's calls set errno there too).
int LastSystemError();

// The file or a folder on its path does not exist.
bool IsMissingFileError(int error);

// The system's own words for an error, for messages that name the real reason.
QString SystemReason(int error);

} // namespace veldor
