#include "shotscenes.h"

#include "ui/widgets/listbox.h"

#include "data/format/scenariocodec.h"
#include "data/session/scenariohistory.h"
#include "ui/windows/formmap.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QSaveFile>
#include <QToolTip>
#include <QTreeWidget>

#include <memory>

namespace veldor {

void MakeTypicalEdits(TFMap* map)
{
    ScenarioStore& store = map->Store();
    store.cities.PingMin[9] += 5000;
    store.cities.MinXin[9] = 90;
    map->EditorApplied(EditorKind::City);

    const uint16_t force = store.cities.Forc[9] < kForces ? store.cities.Forc[9] : 0;
    store.forces.Money[force] += 2000;
    store.forces.Grain[force] += 8000;
    map->EditorApplied(EditorKind::Force);

    for (int person : {0, 1, 2})
        store.persons.TongShuai[person] = 90;
    map->EditorApplied(EditorKind::Person);

    store.persons.WuLi[3] = 99;
    map->EditorApplied(EditorKind::Person);
    map->Undo();
}

namespace {

bool replaceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

DiskChange::DiskChange(const QString& path) : path_(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    original_ = file.readAll();
    QByteArray bytes = original_;
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(bytes, *tables);
    tables->persons.WuLi[5] = uint16_t(tables->persons.WuLi[5] == 88 ? 87 : 88);
    tables->cities.PingMin[9] += 1;
    EncodeScenario(*tables, bytes);
    made_ = replaceFile(path, bytes);
}

DiskChange::~DiskChange()
{
    if (made_)
        replaceFile(path_, original_);
}

void OpenHistoryEntries(QDialog* history)
{
    auto* tree = history->findChild<QTreeWidget*>(QStringLiteral("TreeView_History"));
    if (tree == nullptr)
        return;
    for (int k = 0; k + 1 < tree->topLevelItemCount(); ++k)
        tree->topLevelItem(k)->setExpanded(true);
}

QRect ShowPendingField(QDialog* personEditor)
{
    auto* edit = personEditor->findChild<QLineEdit*>(QStringLiteral("Edit_Prsn_WuLi"));
    auto* persons = personEditor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
    if (edit == nullptr || persons == nullptr)
        return {};
    // A marked person, whom the flat button would give the value.
    persons->activateRow(0);
    edit->setText(edit->text() == QStringLiteral("99") ? QStringLiteral("98")
                                                       : QStringLiteral("99"));
    const QPoint at = edit->mapToGlobal(QPoint(edit->width() / 2, edit->height()));
    QHelpEvent help(QEvent::ToolTip, QPoint(edit->width() / 2, edit->height() / 2), at);
    QApplication::sendEvent(edit, &help);
    QApplication::processEvents();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible())
            return top->frameGeometry();
    return {};
}

} // namespace veldor
