#include "ui/widgets/tabledelegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace veldor {
namespace {

QString editorText(QWidget* editor)
{
    if (auto* choices = qobject_cast<QComboBox*>(editor))
        return choices->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text();
    return {};
}

bool isCtrlEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           key->modifiers().testFlag(Qt::ControlModifier);
}

} // namespace

TableDelegate::TableDelegate(int choicesRole, QObject* parent)
    : CachedTextDelegate(parent), choicesRole_(choicesRole)
{
}

QWidget* TableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                     const QModelIndex& index) const
{
    const QStringList choices = index.data(choicesRole_).toStringList();
    if (choices.isEmpty()) {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        return line;
    }
    auto* list = new QComboBox(parent);
    list->addItems(choices);
    list->setMaxVisibleItems(20);
    return list;
}

void TableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* choices = qobject_cast<QComboBox*>(editor))
        choices->setCurrentIndex(choices->findText(text));
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void TableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const
{
    model->setData(index, editorText(editor), Qt::EditRole);
}

bool TableDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor != nullptr && isCtrlEnter(event)) {
        const QString text = editorText(editor);
        // Closed first, without committing: the fill is the one step for every cell.
        Q_EMIT closeEditor(editor, NoHint);
        Q_EMIT FillRequested(text);
        return true;
    }
    return CachedTextDelegate::eventFilter(watched, event);
}

} // namespace veldor
