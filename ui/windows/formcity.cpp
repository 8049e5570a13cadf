#include "ui/windows/formcity.h"

#include "data/format/gbk.h"
#include "ui/widgets/combobox.h"
#include "ui/widgets/findbar.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace veldor {
namespace {

constexpr int kClientWidth = 362;
constexpr int kClientHeight = 474;
constexpr int kOwnerListRows = 20;
constexpr int kPersonRowHeight = 13;
// A row is 44 bytes when every ability has at most three digits; leave room for longer ones.
constexpr int kPersonRowColumns = 48;

// Separates a value from its maximum.
void addBar(QWidget* parent, const QString& name, int top)
{
    QLabel* bar = MakeLabel(parent, name, QStringLiteral("|"), 226, top);
    QFont font = SongFont(16, true);
    font.setItalic(true);
    bar->setFont(font); // sized to its text when first shown, like every label
}

// Rows are 13 px high in "宋体", whose line is exactly its em box. Qt centres a font's whole
// line in the row, and the fallback CJK fonts have a much taller line than their em box, so
// 13 px would cut off the bottom of the Chinese glyphs (their em box reaches 0.12 em below the
// baseline). Taller rows keep them whole.
int personRowHeight(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal emBelowBaseline = 0.12 * font.pixelSize();
    const qreal needed = metrics.ascent() - metrics.descent() + 2 * emBelowBaseline;
    return std::max(kPersonRowHeight, int(std::ceil(needed)));
}

} // namespace

TFCity::TFCity(ScenarioStore& store, QWidget* parent)
    : Form(QStringLiteral("FCity"), QStringLiteral("城市修改"), kClientWidth, kClientHeight,
           parent),
      editor_(store)
{
    addCommandButton(QStringLiteral("Button_City_OK"), QStringLiteral("确定"), 16,
                     &TFCity::Button_City_OKClick);
    addCommandButton(QStringLiteral("Button_City_Cancel"), QStringLiteral("取消"), 56,
                     &TFCity::Button_City_CancelClick);
    addCommandButton(QStringLiteral("Button_City_Apply"), QStringLiteral("应用"), 96,
                     &TFCity::Button_City_ApplyClick);
    buildAttributes();
    buildPersonList();
}

void TFCity::addCommandButton(const QString& name, const QString& caption, int top,
                              void (TFCity::*handler)())
{
    auto* button = new QPushButton(caption, this);
    Place(button, name, 312, top, 40, 24);
    button->setFont(SongFont(12));
    // Enter in an edit field must not press a button behind the user's back.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
}

void TFCity::buildAttributes()
{
    GroupBox1 = new QGroupBox(QStringLiteral("城市属性"), this);
    Place(GroupBox1, QStringLiteral("GroupBox1"), 8, 8, 289, 129);

    MakeLabel(GroupBox1, QStringLiteral("Label2"), QStringLiteral("所属势力"), 8, 24);
    ComboBox_City_Forc = new ComboBox(GroupBox1);
    Place(ComboBox_City_Forc, QStringLiteral("ComboBox_City_Forc"), 72, 16, 73, 21);
    ComboBox_City_Forc->setMaxVisibleItems(kOwnerListRows);
    connect(ComboBox_City_Forc, &QComboBox::activated, this, &TFCity::ComboBox_City_ForcChange);

    MakeLabel(GroupBox1, QStringLiteral("Label1"), QStringLiteral("平民人口"), 8, 48);
    addEdit(CityField::PingMin, QStringLiteral("Edit_City_PingMin"), 72, 48, 73,
            &TFCity::Edit_City_PingMinChange);
    MakeLabel(GroupBox1, QStringLiteral("Label3"), QStringLiteral("兵役人口"), 8, 72);
    addEdit(CityField::BingYi, QStringLiteral("Edit_City_BingYi"), 72, 72, 73,
            &TFCity::Edit_City_BingYiChange);
    MakeLabel(GroupBox1, QStringLiteral("Label4"), QStringLiteral("士兵"), 16, 96);
    addEdit(CityField::ShiBing, QStringLiteral("Edit_City_ShiBing"), 72, 96, 73,
            &TFCity::Edit_City_ShiBingChange);

    MakeLabel(GroupBox1, QStringLiteral("Label5"), QStringLiteral("民心"), 152, 24);
    addEdit(CityField::MinXin, QStringLiteral("Edit_City_MinXin"), 184, 24, 41,
            &TFCity::Edit_City_MinXinChange);

    MakeLabel(GroupBox1, QStringLiteral("Label6"), QStringLiteral("收益"), 152, 48);
    addEdit(CityField::ShouYi, QStringLiteral("Edit_City_ShouYi"), 184, 48, 41,
            &TFCity::Edit_City_ShouYiChange);
    addBar(GroupBox1, QStringLiteral("Label10"), 48);
    addEdit(CityField::MaxShouYi, QStringLiteral("Edit_City_MaxShouYi"), 240, 48, 41,
            &TFCity::Edit_City_MaxShouYiChange);

    MakeLabel(GroupBox1, QStringLiteral("Label7"), QStringLiteral("收获"), 152, 72);
    addEdit(CityField::ShouHuo, QStringLiteral("Edit_City_ShouHuo"), 184, 72, 41,
            &TFCity::Edit_City_ShouHuoChange);
    addBar(GroupBox1, QStringLiteral("Label11"), 72);
    addEdit(CityField::MaxShouHuo, QStringLiteral("Edit_City_MaxShouHuo"), 240, 72, 41,
            &TFCity::Edit_City_MaxShouHuoChange);

    MakeLabel(GroupBox1, QStringLiteral("Label8"), QStringLiteral("耐久"), 152, 96);
    addEdit(CityField::NaiJiu, QStringLiteral("Edit_City_NaiJiu"), 184, 96, 41,
            &TFCity::Edit_City_NaiJiuChange);
    addBar(GroupBox1, QStringLiteral("Label12"), 96);
    addEdit(CityField::MaxNaiJiu, QStringLiteral("Edit_City_MaxNaiJiu"), 240, 96, 41,
            &TFCity::Edit_City_MaxNaiJiuChange);
}

void TFCity::addEdit(CityField field, const QString& name, int left, int top, int width,
                     void (TFCity::*handler)())
{
    auto* edit = new NumberEdit(CityFieldMaximum(field), kMinCityField, GroupBox1);
    Place(edit, name, left, top, width, 21);
    connect(edit, &NumberEdit::Edited, this, handler);
    edits_[int(field)] = edit;
}

void TFCity::buildPersonList()
{
    GroupBox2 = new QGroupBox(QStringLiteral("城市武将"), this);
    Place(GroupBox2, QStringLiteral("GroupBox2"), 8, 144, 345, 313);

    addColumnButton(QStringLiteral("Button_Prsn_Name"), QStringLiteral("姓名"), 6, 60,
                    &TFCity::Button_Prsn_NameClick);
    addColumnButton(QStringLiteral("Button_Prsn_City"), QStringLiteral("城市"), 65, 36,
                    &TFCity::Button_Prsn_CityClick);
    addColumnButton(QStringLiteral("Button_Prsn_Forc"), QStringLiteral("势力"), 100, 60,
                    &TFCity::Button_Prsn_ForcClick);
    addColumnButton(QStringLiteral("Button_Prsn_Degree"), QStringLiteral("身份"), 158, 43,
                    &TFCity::Button_Prsn_DegreeClick);
    addColumnButton(QStringLiteral("Button_Prsn_TongShuai"), QStringLiteral("统率"), 200, 31,
                    &TFCity::Button_Prsn_TongShuaiClick);
    addColumnButton(QStringLiteral("Button_Prsn_WuLi"), QStringLiteral("武力"), 230, 31,
                    &TFCity::Button_Prsn_WuLiClick);
    addColumnButton(QStringLiteral("Button_Prsn_ZhiLi"), QStringLiteral("智力"), 260, 30,
                    &TFCity::Button_Prsn_ZhiLiClick);
    addColumnButton(QStringLiteral("Button_Prsn_ZhengZhi"), QStringLiteral("政治"), 288, 31,
                    &TFCity::Button_Prsn_ZhengZhiClick);

    ListBox_City_Prsn = new ListBox(ListBox::Marking::Toggle, GroupBox2);
    Place(ListBox_City_Prsn, QStringLiteral("ListBox_City_Prsn"), 6, 40, 331, 265);
    // The column heads reach 2 pixels into the list; they stay on top so that their captions
    // are whole.
    ListBox_City_Prsn->lower();
    // A click here toggles a mark, so a match only takes the focus; Space toggles it.
    ListBox_City_Prsn->setRecordOfRow([this](int row) { return editor_.CityPrsnOrder.order[row]; });
    findBar_ = new FindBar(ListBox_City_Prsn, FindBar::Going::FocusOnly, editor_.Names());
}

void TFCity::addColumnButton(const QString& name, const QString& caption, int left, int width,
                             void (TFCity::*handler)())
{
    auto* button = new QPushButton(caption, GroupBox2);
    Place(button, name, left, 24, width, 18);
    // An 18-pixel button leaves 12 pixels inside its bevel.
    button->setFont(SongFont(12));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
}

void TFCity::FormShow()
{
    ComboBox_City_Forc->clear();
    editor_.Load(CurCity);
    GroupBox1->setTitle(FromGbk(editor_.GroupCaption()));

    QStringList owners;
    for (int force = 0; force < kForces; ++force)
        owners << FromGbk(editor_.ForceEntryText(force));
    ComboBox_City_Forc->addItems(owners);
    fillPersonRows(editor_.CityMarks());
    ComboBox_City_Forc->setCurrentIndex(editor_.OwnerEntry());

    // Putting the stored values in runs each field's change rule, so an out-of-range stored
    // value is clamped in the working copy right here and stored clamped by Apply or OK.
    for (int field = 0; field < kCityFields; ++field) {
        const int32_t value = editor_.FieldValue(CityField(field));
        edits_[field]->setFallback(value);
        edits_[field]->setValue(value);
    }
    editor_.MarkLoaded(personMarks());
}

void TFCity::fillPersonRows(const RowMarks& marks)
{
    QStringList rows;
    rows.reserve(kPersons);
    for (int row = 0; row < kPersons; ++row) {
        // A sort builds the same texts in another order: each is decoded once.
        const QByteArray text = editor_.RowText(row);
        auto decoded = decodedRows_.constFind(text);
        if (decoded == decodedRows_.cend()) {
            if (decodedRows_.size() > 4 * kPersons)
                decodedRows_.clear();
            decoded = decodedRows_.insert(text, FromGbk(text));
        }
        rows << *decoded;
    }
    ListBox_City_Prsn->setRows(rows);
    const QFont& font = ListBox_City_Prsn->font();
    const QSize rowSize(TextColumnsWidth(font, kPersonRowColumns), personRowHeight(font));
    for (int row = 0; row < kPersons; ++row) {
        ListBox_City_Prsn->item(row)->setSizeHint(rowSize);
        if (marks[row])
            ListBox_City_Prsn->setMarked(row, true);
    }
}

RowMarks TFCity::personMarks() const
{
    RowMarks marks;
    for (int row : ListBox_City_Prsn->markedRows())
        if (row < kPersons)
            marks[row] = true;
    return marks;
}

void TFCity::Edit_City_Change(CityField field)
{
    NumberEdit* edit = edits_[int(field)];
    edit->setFallback(editor_.ChangeField(field, edit->text()));
}

void TFCity::ComboBox_City_ForcChange(int entry)
{
    if (!editor_.ChooseForce(entry))
        ComboBox_City_Forc->setCurrentIndex(-1);
}

void TFCity::Button_Prsn_Click(CityPrsnColumn column)
{
    fillPersonRows(editor_.SortByColumn(column, personMarks()));
}

bool TFCity::hasUnappliedEdits() const
{
    return editor_.Differs(personMarks());
}

bool TFCity::applyEdits()
{
    editor_.Store(personMarks());
    reportApplied();
    return true;
}

void TFCity::dropEdits()
{
    FormShow(); // drops the working copy
}

void TFCity::Button_City_ApplyClick()
{
    applyEdits();
    FormShow();
}

void TFCity::Button_City_OKClick()
{
    applyEdits();
    accept();
}

void TFCity::Button_City_CancelClick()
{
    reject();
}

} // namespace veldor
