#pragma once

#include <QFontMetrics>
#include <QHash>
#include <QString>

namespace veldor {

// Widths of texts in one font, each text measured once: sizing many columns measures the
// same numbers and choices again and again, and each measurement shapes the text anew.
class TextWidths
{
public:
    explicit TextWidths(const QFont& font) : metrics_(font) {}

    // As QFontMetrics::horizontalAdvance.
    int Of(const QString& text);

private:
    QFontMetrics metrics_;
    QHash<QString, int> widths_;
};

} // namespace veldor
