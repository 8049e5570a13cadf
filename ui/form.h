#pragma once

#include <QDialog>

class QAbstractButton;
class QLabel;

namespace veldor {

// Base of the editor and About windows: a fixed-size dialog shown modally from the main window.
// FormShow runs each time the window is shown (not when it is merely uncovered), before it
// is painted.
class Form : public QDialog
{
    Q_OBJECT
public:
    Form(const QString& objectName, const QString& caption, int clientWidth, int clientHeight,
         QWidget* parent = nullptr);

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
};

// Layout helpers for the forms' fixed geometry.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top);
void Place(QWidget* widget, const QString& name, int left, int top, int width, int height);
void SetFontColor(QWidget* widget, const QColor& color);

} // namespace veldor
