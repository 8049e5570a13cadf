#include "ui/listbox.h"

#include "ui/fonts.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace veldor {

// Blocks the list's own signals and its selection model's (QSignalBlocker on the list alone
// lets selection-model signals through), so that handlers bound to either stay silent.
class ListBox::ProgramChange
{
public:
    explicit ProgramChange(ListBox* list) : list_(list), model_(list->selectionModel()) {}

private:
    QSignalBlocker list_;
    QSignalBlocker model_;
};

ListBox::ListBox(Marking marking, QWidget* parent) : QListWidget(parent)
{
    switch (marking) {
    case Marking::Single:
        setSelectionMode(QAbstractItemView::SingleSelection);
        break;
    case Marking::Toggle:
        setSelectionMode(QAbstractItemView::MultiSelection);
        toggling_ = true;
        break;
    case Marking::Extended:
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        break;
    }
    setFont(ListFont());
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ListBox::setRows(const QStringList& texts)
{
    ProgramChange quiet(this);
    if (count() == texts.size()) {
        for (int row = 0; row < count(); ++row)
            item(row)->setText(texts[row]);
        clearSelection();
    } else {
        clear();
        addItems(texts);
    }
}

void ListBox::setRowText(int row, const QString& text, bool keepMark)
{
    ProgramChange quiet(this);
    QListWidgetItem* entry = item(row);
    if (!entry)
        return;
    entry->setText(text);
    if (!keepMark)
        entry->setSelected(false);
}

void ListBox::setMarked(int row, bool marked)
{
    ProgramChange quiet(this);
    if (QListWidgetItem* entry = item(row))
        entry->setSelected(marked);
}

bool ListBox::isMarked(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry && entry->isSelected();
}

void ListBox::clearMarks()
{
    ProgramChange quiet(this);
    clearSelection();
}

int ListBox::markedCount() const
{
    return int(selectionModel()->selectedIndexes().size());
}

void ListBox::setFocusRow(int row)
{
    ProgramChange quiet(this);
    selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
    if (QListWidgetItem* entry = item(row))
        scrollToItem(entry);
}

void ListBox::activateRow(int row)
{
    QListWidgetItem* entry = item(row);
    if (!entry)
        return;
    scrollToItem(entry);
    const QPointF at = visualItemRect(entry).center();
    const QPointF global = viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(viewport(), &press);
    QCoreApplication::sendEvent(viewport(), &release);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    pressedOnRow_ = itemAt(event->position().toPoint()) != nullptr;
    QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (pressedOnRow_ && event->button() == Qt::LeftButton) {
        pressedOnRow_ = false;
        Q_EMIT Click(currentRow());
    }
}

// In a toggling list one click toggles one row. Qt would also toggle every row a pressed mouse
// passes over, which lets a drag change marks no handler ever hears about.
void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (toggling_ && event->buttons() != Qt::NoButton)
        return;
    QListWidget::mouseMoveEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT KeyPress(event);
    const int before = currentRow();
    const QItemSelection marksBefore = selectionModel()->selection();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before || selectionModel()->selection() != marksBefore)
        Q_EMIT Click(currentRow());
}

} // namespace veldor
