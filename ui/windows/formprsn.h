#pragma once

#include "data/rules/personeditor.h"
#include "ui/widgets/listbox.h"
#include "ui/windows/form.h"

#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QToolButton;

namespace veldor {

class FindBar;
class NumberEdit;
class PendingInputs;
class ScenarioStore;

// The person editor: all 800 persons in one sortable list with extended marking, the current
// person's values, and flat buttons that assign a value to every person in a marked row. The
// rules live in PersonEditor; this window places the controls and passes their events on.
class TFPrsn : public Form
{
    Q_OBJECT
public:
    explicit TFPrsn(ScenarioStore& store, QWidget* parent = nullptr);

    // Shows the window modally with `person` found in the list and loaded.
    void ExecOnPerson(uint16_t person);

    // Takes a fresh working copy, rebuilds the list in the current order, loads row 0.
    void FormShow() override;
    // Loads the person of the focus row into the controls and shows the number marked.
    void ShowCurPrsn();
    // The person loaded into the controls; every edit that takes "the current person" means him.
    uint16_t LoadedPerson() const { return loadedPerson_; }

    const PersonEditor& Editor() const { return editor_; }
    // The 23 flat buttons' handlers, named after their buttons.
    void SpeedButton_TongShuaiClick() { SpeedButton_FieldClick(PrsnField::TongShuai); }
    void SpeedButton_WuLiClick() { SpeedButton_FieldClick(PrsnField::WuLi); }
    void SpeedButton_ZhiLiClick() { SpeedButton_FieldClick(PrsnField::ZhiLi); }
    void SpeedButton_ZhengZhiClick() { SpeedButton_FieldClick(PrsnField::ZhengZhi); }
    void SpeedButton_BornYearClick() { SpeedButton_FieldClick(PrsnField::BornYear); }
    void SpeedButton_EnterYearClick() { SpeedButton_FieldClick(PrsnField::EnterYear); }
    void SpeedButton_YiLiClick() { SpeedButton_FieldClick(PrsnField::YiLi); }
    void SpeedButton_YeXinClick() { SpeedButton_FieldClick(PrsnField::YeXin); }
    void SpeedButton_XiangXingClick() { SpeedButton_FieldClick(PrsnField::XiangXing); }
    void SpeedButton_BuBingClick() { SpeedButton_FieldClick(PrsnField::BuBing); }
    void SpeedButton_QiBingClick() { SpeedButton_FieldClick(PrsnField::QiBing); }
    void SpeedButton_GongQiClick() { SpeedButton_FieldClick(PrsnField::GongQi); }
    void SpeedButton_NuBingClick() { SpeedButton_FieldClick(PrsnField::NuBing); }
    void SpeedButton_ShuiJunClick() { SpeedButton_FieldClick(PrsnField::ShuiJun); }
    void SpeedButton_GongChengClick() { SpeedButton_FieldClick(PrsnField::GongCheng); }
    void SpeedButton_ZhiLueClick() { SpeedButton_FieldClick(PrsnField::ZhiLue); }
    void SpeedButton_MouLueClick() { SpeedButton_FieldClick(PrsnField::MouLue); }
    void SpeedButton_CeLueClick() { SpeedButton_FieldClick(PrsnField::CeLue); }
    void SpeedButton_FaithClick() { SpeedButton_FieldClick(PrsnField::Faith); }
    void SpeedButton_XingGeClick() { SpeedButton_ChoiceClick(PrsnChoice::XingGe); }
    void SpeedButton_DegreeClick() { SpeedButton_ChoiceClick(PrsnChoice::Degree); }
    void SpeedButton_CityClick() { SpeedButton_ChoiceClick(PrsnChoice::City); }
    void SpeedButton_RankClick() { SpeedButton_ChoiceClick(PrsnChoice::Rank); }

protected:
    bool hasUnappliedEdits() const override;
    bool applyEdits() override;
    void dropEdits() override;

private:
    void buildPersonList();
    void buildAttributes();
    void buildFaith();
    void buildItems();
    void buildTactics();
    void buildCommandButtons();
    void watchPendingInputs();
    NumberEdit* addEdit(PrsnField field, QWidget* group, int left, int top, int width);
    QToolButton* addFlatButton(QWidget* group, const char* name, const char* caption, int left,
                               int top, int width, int height);

    RowMarks markedRows() const;
    // Caption, flat buttons and skill boxes follow the number of marked rows: with none they
    // would change nobody, so they are off.
    void showMarkedCount();
    void fillPersonRows();
    void refreshMarkedRows(const RowMarks& marks);
    void fillFaithList(uint16_t person);
    void refreshFallbacks();

    // The list's own events. A focus-only move loads nothing.
    void ListBox_Prsn_PrsnClick(int row, ListBox::Input input);
    void ListBox_Prsn_PrsnKeyPress(QKeyEvent* event);
    void Button_SortClick(PrsnSortKey key);

    void ShowCurFaith();
    void ListBox_Prsn_FaithClick();
    void ListBox_Prsn_FaithKeyPress(QKeyEvent* event);
    void ListBox_Prsn_ItemClick();
    void CheckBox_SkillClick(int flag, bool checked);

    // The 23 flat buttons: 19 beside numeric fields, 4 beside choices.
    void SpeedButton_FieldClick(PrsnField field);
    void SpeedButton_ChoiceClick(PrsnChoice choice);

    // Values typed but not assigned: all of them, or only that of `only` when given.
    int pendingCount(const QWidget* only = nullptr) const;
    // Asks about those values and assigns or drops them; false means the user wants to stay.
    bool settlePendingValues(QWidget* only = nullptr);
    // `list` has just taken a user input that reloads controls holding pending values (only
    // `only` when given). The question is asked with the list put back as it was, so that
    // assigning reaches the rows marked before; the input then goes through unless the user
    // stays, which leaves the list as it was. False means stay.
    bool settleBeforeReload(ListBox* list, QWidget* only = nullptr);
    void applyWorkingCopy();

    void Button11Click(); // apply
    void Button1Click();  // OK
    void Button10Click(); // cancel

    PersonEditor editor_;
    int personToFind_ = -1;

    QGroupBox* GroupBox1 = nullptr;
    ListBox* ListBox_Prsn_Prsn = nullptr;
    ListBox* ListBox_Prsn_Faith = nullptr;
    ListBox* ListBox_Prsn_Item = nullptr;
    FindBar* findBar_ = nullptr;
    NumberEdit* edits_[kPrsnFields] = {};
    QComboBox* choices_[kPrsnChoices] = {};
    QCheckBox* skills_[kSkills] = {};
    std::vector<QToolButton*> flatButtons_;
    PendingInputs* pending_ = nullptr;
    uint16_t loadedPerson_ = 0;
};

} // namespace veldor
