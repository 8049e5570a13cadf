#pragma once

#include <QListWidget>

class QKeyEvent;

namespace veldor {

// A list box with the event rules the forms are written against:
// - Click(row) runs on a user's mouse click and whenever the user moves the focus row with the
//   keyboard; never when the program changes rows, marks or the focus.
// - KeyPress(event) runs before the list reacts to the key.
// - Every change made through the methods below is the program's and runs no handler.
// Marks are the rows' selection; the focus row is Qt's current row.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    enum class Marking {
        Single,   // one row at a time
        Toggle,   // every click toggles its row
        Extended, // click selects one row, Ctrl toggles, Shift extends
    };

    explicit ListBox(Marking marking, QWidget* parent = nullptr);

    // Replaces every row; no row is marked afterwards.
    void setRows(const QStringList& texts);
    // Replaces one row's text. The editors' rules treat a replaced row as a new row whose mark is
    // gone unless the handler marks it again; `keepMark` says which this caller wants.
    void setRowText(int row, const QString& text, bool keepMark);
    void setMarked(int row, bool marked);
    bool isMarked(int row) const;
    void clearMarks();
    int markedCount() const;
    // Moves the focus row without touching the marks.
    void setFocusRow(int row);
    int focusRow() const { return currentRow(); }
    // Goes to `row` as a plain left click of the user on it would: marks, focus, scrolling and
    // the Click handler all take the path a real click takes.
    void activateRow(int row);

Q_SIGNALS:
    void Click(int row);
    void KeyPress(QKeyEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class ProgramChange;

    bool pressedOnRow_ = false;
    bool toggling_ = false;
};

} // namespace veldor
