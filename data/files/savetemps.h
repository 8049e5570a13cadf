#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

// Every temporary file a save creates is named so: the prefix and six letters or digits.
QByteArray SaveTempPattern(); // for mkstemp: ends in XXXXXX
QByteArray RandomSaveTempName();
bool IsSaveTempName(const QByteArray& name);

// Removes the temporary files an interrupted save of this program left in `folder`: only
// regular files of our name pattern, owned by this user (any owner for root, whose saves hand
// the file to the scenario's owner), last changed before this call, and not held by a save that
// is still running. Anything else in the folder stays. A save calls it before it makes its own.
void RemoveStaleSaveTemps(const QString& folder);

} // namespace veldor
