#pragma once

#include <QFont>

namespace veldor {

// The lists' fixed-pitch font: a Chinese character exactly as wide as two ASCII characters, so
// rows padded by GBK byte count line up. No "宋体" exists on most Linux systems and fontconfig
// would substitute a proportional font for it, hence a family list.
QFont ListFont(int pixelSize = 13);

// The windows' own text font ("宋体" where it exists, a CJK font otherwise).
QFont SongFont(int pixelSize = 13, bool bold = false);

// Width in pixels of `columns` ASCII characters of `font`.
int TextColumnsWidth(const QFont& font, int columns);

} // namespace veldor
