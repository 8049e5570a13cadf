#pragma once

#include <QComboBox>

namespace veldor {

// The drop-down every form uses. It takes the mouse wheel only while it has the keyboard focus:
// a wheel turned over it on the way past changes nothing and runs no rule, and the wheel no
// longer gives it the focus either (a click or Tab does).
class ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace veldor
