#pragma once

#include <QColor>

namespace veldor {

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& color);

// WCAG 2 contrast ratio of two colours, 1 (same luminance) to 21 (black on white); symmetric.
double ContrastRatio(const QColor& a, const QColor& b);

} // namespace veldor
