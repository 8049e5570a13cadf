// The consistency check in the editor: 功能 → 检查剧本 on the store, and each kind of finding
// opening, on a double-click, the editor that mends it on the right record.
#include "mapfixture.h"

#include "data/recordlabel.h"
#include "data/scenariocodec.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplefindings.h"
#include "tools/sample/samplescenario.h"
#include "ui/findbar.h"
#include "ui/formcheck.h"
#include "ui/formcity.h"
#include "ui/formforc.h"
#include "ui/formprsn.h"
#include "ui/listbox.h"
#include "ui/numberedit.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

namespace veldor::test {
namespace {

class CheckWindow : public MapWindow
{
protected:
    // The sample of seed 1, with the five planted mistakes when `findings` is set.
    void openSample(bool findings)
    {
        QByteArray bytes = MakeSampleScenarioBytes(1);
        if (findings) {
            auto tables = std::make_unique<ScenarioTables>();
            DecodeScenario(bytes, *tables);
            PlantFindings(*tables);
            EncodeScenario(*tables, bytes);
        }
        const QString path = dir.filePath(QStringLiteral("D_Sce1.kqx"));
        WriteBytes(path, bytes);
        openThroughDialog(path);
        answers.reset(); // the tests answer the windows themselves
    }
    // Runs `work` in the check window, opened through its menu item, then closes it.
    void inCheckWindow(std::function<void(TFCheck*)> work)
    {
        bool ran = false;
        whenModal<TFCheck>([&](TFCheck* check) {
            work(check);
            ran = true;
            check->reject();
        });
        map->findChild<QAction*>(QStringLiteral("CheckAction"))->trigger();
        EXPECT_TRUE(ran);
    }
    static QTreeWidget* tree(TFCheck* check)
    {
        return check->findChild<QTreeWidget*>(QStringLiteral("TreeView_Check"));
    }
    static QStringList groups(TFCheck* check)
    {
        QStringList texts;
        for (int g = 0; g < tree(check)->topLevelItemCount(); ++g)
            texts << tree(check)->topLevelItem(g)->text(0);
        return texts;
    }
    // The first finding row of `kind`, and the finding it stands for.
    static QTreeWidgetItem* row(TFCheck* check, const char* kind, Finding* finding = nullptr)
    {
        for (int g = 0; g < tree(check)->topLevelItemCount(); ++g) {
            QTreeWidgetItem* group = tree(check)->topLevelItem(g);
            if (!group->text(0).startsWith(QLatin1String(kind)) || group->childCount() == 0)
                continue;
            for (const Finding& f : check->Findings())
                if (f.kind == QLatin1String(kind) && finding)
                    *finding = f;
            return group->child(0);
        }
        ADD_FAILURE() << "no finding of kind " << kind;
        return nullptr;
    }
    static void doubleClick(TFCheck* check, QTreeWidgetItem* item)
    {
        QTreeWidget* view = tree(check);
        view->scrollToItem(item);
        // What a window system delivers for a double-click: a click, then a double-click event
        // in place of the second press.
        const QPoint at = view->visualItemRect(item).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(CheckWindow, ListsTheStoresFindingsByKindWithCountsInTheCommandsWording)
{
    openSample(true);
    // An edit not saved yet is seen: the check runs on the store, not the file.
    ScenarioStore& store = map->Store();
    store.cities.NaiJiu[2] = uint16_t(store.cities.MaxNaiJiu[2] + 7);
    inCheckWindow([&](TFCheck* check) {
        EXPECT_EQ(check->windowTitle(), QStringLiteral("剧本检查"));
        const QStringList texts = groups(check);
        ASSERT_EQ(texts.size(), 5) << texts.join('\n').toStdString();
        EXPECT_TRUE(texts[0].startsWith(QStringLiteral("sovereign-outside-own-land（1）")));
        EXPECT_TRUE(texts[4].startsWith(QStringLiteral("value-above-maximum（2）")));
        QTreeWidgetItem* values = tree(check)->topLevelItem(4);
        EXPECT_EQ(values->child(1)->text(0), QStringLiteral("%1 的 NaiJiu = %2 大于 MaxNaiJiu = %3")
                                                 .arg(RecordLabel(store, TableId::Cities, 2))
                                                 .arg(store.cities.NaiJiu[2])
                                                 .arg(store.cities.MaxNaiJiu[2]));
        // As wide as the widest row, so that long findings scroll sideways whole.
        EXPECT_EQ(tree(check)->header()->sectionSize(0), tree(check)->sizeHintForColumn(0));
    });
}

TEST_F(CheckWindow, ACityFindingOpensTheCityEditorOnItsCityAndTheFixLeavesTheList)
{
    openSample(true);
    const uint16_t maximum = map->Store().cities.MaxShouYi[0];
    inCheckWindow([&](TFCheck* check) {
        whenModal<TFCity>([&](TFCity* city) {
            EXPECT_EQ(city->CurCity, 0);
            auto* edit = city->findChild<NumberEdit*>(QStringLiteral("Edit_City_ShouYi"));
            edit->selectAll();
            QTest::keyClicks(edit, QString::number(maximum));
            city->findChild<QAbstractButton*>(QStringLiteral("Button_City_OK"))->click();
        });
        doubleClick(check, row(check, "value-above-maximum"));
        EXPECT_EQ(map->Store().cities.ShouYi[0], maximum);
        // Enter opens a finding as well.
        Finding unowned;
        tree(check)->setCurrentItem(row(check, "city-of-empty-force", &unowned));
        int opened = -1;
        whenModal<TFCity>([&](TFCity* city) {
            opened = city->CurCity;
            city->reject();
        });
        QTest::keyClick(tree(check), Qt::Key_Return);
        EXPECT_EQ(opened, unowned.records.at(0).index);
        EXPECT_EQ(groups(check).size(), 4);
        EXPECT_FALSE(groups(check).join(' ').contains(QStringLiteral("value-above-maximum")));
    });
}

TEST_F(CheckWindow, AForceFindingOpensTheForceEditorWithThatForceChosen)
{
    openSample(true);
    inCheckWindow([&](TFCheck* check) {
        Finding finding;
        QTreeWidgetItem* item = row(check, "sovereign-outside-own-land", &finding);
        const int force = finding.records.at(0).index;
        ASSERT_NE(force, 0); // so that the default choice cannot pass for it
        int chosen = -1;
        whenModal<TFForc>([&](TFForc* editor) {
            ListBox* forces = editor->findChild<ListBox*>(QStringLiteral("ListBox_Forc_Forc"));
            chosen = forces->isMarked(forces->focusRow()) ? forces->focusRow() : -1;
            editor->reject();
        });
        doubleClick(check, item);
        EXPECT_EQ(chosen, force);
    });
    // The next opening from the main window starts on the first force again.
    int chosen = -1;
    whenModal<TFForc>([&](TFForc* editor) {
        chosen = editor->findChild<ListBox*>(QStringLiteral("ListBox_Forc_Forc"))->focusRow();
        editor->reject();
    });
    button(QStringLiteral("Button51"))->click();
    EXPECT_EQ(chosen, 0);
}

TEST_F(CheckWindow, APersonFindingOpensThePersonEditorWithThePersonFoundAndLoaded)
{
    openSample(true);
    inCheckWindow([&](TFCheck* check) {
        Finding finding;
        QTreeWidgetItem* item = row(check, "sovereign-without-force", &finding);
        const uint16_t person = uint16_t(finding.records.at(0).index);
        ASSERT_NE(person, 0);
        whenModal<TFPrsn>([&](TFPrsn* editor) {
            ListBox* rows = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
            QTRY_COMPARE(editor->Editor().PersonAt(rows->focusRow()), person);
            EXPECT_EQ(editor->findChild<FindBar*>()->text(), QString::number(person));
            EXPECT_EQ(editor->findChild<NumberEdit*>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
                      QString::number(map->Store().persons.TongShuai[person]));
            EXPECT_EQ(rows->markedCount(), 1);
            // Mend him: standing 在野 through the flat button, then OK.
            editor->findChild<QComboBox*>(QStringLiteral("ComboBox_Prsn_Degree"))
                ->setCurrentIndex(kUnaffiliated);
            editor->findChild<QAbstractButton*>(QStringLiteral("SpeedButton_Degree"))->click();
            editor->findChild<QAbstractButton*>(QStringLiteral("Button1"))->click();
        });
        doubleClick(check, item);
        EXPECT_EQ(map->Store().persons.Degree[person], kUnaffiliated);
        EXPECT_FALSE(groups(check).join(' ').contains(QStringLiteral("sovereign-without-force")));
    });
}

TEST_F(CheckWindow, NoFindingsIsOneRowThatOpensNothing)
{
    openSample(false);
    inCheckWindow([&](TFCheck* check) {
        EXPECT_EQ(groups(check), QStringList{QStringLiteral("没有发现问题")});
        answers = std::make_unique<ModalAnswer>();
        doubleClick(check, tree(check)->topLevelItem(0));
        EXPECT_TRUE(answers->windows.isEmpty());
        answers.reset();
    });
}

TEST_F(CheckWindow, TheMenuItemAsksForAFileFirst)
{
    map->findChild<QAction*>(QStringLiteral("CheckAction"))->trigger();
    EXPECT_EQ(answers->messages, QStringList{QStringLiteral("你还没打开文件呢")});
    EXPECT_TRUE(answers->windows.isEmpty());
}

} // namespace
} // namespace veldor::test
