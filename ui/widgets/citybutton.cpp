#include "ui/widgets/citybutton.h"

#include "ui/widgets/buttoncaptions.h"
#include "ui/widgets/contrast.h"

#include <QApplication>
#include <QStyleOptionButton>
#include <QStylePainter>
#ifdef Q_OS_WIN
#include <QStyleFactory>
#endif

#include <algorithm>
#include <vector>

namespace veldor {
namespace {

// WCAG's figure for large text (the marks are bold 13-pixel characters) is 3:1; the margin
// above it covers the shading that styles give a face (Fusion's darkens towards the bottom).
constexpr double kReadableContrast = 3.5;

// A face as light as a face can be, and the ink of the map's frame.
const QColor kLightFace(Qt::white);
const QColor kDarkFace(0x2A, 0x26, 0x22);

// The palette the face of a button is drawn with: the button's own with its face colour, and
// the text colours it shares with its neighbours in place of its own, which a face does not
// show. Styles keep drawn faces in a cache that knows palettes by their identity; each city
// button has a palette of its own (its text colour), so no face was ever found there and every
// paint drew all fifty anew. Buttons whose faces look alike now hand the style one and the same
// palette. The few kinds of face there are stay listed; a changed desktop palette makes new ones.
QPalette facePalette(const QPalette& own, const QPalette& neighbours)
{
    static std::vector<QPalette> known;
    QPalette wanted = own;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Disabled, QPalette::Inactive})
        for (const QPalette::ColorRole role :
             {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
            wanted.setColor(group, role, neighbours.color(group, role));
    QPalette found = wanted;
    const auto same = std::find(known.begin(), known.end(), wanted);
    if (same != known.end()) {
        found = *same;
    } else {
        constexpr size_t kKept = 16;
        if (known.size() == kKept)
            known.erase(known.begin());
        known.push_back(wanted);
    }
    found.setCurrentColorGroup(own.currentColorGroup());
    return found;
}

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

CityButton::CityButton(const QString& text, QWidget* parent, ButtonCaptions* captions)
    : QPushButton(text, parent), captions_(captions)
{
#ifdef Q_OS_WIN
    // Windows' own styles draw a button's face from the desktop's theme, not from the palette,
    // so a white caption would stand on a white face; Fusion draws the face chosen here.
    static QStyle* const paletteFaces = QStyleFactory::create(QStringLiteral("fusion"));
    setStyle(paletteFaces);
#endif
}

void CityButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QPalette& palette = option.palette;
    palette.setColor(QPalette::Button, CityButtonFace(palette.color(QPalette::ButtonText),
                                                      palette.color(QPalette::Button)));
    // A push button as the style draws one (face, caption, focus frame), the face with a
    // palette the style's cache recognises.
    QStyleOptionButton face = option;
    face.palette = facePalette(palette, parentWidget() != nullptr ? parentWidget()->palette()
                                                                  : QApplication::palette());
    painter.drawControl(QStyle::CE_PushButtonBevel, face);
    QStyleOptionButton caption = option;
    caption.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (captions_ == nullptr || !captions_->Draw(&painter, caption, this))
        painter.drawControl(QStyle::CE_PushButtonLabel, caption);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace veldor
