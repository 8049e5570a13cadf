#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>

namespace veldor {

// Every temporary file a save creates is named so: the prefix and six letters or digits.
QByteArray SaveTempPattern(); // for mkstemp: ends in XXXXXX
QByteArray RandomSaveTempName();
bool IsSaveTempName(const QByteArray& name);

// Removes the temporary files an interrupted save of this program left in `folder`: only
// regular files of our name pattern, owned by this user (any owner for root, whose saves hand
// the file to the scenario's owner), last changed before `started`, and not locked by a save
// that is still running. Anything else in the folder stays.
void RemoveStaleSaveTemps(const QString& folder, const timespec& started);

} // namespace veldor
