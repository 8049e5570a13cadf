#pragma once

#include "ui/windows/form.h"

namespace veldor {

// A fixed page: the edition, what is new in it, and notes on using the editor.
class TFAbout : public Form
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);
};

// The About window's caption.
QString AboutCaption();

} // namespace veldor
