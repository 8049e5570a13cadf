#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <Qt>

class QComboBox;
class QWidget;

namespace veldor {
class ListBox;
}

namespace veldor::test {

// Input as the user gives it, and what the screen then shows.

// Clicks `row` (scrolled into view first) with any button and modifiers.
void ClickRow(ListBox* list, int row, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers modifiers = {});
// Opens the drop-down and clicks its entry `entry`, as a user picks it.
void ChooseEntry(QComboBox* combo, int entry);
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
