#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QAbstractButton;
class QWidget;

namespace veldor {

// Values the user put into a field or choice that only a flat button assigns, and has not
// assigned yet. Such a control is pending while its value differs from the one it was loaded
// with or last assigned; it is then tinted and its tool tip names the button that assigns it.
// Enter in a pending control presses its button. Pressing the button clears nothing by itself:
// the window calls markLoaded once the value has reached someone.
class PendingInputs : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // `control` is a QLineEdit or a QComboBox; pressing `button` assigns its value.
    void add(QWidget* control, QAbstractButton* button);

    // The controls' values now are what was loaded, so none is pending.
    void markLoaded();
    void markLoaded(QWidget* control);

    int count() const;
    bool isPending(const QWidget* control) const;
    // Presses the button of every pending control, in the order they were added.
    void assignAll();
    // Presses the button of `control` if it is pending.
    void assign(const QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Input
    {
        QWidget* control;
        QAbstractButton* button;
        QString loaded;
        bool shownPending;
    };

    static QString valueOf(const QWidget* control);
    bool pending(const Input& input) const;
    void showState(Input& input);
    Input* find(const QWidget* control);
    const Input* find(const QWidget* control) const;

    std::vector<Input> inputs_;
};

} // namespace veldor
