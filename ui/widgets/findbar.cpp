#include "ui/widgets/findbar.h"

#include "data/rules/personsearch.h"
#include "ui/widgets/listbox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>

namespace veldor {
namespace {

constexpr int kBarHeight = 22;
// Room for "800/800" and a little air.
constexpr int kCountPadding = 8;

} // namespace

// A frame drawn around the row found last. A list shows its focus row only while it has the
// keyboard focus, which stays in the find field while the user types.
class FindBar::FoundFrame : public QWidget
{
public:
    explicit FoundFrame(ListBox* list) : QWidget(list->viewport()), list_(list)
    {
        setObjectName(QStringLiteral("FoundFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    void showAt(int row)
    {
        row_ = row;
        follow();
        show();
        raise();
    }
    void follow()
    {
        if (const QListWidgetItem* item = list_->item(row_))
            setGeometry(list_->visualItemRect(item));
    }

protected:
    // The program may move the focus without a word (rebuilding rows on Apply, a sort); the
    // frame then marks nothing rather than a row that is no longer the one found.
    void paintEvent(QPaintEvent*) override
    {
        if (list_->focusRow() != row_)
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }

private:
    ListBox* list_;
    int row_ = -1;
};

FindBar::FindBar(ListBox* list, Going going, const NameTables& names)
    : QLineEdit(list->window()), list_(list), going_(going), names_(names),
      foundFrame_(new FoundFrame(list)), count_(new QLabel(list->window()))
{
    count_->setObjectName(QStringLiteral("FindCount"));
    count_->setAlignment(Qt::AlignCenter);
    // Beside a narrow list the count stands over the next column.
    count_->setAutoFillBackground(true);
    count_->hide();
    setObjectName(QStringLiteral("FindBar"));
    setPlaceholderText(QStringLiteral("查找：姓名或编号"));
    setClearButtonEnabled(true);
    hide();
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), list->window());
    connect(shortcut, &QShortcut::activated, this, &FindBar::open);
    connect(this, &QLineEdit::textChanged, this,
            [this] { search(std::max(list_->focusRow(), 0), 1); });
    // The count follows whatever row the list moves to.
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, count_, [this] {
        if (!searching_)
            showCount(list_->focusRow());
    });
    // The frame follows its row when the list scrolls and goes once the user moves on; a closed
    // window drops the field.
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, foundFrame_, &FoundFrame::follow);
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, foundFrame_,
            &FoundFrame::follow);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, foundFrame_,
            &QWidget::hide);
    list->window()->installEventFilter(this);
}

void FindBar::open()
{
    takeStrip();
    show();
    raise();
    count_->show();
    count_->raise();
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

// The field and its count take the list's top strip, so that they hide neither a row nor the
// column heads above the list (which may reach a pixel or two into it); the list shows one row
// or so fewer while the field is open.
void FindBar::takeStrip()
{
    if (stripTaken_)
        return;
    stripTaken_ = true;
    listGeometry_ = list_->geometry();
    const QRect topEdge(listGeometry_.topLeft(), QSize(listGeometry_.width(), 1));
    int stripTop = listGeometry_.top();
    for (QWidget* sibling :
         list_->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (sibling != list_ && sibling != this && sibling != count_ && sibling->isVisible() &&
            sibling->geometry().intersects(topEdge))
            stripTop = std::max(stripTop, sibling->geometry().bottom() + 1);
    const QPoint top =
        list_->parentWidget()->mapTo(window(), QPoint(listGeometry_.left(), stripTop));
    const int countWidth =
        count_->fontMetrics().horizontalAdvance(QStringLiteral("800/800")) + kCountPadding;
    // A narrow list gets a field wide enough for its hint, reaching over the next column.
    const int hintWidth = fontMetrics().horizontalAdvance(placeholderText()) + 2 * kBarHeight;
    const int fieldWidth = std::max(listGeometry_.width() - countWidth, hintWidth);
    setGeometry(top.x(), top.y(), fieldWidth, kBarHeight);
    count_->setGeometry(top.x() + fieldWidth, top.y(), countWidth, kBarHeight);
    list_->setGeometry(
        listGeometry_.adjusted(0, stripTop - listGeometry_.top() + kBarHeight, 0, 0));
}

void FindBar::giveStripBack()
{
    hide();
    count_->hide();
    foundFrame_->hide();
    if (!stripTaken_)
        return;
    stripTaken_ = false;
    list_->setGeometry(listGeometry_);
}

QString FindBar::matchCount() const
{
    return count_->text();
}

void FindBar::showCount(int row)
{
    const PersonSearch search(text(), names_);
    if (search.isEmpty()) {
        count_->clear();
        return;
    }
    const PersonSearch::Count found = search.countMatches(list_->count(), row, personAtRow());
    count_->setText(QStringLiteral("%1/%2").arg(found.at).arg(found.total));
}

void FindBar::find(const QString& text)
{
    open();
    if (text == this->text())
        search(std::max(list_->focusRow(), 0), 1);
    else
        setText(text);
}

void FindBar::search(int from, int step)
{
    const PersonSearch search(text(), names_);
    if (search.isEmpty()) {
        showNoMatch(false);
        showCount(-1);
        return;
    }
    const int row = search.findRow(list_->count(), from, step, personAtRow());
    showNoMatch(row < 0);
    // Counted once, where the search ends: counting walks every row, and going to the match
    // moves the focus row, which would count them on the way too.
    if (row >= 0) {
        const QScopedValueRollback<bool> going(searching_, true);
        goTo(row);
    }
    showCount(list_->focusRow());
}

void FindBar::goTo(int row)
{
    if (going_ == Going::Click)
        list_->activateRow(row);
    else
        list_->setFocusRow(row);
    foundFrame_->showAt(row);
}

void FindBar::showNoMatch(bool noMatch)
{
    noMatch_ = noMatch;
    QPalette colours = palette();
    colours.setColor(QPalette::Base,
                     noMatch ? QColor(255, 170, 170) : list_->palette().color(QPalette::Base));
    setPalette(colours);
}

void FindBar::closeField()
{
    giveStripBack();
    list_->setFocus(Qt::OtherFocusReason);
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    const bool back = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        closeField();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        search(list_->focusRow() + 1, 1);
        return;
    case Qt::Key_F3:
        search(list_->focusRow() + (back ? -1 : 1), back ? -1 : 1);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_->window() && event->type() == QEvent::Hide)
        giveStripBack();
    return QLineEdit::eventFilter(watched, event);
}

std::function<uint16_t(int row)> FindBar::personAtRow() const
{
    return [list = list_](int row) { return list->recordAt(row); };
}

} // namespace veldor
