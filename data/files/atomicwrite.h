#pragma once

#include "data/files/replaceoptions.h"
#include "data/files/systemfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veldor {

enum class AtomicWrite {
    Written,
    // The folder takes no new file (permission, a read-only mount) or, sticky, lets none take
    // another owner's file's name. Nothing was changed.
    FolderRefused,
    // Nothing was changed; `reason` says why.
    Failed,
};

// Writes `bytes` to a new file beside `target` that then takes its name, so that a crash at
// any moment leaves either the old file or the new one and no stray temporary file. `like` is
// the file being replaced: the new one gets its mode, owner and group wherever this process
// may set them, and `warnings` says what it may not. Without `like` the new file gets the
// mode a newly created file gets. `target` must be the real path, not a symlink to it. Where
// `likePath` names the file `like` describes, the new file gets its extended attributes (and
// so its ACLs) too. On Windows the new file takes over the old one's security, attributes and
// streams as the system's own replace gives them; there is no owner or mode to warn about.
AtomicWrite WriteFileAtomically(const QString& target, const QByteArray& bytes,
                                const FileStatus* like, const ReplaceOptions& options,
                                QString& reason, QStringList& warnings,
                                const QString& likePath = {});

} // namespace veldor
