#pragma once

#include <sys/stat.h>

namespace veldor {

// What tells one state of a file from another without reading it: which file it is and when
// its contents or status last changed. Any write moves the change time, which no program can
// set back, so a file with the same identity has the same contents.
struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    static FileIdentity Of(const struct stat& st)
    {
        return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    }

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

} // namespace veldor
