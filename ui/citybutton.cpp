#include "ui/citybutton.h"

#include "ui/contrast.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace veldor {
namespace {

// WCAG's figure for large text (the marks are bold 13-pixel characters) is 3:1; the margin
// above it covers the shading that styles give a face (Fusion's darkens towards the bottom).
constexpr double kReadableContrast = 3.5;

// A face as light as a face can be, and the ink of the map's frame.
const QColor kLightFace(Qt::white);
const QColor kDarkFace(0x2A, 0x26, 0x22);

} // namespace

QColor CityButtonFace(const QColor& mark, const QColor& face)
{
    // The style's own face wherever it will do, so most buttons look as the style draws them;
    // then white, which keeps a button light; the dark face only where neither reads.
    for (const QColor& candidate : {face, kLightFace})
        if (ContrastRatio(mark, candidate) >= kReadableContrast)
            return candidate;
    return kDarkFace;
}

CityButton::CityButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void CityButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QPalette& palette = option.palette;
    palette.setColor(QPalette::Button, CityButtonFace(palette.color(QPalette::ButtonText),
                                                      palette.color(QPalette::Button)));
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace veldor
