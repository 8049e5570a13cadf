#include "ui/windows/form.h"

#include "ui/widgets/fonts.h"
#include "ui/windows/questions.h"

#include <QLabel>
#include <QShowEvent>

namespace veldor {

Form::Form(const QString& objectName, const QString& caption, int clientWidth, int clientHeight,
           QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFont(SongFont());
    setFixedSize(clientWidth, clientHeight);
    setModal(true);
}

void Form::reject()
{
    if (hasUnappliedEdits()) {
        switch (AskDiscardEdits(this)) {
        case DiscardEditsAnswer::Apply:
            if (applyEdits())
                QDialog::accept();
            return;
        case DiscardEditsAnswer::Discard:
            break;
        case DiscardEditsAnswer::Back:
            return;
        }
    }
    dropEdits();
    QDialog::reject();
}

void Form::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    // No size yet: Qt fits an unsized child to its text when it is first shown, so windows
    // that stay hidden never lay out their labels' text (the About window's many lines were
    // a third of start-up).
    return label;
}

void Place(QWidget* widget, const QString& name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
}

void SetFontColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace veldor
