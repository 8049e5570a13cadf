#pragma once

#include <QDir>
#include <QString>

namespace veldor {

// A path as the wide-character calls of Windows take it: backslashes, and NUL-terminated UTF-16
// that lives as long as the object.
class WindowsPath
{
public:
    explicit WindowsPath(const QString& path) : native_(QDir::toNativeSeparators(path)) {}
    const wchar_t* get() const { return reinterpret_cast<const wchar_t*>(native_.utf16()); }
    operator const wchar_t*() const { return get(); }

private:
    QString native_;
};

} // namespace veldor
