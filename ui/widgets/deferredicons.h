#pragma once

#include <QIcon>

#include <functional>

class QWidget;

namespace veldor {

// While one of these lives, icons made from image files (QIcon::addFile) keep only the files'
// names and read them when first drawn or measured. A menu bar reads the icon of its
// extension button (shown only when the menus do not fit) in its constructor: reading the
// image files there loaded Qt's image format plugins, a tenth of the window's start-up.
class DeferredIcons
{
public:
    DeferredIcons();
    ~DeferredIcons();
    DeferredIcons(const DeferredIcons&) = delete;
    DeferredIcons& operator=(const DeferredIcons&) = delete;

    // For tests: icons made deferred in this process, and how many of them were read since.
    static int Made();
    static int Read();
};

// Gives `button` the icon `loaded` makes as it is first shown, so that from then on it has
// the icon exactly as it would have had it from the start.
void LoadIconWhenShown(QWidget* button, std::function<QIcon()> loaded);

} // namespace veldor
