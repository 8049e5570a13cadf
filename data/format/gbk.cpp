#include "data/format/gbk.h"

#ifdef VELDOR_GBK_TABLES
#include "data/format/gbktable.h"
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace veldor {

#ifdef VELDOR_GBK_TABLES

// This Qt has no GBK converter; the tables convert as the one on Linux does.
QString FromGbk(const QByteArray& bytes)
{
    return FromGbkByTable(bytes);
}

QByteArray ToGbk(const QString& text)
{
    return ToGbkByTable(text);
}

#else

// Stateless: the default converter keeps a lead byte left at the end of a text and puts it
// before the next text it converts. Stateless, one that ends a text is dropped (as is a high
// surrogate that ends one), and one converter per thread serves every call: opening a converter
// costs several times the conversion of a name.
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

#endif

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
