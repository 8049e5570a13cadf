#pragma once

class QAbstractItemView;

namespace veldor {

// Gives every row of `view` the same height in pixels, independent of the font's line
// spacing: the CJK fonts found on most systems ask for half as much again as their glyphs
// need, which would cut the number of rows a list shows by a third.
void SetRowHeight(QAbstractItemView* view, int height);

} // namespace veldor
