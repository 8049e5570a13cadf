#pragma once

#include <QItemSelection>
#include <QListWidget>

#include <cstdint>
#include <functional>

class QKeyEvent;

namespace veldor {

// A list box with the event rules the forms are written against. Marks are the rows'
// selection; the focus row is Qt's current row.
//
// One rule for every input: a user action that changes marks or the focus row either runs the
// list's handler exactly as the matching click or key does, or changes nothing. The handler is
// told which kind of input it was (Input) and can ask how the list stood before it
// (stateBefore), so no form has to guess from key state.
// - Click(row) runs on a left click on a row (any marking), on type-ahead or input-method text
//   in Single and Extended lists (a plain click on the row found), and on keys: in Single and
//   Extended lists whenever a key moved the focus row or changed a mark, in Toggle lists only
//   when a key changed a mark (Space); a focus move alone runs nothing there.
// - KeyPress(event) runs before the list reacts to a key or to committed input-method text
//   (which arrives as a key event carrying the text).
// - Right and middle clicks, presses outside the rows, drags and the wheel change no mark and
//   no focus row. Ctrl+A marks every row only in Extended lists (and runs Click); elsewhere it
//   does nothing. Any other way Qt offers to change the selection (accessibility actions, a
//   caller reaching past these methods to the selection model) is undone at once.
// - Every change made through the program methods below runs no handler and is painted at once:
//   the handlers are gated by a flag, the selection model's signals that the view repaints
//   from are never silenced.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    enum class Marking {
        Single,   // one row at a time; the user can never leave it with none
        Toggle,   // every click (or Space) toggles its row; keys alone only move the focus
        Extended, // click selects one row, Ctrl toggles, Shift extends from the anchor
    };

    // What the user did when Click runs.
    enum class Input {
        Click,     // a left click, or type-ahead acting as one
        Move,      // a key moved the focus row and the marks with it
        FocusMove, // a key moved the focus row alone (Ctrl+arrows in Extended lists)
        Marks,     // a key changed marks without moving: Space, Ctrl+A
    };

    // Marks and focus row, to put back what an input changed.
    struct State
    {
        QItemSelection marks;
        int focusRow = -1;
    };

    explicit ListBox(Marking marking, QWidget* parent = nullptr);
    ~ListBox() override;

    Marking marking() const { return marking_; }

    // Which record a row shows: the list's owner says so once, and whoever needs it (the find
    // field, the owner's handlers) asks the list. Row r shows record r until told otherwise.
    void setRecordOfRow(std::function<uint16_t(int row)> recordOf)
    {
        recordOf_ = std::move(recordOf);
    }
    uint16_t recordAt(int row) const { return recordOf_ ? recordOf_(row) : uint16_t(row); }

    // Program changes: they run no handler.
    // Replaces every row; no row is marked afterwards.
    void setRows(const QStringList& texts);
    // Replaces one row's text. The editors' rules treat a replaced row as a new row whose mark is
    // gone unless the handler marks it again; `keepMark` says which this caller wants.
    void setRowText(int row, const QString& text, bool keepMark);
    void setMarked(int row, bool marked);
    // Marks exactly `rows` (ascending), in one change of the selection: marking a hundred rows
    // one by one merges the whole selection a hundred times.
    void setMarkedRows(const QList<int>& rows);
    bool isMarked(int row) const;
    // Every marked row, ascending: one walk over the marks, where asking each row of a long
    // list is a search of the selection per row.
    QList<int> markedRows() const;
    void clearMarks();
    int markedCount() const;
    // Moves the focus row without touching the marks; it also becomes the anchor that a
    // following Shift+click or Shift+arrow extends from, and Space then acts on it.
    void setFocusRow(int row);
    int focusRow() const { return currentRow(); }

    State state() const;
    // Puts marks and focus row back as `state` had them (the anchor goes to its focus row).
    void setState(const State& state);
    // How the list stood before the user input whose Click is running (or ran last).
    const State& stateBefore() const { return before_; }

    // Goes to `row` exactly as a plain left click of the user on it would: the marks change as
    // a click changes them in this list's marking, the focus row moves there, the row is
    // scrolled into view, then Click(row) runs. It is the same code a real click runs.
    void activateRow(int row);

    // Type-ahead (keys and input-method text end here): finds the next row whose text starts
    // with what was typed within the keyboard input interval. Single and Extended lists then
    // act as on a plain click on it; Toggle lists move the focus row there and toggle nothing.
    void keyboardSearch(const QString& search) override;

Q_SIGNALS:
    void Click(int row, ListBox::Input input);
    void KeyPress(QKeyEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    class Change;

    // The one path of a left click on `row` (mouse and activateRow).
    void clickRow(int row, Qt::KeyboardModifiers modifiers);
    // A key that moves the focus row to `target` (arrows, Home/End, Page keys).
    void moveByKey(int target, Qt::KeyboardModifiers modifiers);
    // The marks and focus row that both leave, `toggles` for a click.
    void goToRow(int row, Qt::KeyboardModifiers modifiers, bool toggles);
    // Space or Select on the focus row.
    void toggleByKey(Qt::KeyboardModifiers modifiers);
    void markAllByKey();
    // Marks `base_` (taken now if stale) plus the rows from the anchor to `row`.
    void extendTo(int row);
    void setAnchor(int row);
    void runClick(int row, Input input);
    // Called first by every routed user input that may run Click.
    void beginInput();
    QModelIndex indexOf(int row) const;

    // Undoes a selection or focus change that no method of this class made.
    void refuseSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void refuseFocus(const QModelIndex& current, const QModelIndex& previous);

    Marking marking_;
    std::function<uint16_t(int row)> recordOf_;
    // Nesting depth of changes this class makes: by program methods and by routed user input.
    int programChanges_ = 0;
    int userChanges_ = 0;
    // Set when routed user input changed a mark (the selection model says so only on a change).
    bool marksChanged_ = false;
    // Extended marking: the row Shift extends from, and the marks it extends (taken when next
    // needed after the anchor was set or the program changed marks).
    int anchor_ = -1;
    QItemSelection base_;
    bool baseStale_ = true;
    // The row the last left press acted on, for the second press of a double click.
    int pressedRow_ = -1;
    quint64 pressedAt_ = 0;
    State before_;
    // Type-ahead: what was typed so far and when.
    QString typed_;
    qint64 typedAt_ = -1;
};

} // namespace veldor
