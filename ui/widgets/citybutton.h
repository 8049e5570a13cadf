#pragma once

#include <QPushButton>

namespace veldor {

class ButtonCaptions;

// A city's button on the map. Its caption keeps the palette's button-text colour, the force's
// own; the face behind it is the style's where that colour reads well against it, and
// otherwise white or a dark shade, so that every mark reads at a glance whatever the
// desktop's palette.
class CityButton : public QPushButton
{
    Q_OBJECT
public:
    // `captions`, shared by the map's buttons and living as long as they do, draws the
    // caption from a line shaped once per distinct text; without it the style shapes each.
    CityButton(const QString& text, QWidget* parent = nullptr, ButtonCaptions* captions = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ButtonCaptions* captions_;
};

// The face a caption of colour `mark` is drawn on, given the style's own face `face`.
QColor CityButtonFace(const QColor& mark, const QColor& face);

} // namespace veldor
