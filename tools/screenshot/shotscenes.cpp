#include "shotscenes.h"

#include "data/scenariohistory.h"
#include "ui/formmap.h"

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QTreeWidget>

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
    map->UndoClick();
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
    if (edit == nullptr)
        return {};
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
