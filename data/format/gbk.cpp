#include "data/format/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace veldor {

// Stateless: the default decoder silently drops a trailing lone lead byte, which would hide
// a cut name instead of showing a replacement character. Being stateless, one converter per
// thread serves every call: opening a converter costs several times the conversion of a name.
QString FromGbk(const QByteArray& bytes)
{
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray ToGbk(const QString& text)
{
    thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QByteArray CutGbk(const QByteArray& bytes, int maxBytes)
{
    int end = 0;
    while (end < bytes.size()) {
        const bool lead = static_cast<unsigned char>(bytes[end]) >= 0x81 && end + 1 < bytes.size();
        const int width = lead ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return bytes.left(end);
}

} // namespace veldor
