#include "ui/windows/formprsn.h"

#include "data/format/personchoices.h"
#include "data/session/scenariostore.h"
#include "ui/widgets/combobox.h"
#include "ui/widgets/findbar.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/groupframe.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/widgets/pendinginputs.h"
#include "ui/widgets/rowheight.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace veldor {
namespace {

constexpr int kClientWidth = 731;
constexpr int kClientHeight = 510;
constexpr int kEditHeight = 21;
// Two pixels more than the list was designed with: the CJK fonts at hand draw their 13-pixel
// glyphs with a pixel above and below, which 13-pixel rows would cut off.
constexpr int kPrsnRowHeight = 15;
// Six pixels wider than designed, up to the group's frame: Qt's drop-down arrow takes more room
// than the one the window was laid out for, and three-character items ("未成年") would be cut.
constexpr int kChoiceWidth = 63;

using FieldHandler = void (TFPrsn::*)();

QFont SkillFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(11);
    return font;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, int left, int top,
                     int width, int height)
{
    auto* group = new GroupFrame(QString::fromUtf8(caption), parent);
    Place(group, QString::fromUtf8(name), left, top, width, height);
    return group;
}

struct SortButton
{
    const char* name;
    const char* caption;
    int left;
    int width;
    PrsnSortKey key;
};

constexpr SortButton kSortButtons[kPrsnSortKeys] = {
    {"Button_Sort_Name", "姓名", 6, 55, PrsnSortKey::Name},
    {"Button_Sort_City", "城市", 58, 35, PrsnSortKey::City},
    {"Button_Sort_Forc", "势力", 90, 60, PrsnSortKey::Forc},
    {"Button_Sort_Degree", "身份", 148, 48, PrsnSortKey::Degree},
    {"Button_Sort_TongShuai", "统率", 195, 34, PrsnSortKey::TongShuai},
    {"Button_Sort_WuLi", "武力", 225, 32, PrsnSortKey::WuLi},
    {"Button_Sort_ZhiLi", "智力", 254, 32, PrsnSortKey::ZhiLi},
    {"Button_Sort_ZhengZhi", "政治", 283, 32, PrsnSortKey::ZhengZhi},
};

// Where each skill box stands in the tactics group: nine columns, one per aptitude.
struct SkillPlace
{
    int left;
    int top;
    int width;
};

constexpr SkillPlace kSkillPlaces[kSkills] = {
    {8, 56, 49},    {8, 72, 57},   {8, 88, 49},    {48, 56, 41},  {48, 72, 41},   {48, 88, 41},
    {88, 56, 41},   {88, 72, 41},  {88, 88, 41},   {128, 56, 41}, {128, 72, 41},  {128, 88, 41},
    {168, 56, 41},  {168, 72, 41}, {168, 88, 41},  {208, 56, 41}, {208, 72, 41},  {208, 88, 41},
    {208, 104, 41}, {248, 56, 41}, {248, 72, 41},  {248, 88, 41}, {248, 104, 41}, {288, 56, 40},
    {288, 72, 40},  {288, 88, 40}, {288, 104, 40}, {328, 56, 41}, {328, 72, 41},  {328, 88, 41},
    {328, 104, 41},
};

constexpr FieldHandler kFieldHandlers[kPrsnFields] = {
    &TFPrsn::SpeedButton_TongShuaiClick, &TFPrsn::SpeedButton_WuLiClick,
    &TFPrsn::SpeedButton_ZhiLiClick,     &TFPrsn::SpeedButton_ZhengZhiClick,
    &TFPrsn::SpeedButton_BornYearClick,  &TFPrsn::SpeedButton_EnterYearClick,
    &TFPrsn::SpeedButton_YiLiClick,      &TFPrsn::SpeedButton_YeXinClick,
    &TFPrsn::SpeedButton_XiangXingClick, &TFPrsn::SpeedButton_BuBingClick,
    &TFPrsn::SpeedButton_QiBingClick,    &TFPrsn::SpeedButton_GongQiClick,
    &TFPrsn::SpeedButton_NuBingClick,    &TFPrsn::SpeedButton_ShuiJunClick,
    &TFPrsn::SpeedButton_GongChengClick, &TFPrsn::SpeedButton_ZhiLueClick,
    &TFPrsn::SpeedButton_MouLueClick,    &TFPrsn::SpeedButton_CeLueClick,
    &TFPrsn::SpeedButton_FaithClick,
};

constexpr FieldHandler kChoiceHandlers[kPrsnChoices] = {
    &TFPrsn::SpeedButton_XingGeClick,
    &TFPrsn::SpeedButton_DegreeClick,
    &TFPrsn::SpeedButton_CityClick,
    &TFPrsn::SpeedButton_RankClick,
};

} // namespace

TFPrsn::TFPrsn(ScenarioStore& store, QWidget* parent)
    : Form(QStringLiteral("FPrsn"), QStringLiteral("武将修改"), kClientWidth, kClientHeight,
           parent),
      editor_(store)
{
    buildPersonList();
    ListBox_Prsn_Prsn->setRecordOfRow([this](int row) { return editor_.PersonAt(row); });
    findBar_ = new FindBar(ListBox_Prsn_Prsn, FindBar::Going::Click, store.Names());
    buildAttributes();
    buildFaith();
    buildItems();
    buildTactics();
    buildCommandButtons();
    watchPendingInputs();
}

void TFPrsn::watchPendingInputs()
{
    pending_ = new PendingInputs(this);
    const auto buttonOf = [this](const char* name) {
        return findChild<QAbstractButton*>(QStringLiteral("SpeedButton_") +
                                           QString::fromUtf8(name));
    };
    for (int f = 0; f < kPrsnFields; ++f)
        pending_->add(edits_[f], buttonOf(Rule(PrsnField(f)).name));
    for (int c = 0; c < kPrsnChoices; ++c)
        pending_->add(choices_[c], buttonOf(Rule(PrsnChoice(c)).name));
}

void TFPrsn::buildPersonList()
{
    GroupBox1 = MakeGroup(this, "GroupBox1", "武将列表", 8, 8, 337, 497);
    for (const SortButton& sort : kSortButtons) {
        auto* button = new QPushButton(QString::fromUtf8(sort.caption), GroupBox1);
        Place(button, QString::fromUtf8(sort.name), sort.left, 16, sort.width, 18);
        // An 18-pixel button leaves 12 pixels inside its bevel.
        button->setFont(SongFont(12));
        button->setAutoDefault(false);
        const PrsnSortKey key = sort.key;
        connect(button, &QPushButton::clicked, this, [this, key] { Button_SortClick(key); });
    }
    ListBox_Prsn_Prsn = new ListBox(ListBox::Marking::Extended, GroupBox1);
    Place(ListBox_Prsn_Prsn, QStringLiteral("ListBox_Prsn_Prsn"), 6, 32, 323, 457);
    SetRowHeight(ListBox_Prsn_Prsn, kPrsnRowHeight);
    // The column heads reach 2 pixels into the list; they stay on top so that their captions
    // are whole.
    ListBox_Prsn_Prsn->lower();
    connect(ListBox_Prsn_Prsn, &ListBox::Click, this, &TFPrsn::ListBox_Prsn_PrsnClick);
    connect(ListBox_Prsn_Prsn, &ListBox::KeyPress, this, &TFPrsn::ListBox_Prsn_PrsnKeyPress);
}

NumberEdit* TFPrsn::addEdit(PrsnField field, QWidget* group, int left, int top, int width)
{
    const PrsnFieldRule& rule = Rule(field);
    auto* edit = new NumberEdit(rule.editMaximum, 0, group);
    Place(edit, QStringLiteral("Edit_Prsn_") + QString::fromUtf8(rule.name), left, top, width,
          kEditHeight);
    if (rule.maxLength > 0)
        edit->setMaxLength(rule.maxLength);
    edits_[int(field)] = edit;
    return edit;
}

QToolButton* TFPrsn::addFlatButton(QWidget* group, const char* name, const char* caption, int left,
                                   int top, int width, int height)
{
    auto* button = new QToolButton(group);
    button->setText(QString::fromUtf8(caption));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Place(button, QStringLiteral("SpeedButton_") + QString::fromUtf8(name), left, top, width,
          height);
    flatButtons_.push_back(button);
    return button;
}

void TFPrsn::buildAttributes()
{
    QGroupBox* group = MakeGroup(this, "GroupBox2", "武将属性", 352, 8, 121, 329);
    constexpr int kFirstTop = 16;
    constexpr int kStep = 24;
    for (int f = 0; f <= int(PrsnField::XiangXing); ++f) {
        const int top = kFirstTop + kStep * f;
        addEdit(PrsnField(f), group, 56, top, 41);
        QToolButton* button = addFlatButton(group, Rule(PrsnField(f)).name,
                                            Rule(PrsnField(f)).caption, 4, top, 50, kEditHeight);
        connect(button, &QToolButton::clicked, this, kFieldHandlers[f]);
    }
    const QStringList* items[kPrsnChoices] = {&PrsnXingGeItems(), &PrsnDegreeItems(),
                                              &PrsnCityItems(), &PrsnRankItems()};
    for (int c = 0; c < kPrsnChoices; ++c) {
        const PrsnChoiceRule& rule = Rule(PrsnChoice(c));
        const int top = kFirstTop + kStep * (int(PrsnField::XiangXing) + 1 + c);
        const bool rank = PrsnChoice(c) == PrsnChoice::Rank;
        auto* combo = new ComboBox(group);
        combo->addItems(*items[c]);
        combo->setMaxVisibleItems(16);
        Place(combo, QStringLiteral("ComboBox_Prsn_") + QString::fromUtf8(rule.name),
              rank ? 32 : 56, top, rank ? 81 : kChoiceWidth, kEditHeight);
        // Three characters at 13 pixels need 39 of the 38 pixels beside the drop-down arrow;
        // at 12 they fit.
        if (PrsnChoice(c) == PrsnChoice::Degree)
            combo->setFont(SongFont(12));
        choices_[c] = combo;
        QToolButton* button = addFlatButton(group, rule.name, rule.caption, rank ? 2 : 4, top,
                                            rank ? 30 : 50, kEditHeight);
        connect(button, &QToolButton::clicked, this, kChoiceHandlers[c]);
    }
}

void TFPrsn::buildFaith()
{
    QGroupBox* group = MakeGroup(this, "GroupBox6", "忠诚度", 480, 8, 121, 329);
    ListBox_Prsn_Faith = new ListBox(ListBox::Marking::Single, group);
    Place(ListBox_Prsn_Faith, QStringLiteral("ListBox_Prsn_Faith"), 8, 16, 105, 281);
    connect(ListBox_Prsn_Faith, &ListBox::Click, this, &TFPrsn::ListBox_Prsn_FaithClick);
    connect(ListBox_Prsn_Faith, &ListBox::KeyPress, this, &TFPrsn::ListBox_Prsn_FaithKeyPress);
    addEdit(PrsnField::Faith, group, 72, 304, 41);
    const PrsnFieldRule& rule = Rule(PrsnField::Faith);
    QToolButton* button = addFlatButton(group, rule.name, rule.caption, 2, 304, 69, kEditHeight);
    connect(button, &QToolButton::clicked, this, &TFPrsn::SpeedButton_FaithClick);
}

void TFPrsn::buildItems()
{
    QGroupBox* group = MakeGroup(this, "GroupBox3", "宝物", 608, 8, 121, 329);
    ListBox_Prsn_Item = new ListBox(ListBox::Marking::Toggle, group);
    Place(ListBox_Prsn_Item, QStringLiteral("ListBox_Prsn_Item"), 8, 16, 105, 305);
    ListBox_Prsn_Item->setRows(ItemNames());
    connect(ListBox_Prsn_Item, &ListBox::Click, this, &TFPrsn::ListBox_Prsn_ItemClick);
}

void TFPrsn::buildTactics()
{
    QGroupBox* group = MakeGroup(this, "GroupBox5", "兵法", 352, 344, 377, 129);
    for (int a = 0; a < kAptitudes; ++a) {
        const PrsnField field = PrsnField(int(PrsnField::BuBing) + a);
        const int left = 8 + 40 * a;
        addEdit(field, group, left, 32, 36);
        QToolButton* button =
            addFlatButton(group, Rule(field).name, Rule(field).caption, left, 13, 36, 19);
        connect(button, &QToolButton::clicked, this, kFieldHandlers[int(field)]);
    }
    const QFont font = SkillFont();
    const QStringList& captions = PrsnSkillCaptions();
    for (int k = 0; k < kSkills; ++k) {
        auto* box = new QCheckBox(captions[k], group);
        box->setFont(font);
        // Keeps a gap between a caption and the next column's box.
        box->setStyleSheet(QStringLiteral("QCheckBox { spacing: 1px; }"));
        const SkillPlace& at = kSkillPlaces[k];
        Place(box, QStringLiteral("CheckBox_Skill%1").arg(k + 1), at.left, at.top, at.width, 17);
        const int flag = k + 1;
        connect(box, &QCheckBox::clicked, this,
                [this, flag](bool checked) { CheckBox_SkillClick(flag, checked); });
        skills_[k] = box;
    }
}

void TFPrsn::buildCommandButtons()
{
    struct Command
    {
        const char* name;
        const char* caption;
        int left;
        void (TFPrsn::*handler)();
    };
    const Command commands[] = {{"Button1", "确 定", 408, &TFPrsn::Button1Click},
                                {"Button10", "取消", 496, &TFPrsn::Button10Click},
                                {"Button11", "应 用", 584, &TFPrsn::Button11Click}};
    for (const Command& command : commands) {
        auto* button = new QPushButton(QString::fromUtf8(command.caption), this);
        Place(button, QString::fromUtf8(command.name), command.left, 480, 75, 25);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, command.handler);
    }
}

} // namespace veldor
