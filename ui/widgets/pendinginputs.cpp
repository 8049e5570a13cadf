#include "ui/widgets/pendinginputs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace veldor {
namespace {

const QColor kPendingTint(0xFF, 0xF0, 0xB0);

} // namespace

void PendingInputs::add(QWidget* control, QAbstractButton* button)
{
    inputs_.push_back({control, button, valueOf(control), false});
    const auto update = [this, control] {
        if (Input* input = find(control))
            showState(*input);
    };
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, update);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        connect(combo, &QComboBox::currentIndexChanged, this, update);
    control->installEventFilter(this);
}

bool PendingInputs::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto* control = qobject_cast<QWidget*>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isPending(control)) {
            // A disabled button (no marked row) takes the key and assigns nothing.
            assign(control);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QString PendingInputs::valueOf(const QWidget* control)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return QString::number(combo->currentIndex());
    return {};
}

PendingInputs::Input* PendingInputs::find(const QWidget* control)
{
    return const_cast<Input*>(std::as_const(*this).find(control));
}

const PendingInputs::Input* PendingInputs::find(const QWidget* control) const
{
    for (const Input& input : inputs_)
        if (input.control == control)
            return &input;
    return nullptr;
}

bool PendingInputs::isPending(const QWidget* control) const
{
    const Input* input = find(control);
    return input && pending(*input);
}

void PendingInputs::assign(const QWidget* control)
{
    if (isPending(control))
        find(control)->button->click();
}

bool PendingInputs::pending(const Input& input) const
{
    return valueOf(input.control) != input.loaded;
}

void PendingInputs::showState(Input& input)
{
    const bool isPending = pending(input);
    if (isPending == input.shownPending)
        return;
    input.shownPending = isPending;
    // Only the tint and the tip are ours; the rest of the look stays inherited.
    QPalette palette = input.control->parentWidget()->palette();
    if (isPending) {
        palette.setColor(QPalette::Base, kPendingTint);
        palette.setColor(QPalette::Button, kPendingTint);
    }
    input.control->setPalette(palette);
    input.control->setToolTip(
        isPending
            ? QStringLiteral("尚未应用：按“%1”按钮把它应用到选中的武将。").arg(input.button->text())
            : QString());
}

void PendingInputs::markLoaded()
{
    for (Input& input : inputs_) {
        input.loaded = valueOf(input.control);
        showState(input);
    }
}

void PendingInputs::markLoaded(QWidget* control)
{
    if (Input* input = find(control)) {
        input->loaded = valueOf(control);
        showState(*input);
    }
}

int PendingInputs::count() const
{
    int n = 0;
    for (const Input& input : inputs_)
        n += pending(input) ? 1 : 0;
    return n;
}

void PendingInputs::assignAll()
{
    // Collected first: pressing one button can change what another control shows.
    std::vector<QAbstractButton*> buttons;
    for (const Input& input : inputs_)
        if (pending(input))
            buttons.push_back(input.button);
    for (QAbstractButton* button : buttons)
        button->click();
}

} // namespace veldor
