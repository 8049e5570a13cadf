#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace veldor {

// Converts an edit field's text the way every numeric field reads it: leading blanks skipped,
// then a signed decimal that fits 32 bits, or (unsigned) a hexadecimal number of at most eight
// significant digits after '$', 'x', 'X', '0x' or '0X' whose 32 bits are taken as signed.
// Nothing may follow the number. Returns nothing when the text is no such number.
std::optional<int32_t> ParseInt32(const QString& text);

// The reader of every numeric edit field: an empty text gives 0, a text that is no number gives
// `fallback`, a number is clamped, the maximum tested first. Note the argument order.
int32_t ClampedNumber(int32_t fallback, const QString& text, int32_t maximum, int32_t minimum);

} // namespace veldor
