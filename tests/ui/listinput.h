#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <Qt>

class QWidget;

namespace veldor {
class ListBox;
}

namespace veldor::test {

// Input as the user gives it, for the lists' tests.

// Clicks `row` (scrolled into view first) with any button and modifiers.
void ClickRow(ListBox* list, int row, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers modifiers = {});
// A key that types `text` (any script), as the keyboard delivers it.
void TypeText(QWidget* widget, const QString& text);
// Text committed by an input method (a Chinese character chosen in the IME).
void CommitText(QWidget* widget, const QString& text);
// One notch of the mouse wheel over the middle of `widget`, as the window system delivers it
// (so Qt's focus-by-wheel rules apply); `up` turns it away from the user.
void TurnWheel(QWidget* widget, bool up);

// The number of pixels in which what the screen shows of `widget` (after pending paints)
// differs from a fresh render of it.
int PaintedDifference(QWidget* widget);
// What the screen shows of `widget`, for telling that a change is visible at all.
QImage ShownPicture(QWidget* widget);
int PixelDifference(const QImage& a, const QImage& b);
// The same, counting only the pixels inside `within`.
int PixelDifference(const QImage& a, const QImage& b, const QRegion& within);

} // namespace veldor::test
