#pragma once

#include <QStringList>

namespace veldor {

// A window's fixed item texts, kept in the source as one line with a space between items.
inline QStringList SplitItemTexts(const char* utf8)
{
    return QString::fromUtf8(utf8).split(u' ');
}

} // namespace veldor
