// Undo, redo and the change history window, through the editors and down to the saved file.

#include "editsfixture.h"

#include "support/scenariofiles.h"

#include "data/format/fielddiff.h"
#include "data/format/fieldlabels.h"
#include "data/format/recordlabel.h"
#include "ui/windows/formhistory.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>

namespace veldor::test {
namespace {

using History = EditsWindow;

TEST_F(History, UndoAndRedoAcrossTheEditorsReachTheSavedFileExactly)
{
    EXPECT_FALSE(action(QStringLiteral("UndoAction"))->isEnabled());
    EXPECT_FALSE(action(QStringLiteral("RedoAction"))->isEnabled());
    saveThroughButton(); // what a save writes for the file as opened
    const QByteArray unedited = ReadBytes(path);

    applyInCityEditor(9, 4321);
    applyInForceEditor(77777);
    applyInPersonEditor(6, 201);
    ASSERT_EQ(map->History().Steps().size(), 3u);
    saveThroughButton();
    const QByteArray edited = ReadBytes(path);
    ASSERT_NE(edited, unedited);

    for (int k = 0; k < 3; ++k)
        action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_FALSE(action(QStringLiteral("UndoAction"))->isEnabled());
    saveThroughButton();
    EXPECT_EQ(ReadBytes(path), unedited);

    for (int k = 0; k < 3; ++k)
        action(QStringLiteral("RedoAction"))->trigger();
    EXPECT_FALSE(action(QStringLiteral("RedoAction"))->isEnabled());
    saveThroughButton();
    EXPECT_EQ(ReadBytes(path), edited);
}

TEST_F(History, UndoAndRedoRepaintTheCityMap)
{
    openThroughDialog(writeScenario(QStringLiteral("D_Sce03.kqx"), 13, [](ScenarioTables& t) {
        t.cities.Forc[9] = 4;
        t.forces.King[4] = 123;
    }));
    const QString before = cityButton(9)->text();
    // A change the map shows, recorded as the force editor's OK records it.
    map->Store().forces.King[4] = kNone;
    map->EditorApplied(EditorKind::Force);
    ASSERT_EQ(cityButton(9)->text(), QStringLiteral("空"));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(cityButton(9)->text(), before);
    action(QStringLiteral("RedoAction"))->trigger();
    EXPECT_EQ(cityButton(9)->text(), QStringLiteral("空"));
}

TEST_F(History, WindowListsStepsWithTheirLinesAndUndoesToAnEntry)
{
    const auto opened = tablesOfFile(path);
    const int32_t oldPingMin = map->Store().cities.PingMin[9];
    applyInCityEditor(9, 4321);
    applyInPersonEditor(6, 201);
    applyInPersonEditor(7, 202);
    action(QStringLiteral("UndoAction"))->trigger();

    QStringList entries;
    std::vector<bool> bold; // the current step, where undo would go back from
    QString firstLine;
    QString position;
    answers.reset();
    whenModal<TFHistory>([&](TFHistory* window) {
        auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("TreeView_History"));
        for (int k = 0; k < tree->topLevelItemCount(); ++k) {
            entries << tree->topLevelItem(k)->text(0);
            bold.push_back(tree->topLevelItem(k)->font(0).bold());
        }
        tree->topLevelItem(0)->setExpanded(true);
        firstLine = tree->topLevelItem(0)->child(0)->text(0);
        position = window->findChild<QLabel*>(QStringLiteral("Label_Position"))->text();
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        window->findChild<QAbstractButton*>(QStringLiteral("Button_UndoThrough"))->click();
        EXPECT_TRUE(tree->topLevelItem(0)->text(0).endsWith(QStringLiteral("（已撤销）")));
        window->accept();
    });
    action(QStringLiteral("HistoryAction"))->trigger();
    answers = std::make_unique<ModalAnswer>();

    const QString city = RecordName(map->Store(), map->Store().Names(), TableId::Cities, 9);
    const QString person = RecordName(map->Store(), map->Store().Names(), TableId::Persons,
                                      map->History().Steps()[1].changes.Unpack().front().record);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0], QStringLiteral("1. 城市修改：") + city);
    EXPECT_EQ(entries[1], QStringLiteral("2. 武将修改：") + person);
    EXPECT_TRUE(entries[2].endsWith(QStringLiteral("（已撤销）")));
    EXPECT_EQ(bold, std::vector<bool>({false, true, false}));
    // Chinese names, not identifiers: "城市 濮阳：平民人口 1234 → 4321".
    EXPECT_EQ(firstLine,
              ChineseRecordLabel(map->Store(), map->Store().Names(), TableId::Cities, 9) +
                  QStringLiteral("：平民人口 %1 → 4321").arg(oldPingMin))
        << firstLine.toStdString();
    EXPECT_EQ(position, QStringLiteral("当前位置：第 2 步，共 3 步"));
    EXPECT_EQ(storeBytes(), opened) << "undone back through the first entry";
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
}

TEST_F(History, WindowCountsTheDroppedStepsAndRedoesToAnEntry)
{
    map->SetHistoryBudget(1); // only the newest step is kept
    applyInCityEditor(9, 4321);
    applyInCityEditor(9, 4322);
    applyInCityEditor(9, 4323);
    action(QStringLiteral("UndoAction"))->trigger();
    const QString title = map->History().Steps().back().title;
    EXPECT_EQ(action(QStringLiteral("RedoAction"))->text(),
              QStringLiteral("重做 ") + title + QStringLiteral("(&Y)"));
    EXPECT_EQ(action(QStringLiteral("UndoAction"))->text(), QStringLiteral("撤销(&U)"));

    QStringList entries;
    bool undoEnabled = true;
    answers.reset();
    whenModal<TFHistory>([&](TFHistory* window) {
        auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("TreeView_History"));
        tree->setCurrentItem(tree->topLevelItem(1));
        undoEnabled =
            window->findChild<QAbstractButton*>(QStringLiteral("Button_UndoThrough"))->isEnabled();
        window->findChild<QAbstractButton*>(QStringLiteral("Button_RedoThrough"))->click();
        for (int k = 0; k < tree->topLevelItemCount(); ++k)
            entries << tree->topLevelItem(k)->text(0);
        window->accept();
    });
    action(QStringLiteral("HistoryAction"))->trigger();
    answers = std::make_unique<ModalAnswer>();

    EXPECT_FALSE(undoEnabled) << "an undone entry is redone, not undone";
    EXPECT_EQ(entries, QStringList({QStringLiteral("更早的 2 步已不能撤销"),
                                    QStringLiteral("3. ") + title}));
    EXPECT_EQ(map->Store().cities.PingMin[9], 4323);
    EXPECT_EQ(map->statusBar()->currentMessage(), QStringLiteral("已重做：") + title);
}

} // namespace
} // namespace veldor::test
