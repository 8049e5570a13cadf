#include "ui/widgets/listbox.h"

#include "ui/widgets/cachedtextdelegate.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/scrollbarpictures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>

#include <algorithm>

namespace veldor {
namespace {

// One clock for every list's type-ahead.
qint64 nowMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

bool printable(const QString& text)
{
    for (QChar c : text)
        if (!c.isPrint())
            return false;
    return !text.isEmpty();
}

} // namespace

// Counts one level of a change this list makes itself, for as long as it lives.
class ListBox::Change
{
public:
    explicit Change(int& depth) : depth_(depth) { ++depth_; }
    ~Change() { --depth_; }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

private:
    int& depth_;
};

ListBox::ListBox(Marking marking, QWidget* parent) : QListWidget(parent), marking_(marking)
{
    UseScrollBarPictures(this);
    switch (marking) {
    case Marking::Single:
        setSelectionMode(QAbstractItemView::SingleSelection);
        break;
    case Marking::Toggle:
        setSelectionMode(QAbstractItemView::MultiSelection);
        break;
    case Marking::Extended:
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        break;
    }
    setFont(ListFont());
    // Rows are painted again on every sort and repaint; their shaped texts are kept.
    setItemDelegate(new CachedTextDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    // Connected after the view's own slots, so the view has painted a change before it may be
    // undone here (and paints the undoing too).
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListBox::refuseSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &ListBox::refuseFocus);
}

// Qt's item view tears down its model after this class is gone; nothing of it may run then.
ListBox::~ListBox()
{
    disconnect(selectionModel(), nullptr, this, nullptr);
}

QModelIndex ListBox::indexOf(int row) const
{
    return model()->index(row, 0);
}

// ---- Program changes ---------------------------------------------------------------------

void ListBox::setRows(const QStringList& texts)
{
    Change program(programChanges_);
    if (count() == texts.size()) {
        for (int row = 0; row < count(); ++row)
            item(row)->setText(texts[row]);
        clearSelection();
    } else {
        clear();
        addItems(texts);
        anchor_ = -1;
    }
    baseStale_ = true;
}

void ListBox::setRowText(int row, const QString& text, bool keepMark)
{
    Change program(programChanges_);
    QListWidgetItem* entry = item(row);
    if (!entry)
        return;
    entry->setText(text);
    if (!keepMark)
        entry->setSelected(false);
}

void ListBox::setMarked(int row, bool marked)
{
    Change program(programChanges_);
    // A mark already as asked is left alone: the selection would merge and compare the whole
    // selection to find nothing changed, and forms set every row of a list this way.
    if (QListWidgetItem* entry = item(row); entry && entry->isSelected() != marked)
        entry->setSelected(marked);
}

void ListBox::setMarkedRows(const QList<int>& rows)
{
    Change program(programChanges_);
    QItemSelection marks;
    for (qsizetype k = 0; k < rows.size();) {
        qsizetype last = k;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        if (rows[k] >= 0 && rows[last] < count())
            marks.select(indexOf(rows[k]), indexOf(rows[last]));
        k = last + 1;
    }
    selectionModel()->select(marks, QItemSelectionModel::ClearAndSelect);
}

bool ListBox::isMarked(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry && entry->isSelected();
}

QList<int> ListBox::markedRows() const
{
    QList<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ListBox::clearMarks()
{
    Change program(programChanges_);
    clearSelection();
}

int ListBox::markedCount() const
{
    return int(selectionModel()->selectedIndexes().size());
}

void ListBox::setFocusRow(int row)
{
    Change program(programChanges_);
    selectionModel()->setCurrentIndex(indexOf(row), QItemSelectionModel::NoUpdate);
    setAnchor(row);
    if (QListWidgetItem* entry = item(row))
        scrollToItem(entry);
}

ListBox::State ListBox::state() const
{
    return {selectionModel()->selection(), currentRow()};
}

void ListBox::setState(const State& state)
{
    Change program(programChanges_);
    selectionModel()->select(state.marks, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(indexOf(state.focusRow), QItemSelectionModel::NoUpdate);
    setAnchor(state.focusRow);
}

// ---- User input --------------------------------------------------------------------------

void ListBox::activateRow(int row)
{
    clickRow(row, Qt::NoModifier);
}

void ListBox::clickRow(int row, Qt::KeyboardModifiers modifiers)
{
    if (!indexOf(row).isValid())
        return;
    beginInput();
    goToRow(row, modifiers, true);
    runClick(row, Input::Click);
}

void ListBox::moveByKey(int target, Qt::KeyboardModifiers modifiers)
{
    if (!indexOf(target).isValid())
        return;
    beginInput();
    goToRow(target, modifiers, false);
    const bool moved = currentRow() != before_.focusRow;
    if (marksChanged_ || (moved && marking_ != Marking::Toggle))
        runClick(currentRow(), marksChanged_ ? Input::Move : Input::FocusMove);
}

// A click and a key that moves differ only where a click toggles: in toggling lists and with
// Ctrl in extended ones, where a key moves the focus alone. Ctrl never deselects in a single
// list, which keeps its one entry.
void ListBox::goToRow(int row, Qt::KeyboardModifiers modifiers, bool toggles)
{
    const QModelIndex index = indexOf(row);
    Change user(userChanges_);
    if (marking_ == Marking::Extended && (modifiers & Qt::ShiftModifier)) {
        extendTo(row);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else {
        QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect;
        if (marking_ == Marking::Toggle ||
            (marking_ == Marking::Extended && (modifiers & Qt::ControlModifier)))
            command = toggles ? QItemSelectionModel::Toggle : QItemSelectionModel::NoUpdate;
        selectionModel()->setCurrentIndex(index, command);
        setAnchor(row);
    }
    scrollTo(index);
}

void ListBox::toggleByKey(Qt::KeyboardModifiers modifiers)
{
    const int row = currentRow();
    const QModelIndex index = indexOf(row);
    if (!index.isValid())
        return;
    beginInput();
    {
        Change user(userChanges_);
        QItemSelectionModel::SelectionFlags command = QItemSelectionModel::Toggle;
        if (marking_ == Marking::Single)
            command = QItemSelectionModel::ClearAndSelect;
        else if (marking_ == Marking::Extended && !(modifiers & Qt::ControlModifier))
            command = QItemSelectionModel::Select;
        selectionModel()->select(index, command);
        setAnchor(row);
    }
    if (marksChanged_)
        runClick(row, Input::Marks);
}

void ListBox::markAllByKey()
{
    if (marking_ != Marking::Extended || count() == 0 || currentRow() < 0)
        return;
    beginInput();
    {
        Change user(userChanges_);
        selectionModel()->select(QItemSelection(indexOf(0), indexOf(count() - 1)),
                                 QItemSelectionModel::Select);
        baseStale_ = true;
    }
    if (marksChanged_)
        runClick(currentRow(), Input::Marks);
}

void ListBox::keyboardSearch(const QString& search)
{
    if (!printable(search) || count() == 0)
        return;
    const qint64 now = nowMs();
    const bool fresh = typedAt_ < 0 || now - typedAt_ > QApplication::keyboardInputInterval();
    typedAt_ = now;
    typed_ = fresh ? search : typed_ + search;
    // The same key again and again steps through the rows that start with it.
    const bool sameKey = typed_.size() > 1 && typed_.count(typed_.back()) == typed_.size();
    const QString wanted = sameKey ? QString(typed_.back()) : typed_;
    const int focus = currentRow();
    int start = std::max(focus, 0);
    if ((fresh || sameKey) && focus >= 0)
        start = (focus + 1) % count();
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i) {
        const int row = (start + i) % count();
        if (item(row)->text().startsWith(wanted, Qt::CaseInsensitive))
            found = row;
    }
    if (found < 0)
        return;
    // A toggling list moves its focus only: typing never toggles a row.
    if (marking_ == Marking::Toggle)
        goToRow(found, Qt::NoModifier, false);
    else
        clickRow(found, Qt::NoModifier);
}

void ListBox::extendTo(int row)
{
    if (baseStale_) {
        base_ = selectionModel()->selection();
        baseStale_ = false;
    }
    int from = anchor_;
    if (from < 0 || from >= count())
        from = currentRow() >= 0 ? currentRow() : row;
    QItemSelection wanted = base_;
    wanted.merge(QItemSelection(indexOf(std::min(from, row)), indexOf(std::max(from, row))),
                 QItemSelectionModel::Select);
    selectionModel()->select(wanted, QItemSelectionModel::ClearAndSelect);
}

void ListBox::setAnchor(int row)
{
    anchor_ = row;
    baseStale_ = true;
}

void ListBox::beginInput()
{
    marksChanged_ = false;
    before_ = state();
}

void ListBox::runClick(int row, Input input)
{
    // The program's own changes never run a handler.
    if (programChanges_ > 0)
        return;
    Q_EMIT Click(row, input);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    // Only the left button clicks; right and middle presses change nothing.
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    pressedRow_ = index.isValid() ? index.row() : -1;
    pressedAt_ = event->timestamp();
    if (pressedRow_ >= 0)
        clickRow(pressedRow_, event->modifiers());
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

// The second press of a double click is a click again, on the row the first press acted on
// (scrolling that row into view may have moved another row under the pointer).
void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool afterOwnPress = event->timestamp() - pressedAt_ <=
                               quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    const int row = afterOwnPress ? pressedRow_ : indexAt(event->position().toPoint()).row();
    pressedRow_ = -1;
    if (row >= 0 && row < count())
        clickRow(row, event->modifiers());
}

// A pressed mouse that moves marks nothing: one click acts on the one row it pressed. Without
// a button pressed Qt only tracks the row under the pointer.
void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT KeyPress(event);
    if (event->matches(QKeySequence::SelectAll)) {
        markAllByKey();
        event->accept();
        return;
    }
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Up:
        action = MoveUp;
        break;
    case Qt::Key_Down:
        action = MoveDown;
        break;
    case Qt::Key_Left:
        action = MoveLeft;
        break;
    case Qt::Key_Right:
        action = MoveRight;
        break;
    case Qt::Key_Home:
        action = MoveHome;
        break;
    case Qt::Key_End:
        action = MoveEnd;
        break;
    case Qt::Key_PageUp:
        action = MovePageUp;
        break;
    case Qt::Key_PageDown:
        action = MovePageDown;
        break;
    case Qt::Key_Space:
    case Qt::Key_Select:
        toggleByKey(event->modifiers());
        event->accept();
        return;
    default:
        // Enter, Escape, Tab and copying keep Qt's meaning; typed text reaches keyboardSearch.
        QListWidget::keyPressEvent(event);
        return;
    }
    const QModelIndex target = moveCursor(action, event->modifiers());
    if (target.isValid())
        moveByKey(target.row(), event->modifiers());
    event->accept();
}

// Text committed by an input method is typed text: KeyPress sees it first, then type-ahead.
void ListBox::inputMethodEvent(QInputMethodEvent* event)
{
    const QString text = event->commitString();
    if (text.isEmpty()) {
        event->ignore();
        return;
    }
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    Q_EMIT KeyPress(&typed);
    keyboardSearch(text);
    event->accept();
}

// Gaining the focus by keyboard, Qt puts the focus row on the first row if there is none; that
// is a focus move like the program's and runs no handler.
void ListBox::focusInEvent(QFocusEvent* event)
{
    Change program(programChanges_);
    QListWidget::focusInEvent(event);
}

// ---- Changes made past this class ----------------------------------------------------------

void ListBox::refuseSelection(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (programChanges_ > 0) {
        baseStale_ = true;
        return;
    }
    if (userChanges_ > 0) {
        marksChanged_ = true;
        return;
    }
    Change undo(programChanges_);
    selectionModel()->select(deselected, QItemSelectionModel::Select);
    selectionModel()->select(selected, QItemSelectionModel::Deselect);
    qWarning("ListBox %s: a change of marks made past the list was undone",
             qPrintable(objectName()));
}

void ListBox::refuseFocus(const QModelIndex& current, const QModelIndex& previous)
{
    Q_UNUSED(current);
    if (programChanges_ > 0 || userChanges_ > 0)
        return;
    Change undo(programChanges_);
    selectionModel()->setCurrentIndex(previous, QItemSelectionModel::NoUpdate);
    qWarning("ListBox %s: a move of the focus row made past the list was undone",
             qPrintable(objectName()));
}

} // namespace veldor
