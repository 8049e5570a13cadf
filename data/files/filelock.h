#pragma once

#include <QString>

#include <cstdint>

namespace veldor {

// The system's lock that keeps two programs from writing one scenario at once, as ScenarioLock
// takes it: without waiting, so that the caller decides how long to try.
enum class LockAttempt {
    Locked,
    // Another program holds it.
    Busy,
    // Nothing to lock (the file is gone) or no lock to be had there; the read that follows says
    // what is wrong, if anything.
    Unlockable,
    // `reason` says why.
    Failed,
};

// `realPath` is the file's real path, links resolved. `token` receives what ReleaseFileLock
// takes back (for Locked only; -1 otherwise).
LockAttempt TryLockFile(const QString& realPath, intptr_t& token, int& reason);
void ReleaseFileLock(intptr_t token);

} // namespace veldor
