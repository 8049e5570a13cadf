#pragma once

#include <QDialog>

#include <functional>

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

    // Escape, the close box and the cancel buttons end here. When the window holds edits not
    // yet applied, DiscardEditsQuestion asks first: apply them and close, drop them and close,
    // or stay.
    void reject() override;

    // Runs each time Apply or OK has written the window's edits to the store.
    void setApplied(std::function<void()> applied) { applied_ = std::move(applied); }

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;

    // Whether closing without applying would lose something the user did.
    virtual bool hasUnappliedEdits() const { return false; }
    // Applies the edits, as the user chose on closing; false when the user chose to stay.
    virtual bool applyEdits() { return true; }
    // Drops the edits before the window closes unapplied.
    virtual void dropEdits() {}
    // Tells whoever asked that the store now holds the window's edits.
    void reportApplied() const
    {
        if (applied_)
            applied_();
    }

private:
    std::function<void()> applied_;
};

// Layout helpers for the forms' fixed geometry.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top);
void Place(QWidget* widget, const QString& name, int left, int top, int width, int height);
void SetFontColor(QWidget* widget, const QColor& color);

} // namespace veldor
