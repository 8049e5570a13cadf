#pragma once

#include "data/files/fileidentity.h"
#include "data/files/replaceoptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veldor {

// Real scenarios are under 1 MB; anything far larger is refused before it is read.
constexpr qint64 kMaxScenarioFileSize = qint64(64) << 20;

// Reads a whole scenario file after checking that it is a regular file of at least
// layout::kMinFileSize and at most kMaxScenarioFileSize bytes. On failure returns false, leaves
// `bytes` untouched and puts a message naming the file and the reason into `error`.
bool ReadScenarioFile(const QString& path, QByteArray& bytes, QString& error);

// Reads only the tables' bytes (layout::kTablesSize of them from layout::kTablesBegin on), after
// the same checks and with the same messages as ReadScenarioFile, into `file`, which is made as
// large as the file with the tables at their place, ready for ReadBytesOutsideTables; the rest of
// it is not set. `identity` receives the file's as it was opened.
bool ReadScenarioTables(const QString& path, QByteArray& file, FileIdentity& identity,
                        QString& error);

// Reads the bytes outside the tables of the file at `path` into `file` (as ReadScenarioTables left
// it), which then holds the whole file, but only while the file still has `identity`, the one it
// had when the tables were read. False where the file has changed, been replaced or gone since,
// or cannot be read; the bytes outside the tables in `file` are then not set.
bool ReadBytesOutsideTables(const QString& path, const FileIdentity& identity, QByteArray& file);

// How the tables' bytes of a file on disk compare with those given.
enum class TablesOnDisk { Same, Different, Unreadable };

// Compares the tables' bytes of the file at `path` with `tables` (layout::kTablesSize of them),
// after the same checks and with the same messages in `error` as ReadScenarioFile. They are read
// a piece at a time, so that no copy of them is held.
TablesOnDisk CompareTablesOnDisk(const QString& path, const char* tables, QString& error);

// The checks a save makes before it changes anything: the file exists, is a regular file of a
// scenario's size, and may be written, by its mode as well as for this user (root too is held
// to a file whose mode grants no write permission).
bool CheckScenarioWritable(const QString& path, QString& error);

// Replaces the contents of the existing file at `path` by `bytes`, which must be exactly as long
// as the file is now. The new contents are written to a fresh file in the same folder that then
// takes the old one's name, so an interrupted save never leaves a half-written scenario; it keeps
// the old file's mode, owner and group where this process may set them and says in `warning`
// where it may not. The bytes are written over the old ones in place only where the folder
// allows no new file (permission, read-only mount) and where the file has several names, which
// a replace would split. Never creates a file and never changes its length. `realPath` is
// `path` with its links resolved where the caller already has it (a save under the file's
// lock); an empty one is resolved here.
bool ReplaceScenarioFile(const QString& path, const QString& realPath, const QByteArray& bytes,
                         QString& error, const ReplaceOptions& options = {},
                         QString* warning = nullptr);

// The warning of a save that wrote the scenario at `path` but could not keep everything of the
// old file (`kept`: owner, mode, extended attributes).
QString SavedButNotKept(const QString& path, const QStringList& kept);

} // namespace veldor
