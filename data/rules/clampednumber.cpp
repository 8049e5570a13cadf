#include "data/rules/clampednumber.h"

namespace veldor {
namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::optional<int32_t> parseHex(const QString& text, int pos)
{
    if (pos >= text.size())
        return std::nullopt;
    uint32_t value = 0;
    int significant = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigit(text[pos]);
        if (digit < 0)
            return std::nullopt;
        if (significant > 0 || digit != 0)
            ++significant;
        if (significant > 8)
            return std::nullopt;
        value = (value << 4) | uint32_t(digit);
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> parseDecimal(const QString& text, int pos)
{
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos >= text.size())
        return std::nullopt;
    const int64_t limit = negative ? int64_t(INT32_MAX) + 1 : INT32_MAX;
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char16_t u = text[pos].unicode();
        if (u < '0' || u > '9')
            return std::nullopt;
        value = value * 10 + (u - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

} // namespace

std::optional<int32_t> ParseInt32(const QString& text)
{
    int pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    if (pos < text.size()) {
        const QChar c = text[pos];
        if (c == u'$' || c == u'x' || c == u'X')
            return parseHex(text, pos + 1);
        if (c == u'0' && pos + 1 < text.size() && (text[pos + 1] == u'x' || text[pos + 1] == u'X'))
            return parseHex(text, pos + 2);
    }
    return parseDecimal(text, pos);
}

int32_t ClampedNumber(int32_t fallback, const QString& text, int32_t maximum, int32_t minimum)
{
    const std::optional<int32_t> parsed = ParseInt32(text);
    if (!parsed)
        return text.isEmpty() ? 0 : fallback;
    if (*parsed > maximum)
        return maximum;
    if (*parsed < minimum)
        return minimum;
    return *parsed;
}

} // namespace veldor
