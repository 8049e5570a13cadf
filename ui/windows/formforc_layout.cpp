// The force editor's controls: six full-height columns, from left to right the force list,
// the attributes with the function group and the commands below, the sovereign list, the city
// list, the friendliness group and the corps list.
#include "ui/windows/formforc.h"

#include "data/format/forcechoices.h"

#include "ui/widgets/combobox.h"
#include "ui/widgets/findbar.h"
#include "ui/widgets/groupframe.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veldor {
namespace {

constexpr int kClientWidth = 687;
constexpr int kClientHeight = 509;

// Every column runs from kTop to kTop + kColumnHeight, 4 px apart.
constexpr int kTop = 4;
constexpr int kColumnHeight = 501;
constexpr int kForceLeft = 4, kForceWidth = 86;
constexpr int kAttrLeft = 94, kAttrWidth = 213;
constexpr int kKingLeft = 311, kKingWidth = 86;
constexpr int kCityLeft = 401, kCityWidth = 66;
constexpr int kRelationLeft = 471, kRelationWidth = 122;
constexpr int kMetroLeft = 597, kMetroWidth = 86;

// Inside a group box: below its caption, 6 px from its frame.
constexpr int kGroupInnerTop = 18;
constexpr int kGroupInnerSide = 6;

// The attribute group: labels on the left, fields in one column.
constexpr int kAttrHeight = 394;
constexpr int kLabelLeft = 10;
constexpr int kFieldLeft = 72;
constexpr int kFieldWidth = 132;
constexpr int kRowTop = 22;
constexpr int kRowStep = 26;
constexpr int kFieldHeight = 22;
constexpr int kButtonHeight = 24;

constexpr int kFunctionTop = kTop + kAttrHeight + 2;
constexpr int kFunctionHeight = 74;
constexpr int kCommandTop = kFunctionTop + kFunctionHeight + 5;
constexpr int kCommandHeight = kTop + kColumnHeight - kCommandTop;

QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height)
{
    auto* group = new GroupFrame(caption, parent);
    Place(group, name, left, top, width, height);
    return group;
}

} // namespace

TFForc::TFForc(ScenarioStore& store, QWidget* parent)
    : Form(QStringLiteral("FForc"), QStringLiteral("势力修改"), kClientWidth, kClientHeight,
           parent),
      editor_(store)
{
    buildListColumns();
    buildAttributes();
    buildFunctions();
    buildCommands();
}

ListBox* TFForc::addColumnList(QGroupBox*& group, const QString& groupName, const QString& caption,
                               const QString& listName, int left, int width, int listHeight,
                               ListBox::Marking marking)
{
    group = makeGroup(this, groupName, caption, left, kTop, width, kColumnHeight);
    auto* list = new ListBox(marking, group);
    Place(list, listName, kGroupInnerSide, kGroupInnerTop, width - 2 * kGroupInnerSide, listHeight);
    return list;
}

void TFForc::buildListColumns()
{
    const int fullList = kColumnHeight - kGroupInnerTop - kGroupInnerSide;
    ListBox_Forc_Forc =
        addColumnList(GroupBox1, QStringLiteral("GroupBox1"), QStringLiteral("势力列表"),
                      QStringLiteral("ListBox_Forc_Forc"), kForceLeft, kForceWidth, fullList);
    ListBox_Forc_King =
        addColumnList(GroupBox3, QStringLiteral("GroupBox3"), QStringLiteral("君主"),
                      QStringLiteral("ListBox_Forc_King"), kKingLeft, kKingWidth, fullList);
    // A click on a sovereign makes him one, so a match only takes the focus; Space or a click
    // then chooses him, and the persons passed on the way stay as they were.
    findBar_ = new FindBar(ListBox_Forc_King, FindBar::Going::FocusOnly, editor_.Names());
    ListBox_Forc_City = addColumnList(GroupBox4, QStringLiteral("GroupBox4"),
                                      QStringLiteral("城市"), QStringLiteral("ListBox_Forc_City"),
                                      kCityLeft, kCityWidth, fullList, ListBox::Marking::Toggle);
    ListBox_Forc_Metro =
        addColumnList(GroupBox8, QStringLiteral("GroupBox8"), QStringLiteral("军团归属"),
                      QStringLiteral("ListBox_Forc_Metro"), kMetroLeft, kMetroWidth, fullList);

    // The friendliness group keeps a row below its list for the value of the chosen entry.
    const int relationEditTop = kColumnHeight - kGroupInnerSide - kFieldHeight;
    ListBox_Forc_Relation =
        addColumnList(GroupBox5, QStringLiteral("GroupBox5"), QStringLiteral("友好"),
                      QStringLiteral("ListBox_Forc_Relation"), kRelationLeft, kRelationWidth,
                      relationEditTop - kGroupInnerTop - kGroupInnerSide);
    MakeLabel(GroupBox5, QStringLiteral("Label6"), QStringLiteral("修改友好度"), 8,
              relationEditTop + 4);
    Edit_Forc_Relation = new NumberEdit(kMaxByteValue, 0, GroupBox5);
    Place(Edit_Forc_Relation, QStringLiteral("Edit_Forc_Relation"), 78, relationEditTop,
          kRelationWidth - 78 - kGroupInnerSide, kFieldHeight);

    connect(ListBox_Forc_Forc, &ListBox::Click, this, &TFForc::ListBox_Forc_ForcClick);
    connect(ListBox_Forc_Forc, &ListBox::KeyPress, this, &TFForc::ListBox_Forc_ForcKeyPress);
    connect(ListBox_Forc_King, &ListBox::Click, this, &TFForc::ListBox_Forc_KingClick);
    connect(ListBox_Forc_King, &ListBox::KeyPress, this, &TFForc::ListBox_Forc_KingKeyPress);
    connect(ListBox_Forc_Metro, &ListBox::Click, this, &TFForc::ListBox_Forc_MetroClick);
    connect(ListBox_Forc_Metro, &ListBox::KeyPress, this, &TFForc::ListBox_Forc_MetroKeyPress);
    connect(ListBox_Forc_City, &ListBox::Click, this, &TFForc::ListBox_Forc_CityClick);
    connect(ListBox_Forc_Relation, &ListBox::Click, this, &TFForc::ListBox_Forc_RelationClick);
    connect(ListBox_Forc_Relation, &ListBox::KeyPress, this,
            &TFForc::ListBox_Forc_RelationKeyPress);
    connect(Edit_Forc_Relation, &NumberEdit::Edited, this, &TFForc::Edit_Forc_RelationChange);
}

NumberEdit* TFForc::addNumberEdit(QWidget* parent, ForceNumber field, const QString& name,
                                  const QString& label, int top)
{
    MakeLabel(parent, QString(), label, kLabelLeft, top + 4);
    auto* edit = new NumberEdit(ForceNumberMaximum(field), kMinForceNumber, parent);
    Place(edit, name, kFieldLeft, top, kFieldWidth, kFieldHeight);
    connect(edit, &NumberEdit::Edited, this,
            [this, field](int32_t value) { Edit_Forc_NumberChange(field, value); });
    numberEdits_[int(field)] = edit;
    return edit;
}

void TFForc::buildAttributes()
{
    GroupBox2 = makeGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("势力属性"), kAttrLeft,
                          kTop, kAttrWidth, kAttrHeight);
    addNumberEdit(GroupBox2, ForceNumber::Money, QStringLiteral("Edit_Forc_Money"),
                  QStringLiteral("钱"), kRowTop);
    addNumberEdit(GroupBox2, ForceNumber::Grain, QStringLiteral("Edit_Forc_Grain"),
                  QStringLiteral("粮"), kRowTop + kRowStep);
    addNumberEdit(GroupBox2, ForceNumber::MinRepute, QStringLiteral("Edit_Forc_MinRepute"),
                  QStringLiteral("最小信望"), kRowTop + 2 * kRowStep);
    addNumberEdit(GroupBox2, ForceNumber::Repute, QStringLiteral("Edit_Forc_Repute"),
                  QStringLiteral("信望"), kRowTop + 3 * kRowStep);

    const int rankTop = kRowTop + 4 * kRowStep;
    MakeLabel(GroupBox2, QString(), QStringLiteral("官爵"), kLabelLeft, rankTop + 4);
    ComboBox_Forc_Rank = new ComboBox(GroupBox2);
    ComboBox_Forc_Rank->addItems(ForceRankItems());
    Place(ComboBox_Forc_Rank, QStringLiteral("ComboBox_Forc_Rank"), kFieldLeft, rankTop,
          kFieldWidth, kFieldHeight);
    const int nameTop = rankTop + kRowStep;
    MakeLabel(GroupBox2, QString(), QStringLiteral("国号"), kLabelLeft, nameTop + 4);
    ComboBox_Forc_Name = new ComboBox(GroupBox2);
    ComboBox_Forc_Name->addItems(ForceNameItems());
    ComboBox_Forc_Name->setMaxVisibleItems(kForceNameItems);
    Place(ComboBox_Forc_Name, QStringLiteral("ComboBox_Forc_Name"), kFieldLeft, nameTop,
          kFieldWidth, kFieldHeight);
    connect(ComboBox_Forc_Rank, &QComboBox::activated, this, &TFForc::ComboBox_Forc_RankChange);
    connect(ComboBox_Forc_Name, &QComboBox::activated, this, &TFForc::ComboBox_Forc_NameChange);

    const int skillTop = nameTop + kRowStep + 6;
    MakeLabel(GroupBox2, QString(), QStringLiteral("兵法"), kLabelLeft, skillTop + 4);
    MakeLabel(GroupBox2, QString(), QStringLiteral("(可多选)"), kLabelLeft, skillTop + 22);
    ListBox_Forc_Skill = new ListBox(ListBox::Marking::Toggle, GroupBox2);
    ListBox_Forc_Skill->setRows(ForceSkillCaptions());
    Place(ListBox_Forc_Skill, QStringLiteral("ListBox_Forc_Skill"), kFieldLeft, skillTop,
          kFieldWidth, 118);
    connect(ListBox_Forc_Skill, &ListBox::Click, this, &TFForc::ListBox_Forc_SkillClick);

    buildTools(GroupBox2);
}

QPushButton* TFForc::addButton(QWidget* parent, const QString& name, const QString& caption,
                               int left, int top, int width, void (TFForc::*handler)())
{
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    Place(button, name, left, top, width, kButtonHeight);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void TFForc::buildTools(QGroupBox* attributes)
{
    // Below the skill list: three tools, each a button with the value it sets beside it.
    constexpr int toolTop = 306, toolStep = 28, buttonWidth = 112;
    constexpr int editLeft = 8 + buttonWidth + 6;
    constexpr int editWidth = kAttrWidth - editLeft - 9;
    addButton(attributes, QStringLiteral("Button_Faith_CurrentForce"), QStringLiteral("本势力忠诚"),
              8, toolTop, buttonWidth, &TFForc::Button_Faith_CurrentForceClick);
    addButton(attributes, QStringLiteral("Button_Faith_OtherForce"), QStringLiteral("他势力忠诚"),
              8, toolTop + toolStep, buttonWidth, &TFForc::Button_Faith_OtherForceClick);
    addButton(attributes, QStringLiteral("Button_ForceXX"), QStringLiteral("本势力相性"), 8,
              toolTop + 2 * toolStep, buttonWidth, &TFForc::Button_ForceXXClick);

    // The two loyalty values are read only when their button is pressed, with every person's
    // own value as fallback; the compatibility value is kept a number 0..255 as it is typed.
    Edit_Faith_CurrentForce = new QLineEdit(QStringLiteral("255"), attributes);
    Place(Edit_Faith_CurrentForce, QStringLiteral("Edit_Faith_CurrentForce"), editLeft, toolTop,
          editWidth, kButtonHeight);
    Edit_Faith_OtherForce = new QLineEdit(QStringLiteral("0"), attributes);
    Place(Edit_Faith_OtherForce, QStringLiteral("Edit_Faith_OtherForce"), editLeft,
          toolTop + toolStep, editWidth, kButtonHeight);
    Edit_ForcXX = new NumberEdit(kMaxByteValue, 0, attributes);
    Place(Edit_ForcXX, QStringLiteral("Edit_ForcXX"), editLeft, toolTop + 2 * toolStep, editWidth,
          kButtonHeight);
}

void TFForc::buildFunctions()
{
    GroupBox6 = makeGroup(this, QStringLiteral("GroupBox6"), QStringLiteral("功能"), kAttrLeft,
                          kFunctionTop, kAttrWidth, kFunctionHeight);
    constexpr int firstTop = 18, secondTop = 44, fullWidth = kAttrWidth - 16;
    addButton(GroupBox6, QStringLiteral("Button_Delete"), QStringLiteral("删除势力"), 8, firstTop,
              94, &TFForc::Button_DeleteClick);
    addButton(GroupBox6, QStringLiteral("Button6"), QStringLiteral("地域归属城市"), 106, firstTop,
              fullWidth - 98, &TFForc::Button6Click);
    addButton(GroupBox6, QStringLiteral("Button2"), QStringLiteral("调整武将忠诚度"), 8, secondTop,
              fullWidth, &TFForc::Button2Click);
}

void TFForc::buildCommands()
{
    constexpr int gap = 6, width = (kAttrWidth - 2 * gap) / 3;
    addButton(this, QStringLiteral("Button_Ok"), QStringLiteral("确定"), kAttrLeft, kCommandTop,
              width, &TFForc::Button_OkClick)
        ->resize(width, kCommandHeight);
    addButton(this, QStringLiteral("Button_Cancel"), QStringLiteral("取消"),
              kAttrLeft + width + gap, kCommandTop, width, &TFForc::Button_CancelClick)
        ->resize(width, kCommandHeight);
    addButton(this, QStringLiteral("Button_Apply"), QStringLiteral("应用"),
              kAttrLeft + 2 * (width + gap), kCommandTop, width, &TFForc::Button_ApplyClick)
        ->resize(width, kCommandHeight);
}

} // namespace veldor
