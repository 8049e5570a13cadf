#include "ui/citybutton.h"

#include "ui/contrast.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace veldor {
namespace {

// WCAG's figure for large text; the marks are bold 13-pixel characters.
constexpr double kReadableContrast = 3.0;

// The two shades a face turns to: the ink and the paper of the map. Between them every colour
// reaches at least 3.6:1 against one or the other.
const QColor kDarkFace(0x2A, 0x26, 0x22);
const QColor kLightFace(0xF7, 0xF4, 0xEC);

} // namespace

QColor CityButtonFace(const QColor& mark, const QColor& face)
{
    if (ContrastRatio(mark, face) >= kReadableContrast)
        return face;
    return ContrastRatio(mark, kDarkFace) >= ContrastRatio(mark, kLightFace) ? kDarkFace
                                                                             : kLightFace;
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
