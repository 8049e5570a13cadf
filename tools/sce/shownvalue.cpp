#include "tools/sce/shownvalue.h"

namespace veldor {
namespace {

// C0, DEL and C1 controls, and the format characters that reorder or hide text on a terminal
// (bidirectional overrides, zero-width characters).
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || QChar::category(c) == QChar::Other_Format;
}

void appendEscaped(QString& out, char32_t c)
{
    if (c < 0x100)
        out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\u{%1}").arg(uint(c), 4, 16, QLatin1Char('0'));
}

QString escaped(const QString& text, qsizetype limit)
{
    QString out;
    qsizetype characters = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (characters++ == limit)
            return out + QStringLiteral("……（共 %1 个字符）").arg(text.size());
        char32_t c = text[k].unicode();
        if (text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(text[k], text[k + 1]);
        if (isControl(c))
            appendEscaped(out, c);
        else
            out += text.mid(k, QChar::requiresSurrogates(c) ? 2 : 1);
        if (QChar::requiresSurrogates(c))
            ++k;
    }
    return out;
}

} // namespace

QString ShownValue(const QString& text)
{
    return escaped(text, kShownValueLength);
}

QString WithoutControls(const QString& text)
{
    return escaped(text, -1);
}

} // namespace veldor
