#include "data/format/gbktable.h"

#include "data/format/gbktables.h"

#include <algorithm>

namespace veldor {

using namespace gbktables;

QString FromGbkByTable(const QByteArray& bytes)
{
    // No byte decodes to more than one code unit.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const int byte = in[i];
        if (byte < kFirstLead || byte > kLastLead) {
            *out++ = kDecodedByte[byte];
            ++i;
        } else if (i + 1 == size) {
            if (kLastLeadDecodes)
                *out++ = kDecodedLastLead;
            ++i;
        } else {
            const int lead = byte - kFirstLead;
            const int next = in[i + 1];
            *out++ = kDecodedPair[lead][next];
            i += (kPairReadsOneByte[lead][next / 8] >> (next % 8)) & 1 ? 1 : 2;
        }
    }
    text.truncate(out - reinterpret_cast<char16_t*>(text.data()));
    return text;
}

namespace {

char* put(char* out, std::uint16_t encoded)
{
    if (encoded == kNoBytes)
        return out;
    if (encoded > 0xFF)
        *out++ = char(encoded >> 8);
    *out++ = char(encoded & 0xFF);
    return out;
}

std::uint16_t encodedCodePoint(char32_t codePoint)
{
    const CodePointRun* end = kEncodedPairRuns + kEncodedPairRunCount;
    const CodePointRun* run = std::upper_bound(
        kEncodedPairRuns, end, codePoint,
        [](char32_t point, const CodePointRun& candidate) { return point < candidate.first; });
    return run[-1].encoded;
}

} // namespace

QByteArray ToGbkByTable(const QString& text)
{
    // No code unit encodes to more than two bytes.
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char* out = bytes.data();
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = in[i];
        if (QChar::isHighSurrogate(unit) && i + 1 < size) {
            if (QChar::isLowSurrogate(in[i + 1])) {
                out = put(out, encodedCodePoint(QChar::surrogateToUcs4(unit, in[i + 1])));
                ++i;
            } else {
                out = put(out, kEncodedLoneHigh);
            }
            continue;
        }
        out = put(out, kEncodedPage[kEncodedPageOf[unit >> 8]][unit & 0xFF]);
    }
    bytes.truncate(out - bytes.data());
    return bytes;
}

} // namespace veldor
