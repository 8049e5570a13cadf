#pragma once

#include <QLineEdit>

class QLabel;

#include <cstdint>
#include <functional>

namespace veldor {

class ListBox;
class NameTables;

// The find field of a person list: Ctrl+F in the list's window opens it above the list, which
// gives up its top strip for it (the column heads above stay clear); beside it the count of
// matches and which one is shown ("3/17"). Typing goes to the next row whose person matches
// (PersonSearch), Enter and F3 to the next match, Shift+F3 to the previous, wrapping; Escape
// closes it and gives the list its strip back. No match turns it red and moves nothing.
class FindBar : public QLineEdit
{
    Q_OBJECT
public:
    enum class Going {
        Click,     // a match is gone to as a plain click on its row would
        FocusOnly, // only the focus row moves; the list's own keys then act on it
    };

    // Names are looked up in `names`, which must outlive the bar; the list says which person
    // each row shows.
    FindBar(ListBox* list, Going going, const NameTables& names);

    // Shows the field with its text selected and the keyboard focus in it.
    void open();
    // Opens the field with `text` typed into it.
    void find(const QString& text);
    // Whether the text has no match; an empty text has none and is not red.
    bool noMatch() const { return noMatch_; }
    // "3/17": the match shown among all matches; empty while the text is.
    QString matchCount() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(int from, int step);
    void goTo(int row);
    void showNoMatch(bool noMatch);
    void closeField();
    void showCount(int row);
    // The list's strip for the field, taken on opening and given back on closing.
    void takeStrip();
    void giveStripBack();
    std::function<uint16_t(int row)> personAtRow() const;

    class FoundFrame;

    ListBox* list_;
    Going going_;
    const NameTables& names_;
    FoundFrame* foundFrame_;
    QLabel* count_;
    QRect listGeometry_;
    bool stripTaken_ = false;
    bool noMatch_ = false;
    // While a search goes to its match; it counts the matches itself when there.
    bool searching_ = false;
};

} // namespace veldor
