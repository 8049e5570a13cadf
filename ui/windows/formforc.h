#pragma once

#include "data/rules/forceeditor.h"
#include "ui/widgets/listbox.h"
#include "ui/windows/form.h"

#include <QStringList>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace veldor {

class FindBar;
class NumberEdit;
class ScenarioStore;

// The force editor: attributes, sovereign, corps owner and cities of the 50 forces, their
// friendliness, deletion, and tools that set loyalties, compatibility and place owners in one
// step. The rules live in ForceEditor; this window places the controls and passes their
// events on. The chosen force is always the force list's selected entry.
class TFForc : public Form
{
    Q_OBJECT
public:
    explicit TFForc(ScenarioStore& store, QWidget* parent = nullptr);

    // Takes a fresh working copy and fills every list; runs on every showing.
    void FormShow() override;

    // Shows the window modally with `force` chosen.
    void ExecOnForce(int force);

    // The working copy, for tests.
    const ForceEditor& Editor() const { return editor_; }

protected:
    bool hasUnappliedEdits() const override { return editor_.Differs(); }
    bool applyEdits() override;
    void dropEdits() override;

private:
    void buildListColumns();
    void buildAttributes();
    void buildTools(QGroupBox* attributes);
    void buildFunctions();
    void buildCommands();
    ListBox* addColumnList(QGroupBox*& group, const QString& groupName, const QString& caption,
                           const QString& listName, int left, int width, int listHeight,
                           ListBox::Marking marking = ListBox::Marking::Single);
    NumberEdit* addNumberEdit(QWidget* parent, ForceNumber field, const QString& name,
                              const QString& label, int top);
    QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, int left,
                           int top, int width, void (TFForc::*handler)());

    int chosenForce() const;
    void fillForceEntry(int force, const QByteArray& text);
    void markCities();
    void markCityRows(const CityMarks& marks);
    // Makes the sovereign list's rows again where a person's name changed since the last
    // showing; true when any did (or the list is not filled yet).
    bool refreshKingRows();

    void ShowForc();
    void SelectKing();
    void SelectMetro();
    void ShowRelation();

    void ListBox_Forc_ForcClick(int row);
    void ListBox_Forc_ForcKeyPress(QKeyEvent* event);
    void ListBox_Forc_KingClick(int row);
    void ListBox_Forc_KingKeyPress(QKeyEvent* event);
    void ListBox_Forc_MetroClick(int row);
    void ListBox_Forc_MetroKeyPress(QKeyEvent* event);
    void ListBox_Forc_CityClick();
    void ListBox_Forc_SkillClick();
    void ListBox_Forc_RelationClick(int row);
    void ListBox_Forc_RelationKeyPress(QKeyEvent* event);
    void Edit_Forc_NumberChange(ForceNumber field, int32_t value);
    void ComboBox_Forc_RankChange(int item);
    void ComboBox_Forc_NameChange(int item);
    void Edit_Forc_RelationChange(int32_t value);
    void Button_Faith_CurrentForceClick();
    void Button_Faith_OtherForceClick();
    void Button_ForceXXClick();
    void Button2Click();
    void Button6Click();
    void Button_DeleteClick();
    void Button_ApplyClick();
    void Button_OkClick();
    void Button_CancelClick();

    ForceEditor editor_;
    int forceToChoose_ = 0;
    // The sovereign list's rows and the names they were made from: names seldom change between
    // showings, and making all 800 rows again was a fifth of a showing.
    std::array<QByteArray, kPersons> kingNames_;
    QStringList kingRows_;

    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QGroupBox* GroupBox8 = nullptr;
    ListBox* ListBox_Forc_Forc = nullptr;
    ListBox* ListBox_Forc_King = nullptr;
    ListBox* ListBox_Forc_City = nullptr;
    ListBox* ListBox_Forc_Relation = nullptr;
    ListBox* ListBox_Forc_Metro = nullptr;
    ListBox* ListBox_Forc_Skill = nullptr;
    NumberEdit* numberEdits_[kForceNumbers] = {};
    QComboBox* ComboBox_Forc_Rank = nullptr;
    QComboBox* ComboBox_Forc_Name = nullptr;
    NumberEdit* Edit_Forc_Relation = nullptr;
    QLineEdit* Edit_Faith_CurrentForce = nullptr;
    QLineEdit* Edit_Faith_OtherForce = nullptr;
    NumberEdit* Edit_ForcXX = nullptr;
    FindBar* findBar_ = nullptr;
};

} // namespace veldor
