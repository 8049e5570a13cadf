// ParseInt32 and ClampedNumber against a reference that follows the documented rule step by
// step on plain ASCII strings. Input: 12 bytes of fallback, maximum and minimum, then the text.

#include "data/rules/clampednumber.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

bool allOf(const std::string& s, int (*test)(int))
{
    for (unsigned char c : s)
        if (!test(c))
            return false;
    return !s.empty();
}

std::string withoutLeadingZeros(const std::string& digits)
{
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

std::optional<int32_t> reference(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return std::nullopt; // no digit, sign or prefix lies outside ASCII
    std::string s = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    std::string hex;
    if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X'))
        hex = s.substr(1);
    else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        hex = s.substr(2);
    else {
        bool negative = false;
        if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
            negative = s[0] == '-';
            s = s.substr(1);
        }
        if (!allOf(s, isdigit))
            return std::nullopt;
        const std::string digits = withoutLeadingZeros(s);
        if (digits.size() > 10)
            return std::nullopt;
        const long long value = std::strtoll(digits.c_str(), nullptr, 10) * (negative ? -1 : 1);
        if (value < INT32_MIN || value > INT32_MAX)
            return std::nullopt;
        return int32_t(value);
    }
    if (!allOf(hex, isxdigit))
        return std::nullopt;
    const std::string digits = withoutLeadingZeros(hex);
    if (digits.size() > 8)
        return std::nullopt;
    return static_cast<int32_t>(uint32_t(std::strtoul(digits.c_str(), nullptr, 16)));
}

int32_t take32(const uint8_t* data)
{
    uint32_t v;
    std::memcpy(&v, data, 4);
    return static_cast<int32_t>(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 12)
        return 0;
    const int32_t fallback = take32(data), maximum = take32(data + 4), minimum = take32(data + 8);
    const std::string raw(reinterpret_cast<const char*>(data + 12), size - 12);
    const QString text = QString::fromUtf8(raw.data(), qsizetype(raw.size()));

    const std::optional<int32_t> parsed = veldor::ParseInt32(text);
    // The reference works on bytes; it is only comparable where the text is the bytes.
    if (text.toUtf8() == QByteArray(raw.data(), qsizetype(raw.size())) && parsed != reference(raw))
        std::abort();
    if (parsed && veldor::ParseInt32(QString::number(*parsed)) != parsed)
        std::abort();

    int32_t expected = parsed ? *parsed : (text.isEmpty() ? 0 : fallback);
    if (parsed) {
        if (expected > maximum)
            expected = maximum;
        else if (expected < minimum)
            expected = minimum;
    }
    if (veldor::ClampedNumber(fallback, text, maximum, minimum) != expected)
        std::abort();
    return 0;
}
