#pragma once

#include <QLatin1String>
#include <QString>

#include <charconv>
#include <cstdint>

namespace veldor {

// Appends `value` in decimal, as QString::number writes it, without the temporary string: the
// listings of diff and import write tens of thousands of numbers.
inline void AppendNumber(QString& text, int64_t value)
{
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    text.append(QLatin1String(digits, int(end.ptr - digits)));
}

} // namespace veldor
