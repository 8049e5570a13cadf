#include "data/files/filelock.h"

#include "data/files/systemerror.h"

#include <QCryptographicHash>
#include <QDir>

#include <windows.h>

namespace veldor {

// A lock held on the scenario itself would stop its replacement by the new file, so the lock is
// a named mutex instead, one per real path: Windows compares names without case, and so does
// the key. The system releases it when its holder ends, even by a crash. It is the thread's that
// took it, which is the thread that releases it: a ScenarioLock lives within one call.
LockAttempt TryLockFile(const QString& realPath, intptr_t& token, int& reason)
{
    token = -1;
    const QByteArray key = QCryptographicHash::hash(
        QDir::toNativeSeparators(realPath).toCaseFolded().toUtf8(), QCryptographicHash::Sha1);
    const QString name =
        QStringLiteral("Local\\veldor-scenario-") + QString::fromLatin1(key.toHex());
    const HANDLE mutex =
        ::CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name.utf16()));
    if (!mutex) {
        reason = LastSystemError();
        return LockAttempt::Failed;
    }
    switch (::WaitForSingleObject(mutex, 0)) {
    case WAIT_OBJECT_0:
    // Its last holder ended without releasing it: the file is as that program left it.
    case WAIT_ABANDONED:
        token = intptr_t(mutex);
        return LockAttempt::Locked;
    case WAIT_TIMEOUT:
        ::CloseHandle(mutex);
        return LockAttempt::Busy;
    default:
        reason = LastSystemError();
        ::CloseHandle(mutex);
        return LockAttempt::Failed;
    }
}

void ReleaseFileLock(intptr_t token)
{
    if (token == -1)
        return;
    ::ReleaseMutex(HANDLE(token));
    ::CloseHandle(HANDLE(token));
}

} // namespace veldor
