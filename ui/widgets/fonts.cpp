#include "ui/widgets/fonts.h"

#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace veldor {
namespace {

const QStringList& fixedPitchFamilies()
{
    static const QStringList families{QStringLiteral("宋体"),
                                      QStringLiteral("SimSun"),
                                      QStringLiteral("NSimSun"),
                                      QStringLiteral("Noto Sans Mono CJK SC"),
                                      QStringLiteral("WenQuanYi Zen Hei Mono"),
                                      QStringLiteral("monospace")};
    return families;
}

} // namespace

QFont ListFont(int pixelSize)
{
    QFont font;
    font.setFamilies(fixedPitchFamilies());
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixelSize);
    return font;
}

QFont SongFont(int pixelSize, bool bold)
{
    QFont font = ListFont(pixelSize);
    font.setBold(bold);
    // The regular face drawn bold: the CJK fonts' bold face is a second file of several
    // megabytes to load at start-up, for marks that look the same at this size.
    if (bold)
        font.setStyleName(QStringLiteral("Regular"));
    return font;
}

int TextColumnsWidth(const QFont& font, int columns)
{
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(QString(columns, u'0'))));
}

} // namespace veldor
