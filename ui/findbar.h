#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace veldor {

class ListBox;

// The find field of a person list: Ctrl+F in the list's window opens it over the top of the
// list; typing goes to the next row whose person matches (PersonSearch), Enter and F3 to the
// next match, Shift+F3 to the previous, wrapping; Escape closes it. No match turns it red and
// moves nothing.
class FindBar : public QLineEdit
{
    Q_OBJECT
public:
    enum class Going {
        Click,     // a match is gone to as a plain click on its row would
        FocusOnly, // only the focus row moves; the list's own keys then act on it
    };

    FindBar(ListBox* list, Going going, std::function<uint16_t(int row)> personAt);

    // Shows the field with its text selected and the keyboard focus in it.
    void open();
    // Opens the field with `text` typed into it.
    void find(const QString& text);
    // Whether the text has no match; an empty text has none and is not red.
    bool noMatch() const { return noMatch_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(int from, int step);
    void goTo(int row);
    void showNoMatch(bool noMatch);
    void closeField();

    class FoundFrame;

    ListBox* list_;
    Going going_;
    std::function<uint16_t(int row)> personAt_;
    FoundFrame* foundFrame_;
    bool noMatch_ = false;
};

} // namespace veldor
