#include "ui/windows/formforc.h"

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "ui/widgets/findbar.h"
#include "ui/widgets/numberedit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace veldor {
namespace {

// The selected entry of a single-selection list, or -1.
int selectedRow(const ListBox* list)
{
    const int row = list->focusRow();
    return list->isMarked(row) ? row : -1;
}

// Makes `row` the one selected entry (none for an invalid row), by program.
void selectOnly(ListBox* list, int row)
{
    list->clearMarks();
    if (row < 0 || row >= list->count())
        return;
    list->setMarked(row, true);
    list->setFocusRow(row);
}

// The key-press routines run for keys that type a character, not for moves or modifiers.
bool typesCharacter(const QKeyEvent* event)
{
    return !event->text().isEmpty();
}

QStringList forceEntries(const ForceEditor& editor)
{
    QStringList entries;
    for (int force = 0; force < kForces; ++force)
        entries << FromGbk(editor.ForceEntryText(force));
    return entries;
}

} // namespace

void TFForc::FormShow()
{
    editor_.Load();
    const QStringList forces = forceEntries(editor_);
    ListBox_Forc_Forc->setRows(forces);
    ListBox_Forc_Metro->setRows(forces);
    if (refreshKingRows())
        ListBox_Forc_King->setRows(kingRows_);
    else
        ListBox_Forc_King->clearMarks();
    QStringList cities;
    for (int c = 0; c < kCities; ++c)
        cities << FromGbk(CityNameText(editor_.Names(), uint16_t(c)));
    ListBox_Forc_City->setRows(cities);
    ListBox_Forc_Relation->setRows({});
    selectOnly(ListBox_Forc_Forc, ValidForce(forceToChoose_) ? forceToChoose_ : 0);
    forceToChoose_ = 0;
    selectOnly(ListBox_Forc_Metro, 0);
    ShowForc();
    editor_.MarkLoaded();
}

void TFForc::ExecOnForce(int force)
{
    forceToChoose_ = force;
    exec();
}

bool TFForc::refreshKingRows()
{
    const NameTables& names = editor_.Names();
    bool changed = kingRows_.size() != kPersons || ListBox_Forc_King->count() != kPersons;
    if (kingRows_.size() != kPersons)
        kingRows_ = QStringList(kPersons);
    for (int p = 0; p < kPersons; ++p) {
        const QByteArray& name = names.person(p);
        if (!changed && name == kingNames_[size_t(p)])
            continue;
        kingNames_[size_t(p)] = name;
        kingRows_[p] = FromGbk(PrsnNameText(names, uint16_t(p)));
        changed = true;
    }
    return changed;
}

int TFForc::chosenForce() const
{
    return selectedRow(ListBox_Forc_Forc);
}

void TFForc::ShowForc()
{
    const int f = chosenForce();
    if (!ValidForce(f))
        return;
    editor_.ClampShownNumbers(f);
    for (int field = 0; field < kForceNumbers; ++field) {
        NumberEdit* edit = numberEdits_[field];
        edit->setFallback(editor_.Number(f, ForceNumber(field)));
        edit->setValue(editor_.Number(f, ForceNumber(field)));
    }
    Edit_ForcXX->setValue(editor_.SovereignXiangXing(f));
    selectOnly(ListBox_Forc_King, editor_.forces.King[f]);
    selectOnly(ListBox_Forc_Metro, editor_.forces.Metro[f]);
    markCities();

    QStringList relations;
    for (int j = 0; j < kForces; ++j)
        relations << FromGbk(editor_.RelationEntryText(f, j));
    ListBox_Forc_Relation->setRows(relations);
    selectOnly(ListBox_Forc_Relation, f);
    Edit_Forc_Relation->setFallback(editor_.forces.Relation[f][f]);
    Edit_Forc_Relation->setValue(editor_.forces.Relation[f][f]);

    ComboBox_Forc_Rank->setCurrentIndex(editor_.RankItem(f));
    ComboBox_Forc_Name->setCurrentIndex(editor_.NameItem(f));
    for (int k = 0; k < kSkills; ++k)
        ListBox_Forc_Skill->setMarked(k, editor_.forces.Skill[f][k]);
}

// In one change of the selection: city by city, each mark merged and repainted the whole
// selection again.
void TFForc::markCities()
{
    markCityRows(editor_.OwnedCities(chosenForce()));
}

void TFForc::markCityRows(const CityMarks& marks)
{
    QList<int> rows;
    for (int c = 0; c < kCities; ++c)
        if (marks[c])
            rows << c;
    ListBox_Forc_City->setMarkedRows(rows);
}

void TFForc::fillForceEntry(int force, const QByteArray& text)
{
    ListBox_Forc_Forc->setRowText(force, FromGbk(text), true);
    ListBox_Forc_Metro->setRowText(force, FromGbk(text), true);
}

void TFForc::SelectKing()
{
    const int f = chosenForce();
    const int king = selectedRow(ListBox_Forc_King);
    if (!ValidForce(f) || king < 0)
        return;
    editor_.SelectKing(f, king);
    fillForceEntry(f, editor_.ForceEntryText(f));
    ListBox_Forc_Relation->setRowText(f, FromGbk(editor_.RelationEntryText(f, f)), true);
}

void TFForc::SelectMetro()
{
    editor_.SelectMetro(chosenForce(), selectedRow(ListBox_Forc_Metro));
}

void TFForc::ShowRelation()
{
    const int f = chosenForce();
    const int toward = selectedRow(ListBox_Forc_Relation);
    if (!ValidForce(f) || !ValidForce(toward))
        return;
    Edit_Forc_Relation->setFallback(editor_.forces.Relation[f][toward]);
    Edit_Forc_Relation->setValue(editor_.forces.Relation[f][toward]);
}

// A single-selection list cannot be emptied by clicking: a click always leaves its row chosen.
void TFForc::ListBox_Forc_ForcClick(int row)
{
    selectOnly(ListBox_Forc_Forc, row);
    ShowForc();
}

void TFForc::ListBox_Forc_ForcKeyPress(QKeyEvent* event)
{
    if (typesCharacter(event))
        ShowForc();
}

void TFForc::ListBox_Forc_KingClick(int row)
{
    selectOnly(ListBox_Forc_King, row);
    SelectKing();
}

void TFForc::ListBox_Forc_KingKeyPress(QKeyEvent* event)
{
    if (typesCharacter(event))
        SelectKing();
}

void TFForc::ListBox_Forc_MetroClick(int row)
{
    selectOnly(ListBox_Forc_Metro, row);
    SelectMetro();
}

void TFForc::ListBox_Forc_MetroKeyPress(QKeyEvent* event)
{
    if (typesCharacter(event))
        SelectMetro();
}

void TFForc::ListBox_Forc_CityClick()
{
    CityMarks marks{};
    for (int c = 0; c < kCities; ++c)
        marks[c] = ListBox_Forc_City->isMarked(c);
    markCityRows(editor_.ToggleCities(chosenForce(), marks));
}

void TFForc::ListBox_Forc_SkillClick()
{
    bool flags[kSkills];
    for (int k = 0; k < kSkills; ++k)
        flags[k] = ListBox_Forc_Skill->isMarked(k);
    editor_.SetSkills(chosenForce(), flags);
}

void TFForc::ListBox_Forc_RelationClick(int row)
{
    selectOnly(ListBox_Forc_Relation, row);
    ShowRelation();
}

void TFForc::ListBox_Forc_RelationKeyPress(QKeyEvent* event)
{
    if (typesCharacter(event))
        ShowRelation();
}

void TFForc::Edit_Forc_NumberChange(ForceNumber field, int32_t value)
{
    const int f = chosenForce();
    editor_.SetNumber(f, field, value);
    numberEdits_[int(field)]->setFallback(editor_.Number(f, field));
}

void TFForc::ComboBox_Forc_RankChange(int item)
{
    editor_.ChooseRankItem(chosenForce(), item);
}

void TFForc::ComboBox_Forc_NameChange(int item)
{
    editor_.ChooseNameItem(chosenForce(), item);
}

void TFForc::Edit_Forc_RelationChange(int32_t value)
{
    const int f = chosenForce();
    const int toward = selectedRow(ListBox_Forc_Relation);
    if (!ValidForce(f) || !ValidForce(toward))
        return;
    editor_.SetRelation(f, toward, value);
    Edit_Forc_Relation->setFallback(editor_.forces.Relation[f][toward]);
    ListBox_Forc_Relation->setRowText(toward, FromGbk(editor_.RelationEntryText(f, toward)), true);
}

void TFForc::Button_Faith_CurrentForceClick()
{
    editor_.SetOwnForceLoyalty(chosenForce(), Edit_Faith_CurrentForce->text());
}

void TFForc::Button_Faith_OtherForceClick()
{
    editor_.SetOtherForceLoyalty(chosenForce(), Edit_Faith_OtherForce->text());
}

void TFForc::Button_ForceXXClick()
{
    editor_.SetCompatibility(chosenForce(), Edit_ForcXX->text());
}

void TFForc::Button2Click()
{
    editor_.SetStandardLoyalty();
}

void TFForc::Button6Click()
{
    editor_.PlacesFollowCities();
}

void TFForc::Button_DeleteClick()
{
    const int f = chosenForce();
    if (!ValidForce(f))
        return;
    editor_.Delete(f);
    markCities();
    fillForceEntry(f, ForceEditor::DeletedForceText());
    ListBox_Forc_Relation->setRowText(f, FromGbk(editor_.DeletedRelationText(f)), true);
    ListBox_Forc_King->clearMarks();
    // The force now stands alone; its corps entry says so rather than the owner it had.
    selectOnly(ListBox_Forc_Metro, f);
}

bool TFForc::applyEdits()
{
    editor_.Store();
    editor_.MarkLoaded();
    reportApplied();
    return true;
}

void TFForc::dropEdits()
{
    editor_.Load();
}

void TFForc::Button_ApplyClick()
{
    applyEdits();
}

void TFForc::Button_OkClick()
{
    applyEdits();
    accept();
}

void TFForc::Button_CancelClick()
{
    reject();
}

} // namespace veldor
