#include "data/files/savetemps.h"

#include "data/files/windowspath.h"

#include <windows.h>

namespace veldor {
namespace {

bool olderThan(const FILETIME& a, const FILETIME& b)
{
    return ::CompareFileTime(&a, &b) < 0;
}

} // namespace

void RemoveStaleSaveTemps(const QString& folder)
{
    FILETIME started;
    ::GetSystemTimeAsFileTime(&started);
    const QString pattern = folder + QStringLiteral("/") + QString::fromLatin1(SaveTempPattern());
    WIN32_FIND_DATAW found;
    // The pattern's X's are no wildcards; `*` stands for them, and the name is checked below.
    const HANDLE search =
        ::FindFirstFileExW(WindowsPath(pattern.left(pattern.size() - 6) + QLatin1Char('*')),
                           FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        // A save still writing holds its file open without letting anyone delete it, so the
        // delete fails there and nothing else is needed to spare it. Links and folders stay.
        if (IsSaveTempName(name.toLatin1()) &&
            !(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
            olderThan(found.ftLastWriteTime, started))
            ::DeleteFileW(WindowsPath(folder + QLatin1Char('/') + name));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

} // namespace veldor
