// The person editor's behaviour: showing, loading the current person, and the handlers that
// pass the user's actions on to PersonEditor.
#include "ui/windows/formprsn.h"

#include "data/format/gbk.h"
#include "ui/widgets/findbar.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/widgets/pendinginputs.h"
#include "ui/windows/questions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

namespace veldor {
namespace {

// The field would clamp a stored value anyway, but it must get it whole first: a value above
// the maximum can have more digits than the field accepts, and Qt cuts even a program's text to
// that length (10000 would come out as 1000).
void ShowStoredValue(NumberEdit* edit, int32_t value)
{
    edit->setValue(std::clamp(value, edit->minimum(), edit->maximum()));
}

} // namespace

void TFPrsn::FormShow()
{
    editor_.TakeWorkingCopy();
    fillPersonRows();
    ListBox_Prsn_Prsn->setFocusRow(0);
    ShowCurPrsn();
    // The person is found once the window is up, through the find field as a user would.
    if (personToFind_ >= 0)
        QMetaObject::invokeMethod(
            this, [this, person = personToFind_] { findBar_->find(QString::number(person)); },
            Qt::QueuedConnection);
    personToFind_ = -1;
}

void TFPrsn::ExecOnPerson(uint16_t person)
{
    personToFind_ = person;
    exec();
}

RowMarks TFPrsn::markedRows() const
{
    RowMarks marks;
    const QModelIndexList marked = ListBox_Prsn_Prsn->selectionModel()->selectedIndexes();
    for (const QModelIndex& index : marked)
        if (index.row() >= 0 && index.row() < kPersons)
            marks.set(size_t(index.row()));
    return marks;
}

void TFPrsn::showMarkedCount()
{
    const int marked = ListBox_Prsn_Prsn->markedCount();
    GroupBox1->setTitle(QStringLiteral("武将列表（选中 %1 人）").arg(marked));
    for (QToolButton* button : flatButtons_)
        button->setEnabled(marked > 0);
    for (QCheckBox* box : skills_)
        box->setEnabled(marked > 0);
}

void TFPrsn::fillPersonRows()
{
    QStringList rows;
    rows.reserve(kPersons);
    for (int r = 0; r < kPersons; ++r)
        rows << FromGbk(editor_.PrsnLineText(editor_.PrsnOrder[r]));
    ListBox_Prsn_Prsn->setRows(rows);
}

// Replacing a row's text drops its mark; these rows were marked and stay so.
void TFPrsn::refreshMarkedRows(const RowMarks& marks)
{
    for (int r = 0; r < kPersons; ++r)
        if (marks[r])
            ListBox_Prsn_Prsn->setRowText(r, FromGbk(editor_.PrsnLineText(editor_.PrsnOrder[r])),
                                          true);
}

void TFPrsn::fillFaithList(uint16_t person)
{
    QStringList rows;
    for (int f = 0; f < kForces; ++f)
        rows << FromGbk(editor_.FaithLineText(person, f));
    ListBox_Prsn_Faith->setRows(rows);
    ListBox_Prsn_Faith->setFocusRow(0);
    ListBox_Prsn_Faith->setMarked(0, true);
}

// A text that is no number falls back to the loaded person's value, taken when it is typed.
void TFPrsn::refreshFallbacks()
{
    const int force = std::max(0, ListBox_Prsn_Faith->focusRow());
    for (int f = 0; f < kPrsnFields; ++f)
        edits_[f]->setFallback(editor_.ShownValue(PrsnField(f), loadedPerson_, force));
}

void TFPrsn::ShowCurPrsn()
{
    loadedPerson_ = ListBox_Prsn_Prsn->recordAt(ListBox_Prsn_Prsn->focusRow());
    const uint16_t person = loadedPerson_;
    for (int f = 0; f < int(PrsnField::Faith); ++f)
        ShowStoredValue(edits_[f], editor_.ShownValue(PrsnField(f), person));
    for (int c = 0; c < kPrsnChoices; ++c)
        choices_[c]->setCurrentIndex(
            ChoiceIndexOf(PrsnChoice(c), editor_.ChoiceValue(PrsnChoice(c), person)));
    for (int k = 0; k < kSkills; ++k)
        skills_[k]->setChecked(editor_.Work().Skill[person][k]);
    fillFaithList(person);
    refreshFallbacks();
    edits_[int(PrsnField::Faith)]->setValue(editor_.ShownValue(PrsnField::Faith, person, 0));
    QList<int> held;
    for (int i = 0; i < kItems; ++i)
        if (editor_.Holder(i) == person)
            held << i;
    ListBox_Prsn_Item->setMarkedRows(held);
    showMarkedCount();
    pending_->markLoaded();
}

bool TFPrsn::settleBeforeReload(ListBox* list, QWidget* only)
{
    if (pendingCount(only) == 0)
        return true;
    const ListBox::State after = list->state();
    list->setState(list->stateBefore());
    if (!settlePendingValues(only))
        return false;
    list->setState(after);
    return true;
}

void TFPrsn::ListBox_Prsn_PrsnClick(int, ListBox::Input input)
{
    if (input == ListBox::Input::FocusMove)
        return;
    if (settleBeforeReload(ListBox_Prsn_Prsn))
        ShowCurPrsn();
    else
        showMarkedCount();
}

// Typing in the list reloads the person of the focus row, unless that would drop a value not
// yet assigned: the type-ahead that follows asks if it goes to another row.
void TFPrsn::ListBox_Prsn_PrsnKeyPress(QKeyEvent* event)
{
    if (!event->text().isEmpty() && pending_->count() == 0)
        ShowCurPrsn();
}

void TFPrsn::Button_SortClick(PrsnSortKey key)
{
    const int focusRow = editor_.SortPrsnList(key, ListBox_Prsn_Prsn->focusRow());
    fillPersonRows();
    ListBox_Prsn_Prsn->setFocusRow(focusRow);
    showMarkedCount();
}

void TFPrsn::ShowCurFaith()
{
    const int force = ListBox_Prsn_Faith->focusRow();
    if (force < 0)
        return;
    refreshFallbacks();
    edits_[int(PrsnField::Faith)]->setValue(
        editor_.ShownValue(PrsnField::Faith, loadedPerson_, force));
    pending_->markLoaded(edits_[int(PrsnField::Faith)]);
}

void TFPrsn::ListBox_Prsn_FaithClick()
{
    if (settleBeforeReload(ListBox_Prsn_Faith, edits_[int(PrsnField::Faith)]))
        ShowCurFaith();
}

void TFPrsn::ListBox_Prsn_FaithKeyPress(QKeyEvent* event)
{
    if (!event->text().isEmpty() && !pending_->isPending(edits_[int(PrsnField::Faith)]))
        ShowCurFaith();
}

void TFPrsn::ListBox_Prsn_ItemClick()
{
    ItemMarks marks;
    for (int i = 0; i < kItems; ++i)
        marks[size_t(i)] = ListBox_Prsn_Item->isMarked(i);
    editor_.GiveMarkedItems(marks, loadedPerson_);
}

void TFPrsn::CheckBox_SkillClick(int flag, bool checked)
{
    editor_.SetSkill(flag, checked, markedRows());
}

void TFPrsn::SpeedButton_FieldClick(PrsnField field)
{
    const RowMarks marks = markedRows();
    const int force = ListBox_Prsn_Faith->focusRow();
    NumberEdit* edit = edits_[int(field)];
    const std::optional<int32_t> shown =
        editor_.Assign(field, edit->text(), marks, loadedPerson_, force);
    if (shown)
        edit->setValue(*shown);
    if (field == PrsnField::Faith && shown)
        ListBox_Prsn_Faith->setRowText(force, FromGbk(editor_.FaithEntryText(force, *shown)), true);
    if (Rule(field).shownInRows)
        refreshMarkedRows(marks);
    refreshFallbacks();
    // A loyalty without a force reached nobody.
    if (marks.any() && (field != PrsnField::Faith || shown))
        pending_->markLoaded(edit);
}

void TFPrsn::SpeedButton_ChoiceClick(PrsnChoice choice)
{
    const RowMarks marks = markedRows();
    editor_.AssignChoice(choice, choices_[int(choice)]->currentIndex(), marks);
    if (Rule(choice).shownInRows)
        refreshMarkedRows(marks);
    if (marks.any())
        pending_->markLoaded(choices_[int(choice)]);
}

int TFPrsn::pendingCount(const QWidget* only) const
{
    return only ? int(pending_->isPending(only)) : pending_->count();
}

bool TFPrsn::settlePendingValues(QWidget* only)
{
    const int pending = pendingCount(only);
    if (pending == 0)
        return true;
    switch (AskPendingValues(this, pending, ListBox_Prsn_Prsn->markedCount() > 0)) {
    case PendingValuesAnswer::Assign:
        if (only)
            pending_->assign(only);
        else
            pending_->assignAll();
        return true;
    case PendingValuesAnswer::Drop:
        return true;
    case PendingValuesAnswer::Back:
        break;
    }
    return false;
}

void TFPrsn::applyWorkingCopy()
{
    editor_.Apply();
    FormShow();
    reportApplied();
}

bool TFPrsn::hasUnappliedEdits() const
{
    return pending_->count() > 0 || editor_.Differs();
}

// The user chose to apply on closing: typed values go to the marked rows as their buttons would
// take them. Only with no row marked, where they could reach nobody, is there a question.
bool TFPrsn::applyEdits()
{
    if (ListBox_Prsn_Prsn->markedCount() > 0)
        pending_->assignAll();
    else if (!settlePendingValues())
        return false;
    applyWorkingCopy();
    return true;
}

void TFPrsn::dropEdits()
{
    FormShow();
}

void TFPrsn::Button11Click()
{
    if (settlePendingValues())
        applyWorkingCopy();
}

void TFPrsn::Button1Click()
{
    if (!settlePendingValues())
        return;
    applyWorkingCopy();
    accept();
}

void TFPrsn::Button10Click()
{
    reject();
}

} // namespace veldor
