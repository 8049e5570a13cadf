#include "ui/widgets/combobox.h"

#include <QWheelEvent>

namespace veldor {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    // Qt's default, WheelFocus, would hand the focus to the drop-down under a turning wheel.
    setFocusPolicy(Qt::StrongFocus);
}

void ComboBox::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore(); // for the window behind it
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace veldor
