#pragma once

#include <QLabel>

namespace veldor {

// Whole device pixels per window pixel that the map picture is made for on a screen of the
// given device pixel ratio: 2 wherever the ratio is above 1, else 1.
int MapPictureScale(qreal devicePixelRatio);

// Image1: the map picture, shown unscaled from its top-left corner and cut by the control.
// It is shown in the resolution that suits the screen the window is on, and changes it when
// the window moves to a screen that needs the other one.
class MapImage : public QLabel
{
    Q_OBJECT
public:
    explicit MapImage(QWidget* parent = nullptr);

    // Shows `picture`, made at `scale`; a null picture leaves the plain background.
    void setPicture(const QImage& picture, int scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int scale_ = 0;
};

} // namespace veldor
