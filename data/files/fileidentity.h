#pragma once

#include <QtGlobal>

namespace veldor {

// What tells one state of a file from another without reading it: which file it is (its
// device or volume and its number there) and when its contents or status last changed. Any
// write moves the change time, which no program can set back, so a file with the same identity
// has the same contents.
struct FileIdentity
{
    quint64 device = 0;
    quint64 file = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && file == other.file && size == other.size &&
               modifiedNs == other.modifiedNs && changedNs == other.changedNs;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

} // namespace veldor
