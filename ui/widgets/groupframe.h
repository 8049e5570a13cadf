#pragma once

#include <QGroupBox>

namespace veldor {

// A group box drawn as the windows were laid out for: the caption sits on the frame's top
// line, half a text line down, so that controls placed right below the caption stay clear of
// it. Qt's own styles put the caption above the frame and push the frame a whole line lower,
// where it runs through controls placed at the top of the group.
class GroupFrame : public QGroupBox
{
    Q_OBJECT
public:
    GroupFrame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace veldor
