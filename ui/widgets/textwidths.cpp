#include "ui/widgets/textwidths.h"

namespace veldor {

int TextWidths::Of(const QString& text)
{
    const auto known = widths_.constFind(text);
    if (known != widths_.cend())
        return *known;
    const int width = metrics_.horizontalAdvance(text);
    widths_.insert(text, width);
    return width;
}

} // namespace veldor
