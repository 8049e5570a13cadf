// The consistency check in the editor: 功能 → 检查剧本 on the store, and each kind of finding
// opening, on a double-click, the editor that mends it on the right record.
#include "mapfixture.h"

#include "data/format/fieldlabels.h"
#include "data/format/recordlabel.h"
#include "data/format/scenariocodec.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplefindings.h"
#include "tools/sample/samplescenario.h"
#include "ui/widgets/findbar.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/windows/formcheck.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formforc.h"
#include "ui/windows/formprsn.h"

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
            if (!group->text(0).endsWith(u' ' + QLatin1String(kind)) || group->childCount() == 0)
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

TEST_F(CheckWindow, ListsTheStoresFindingsByKindInChineseAndOpensTheEditorOfAValue)
{
    openSample(true);
    // An edit not saved yet is seen: the check runs on the store, not the file.
    ScenarioStore& store = map->Store();
    store.cities.NaiJiu[2] = uint16_t(store.cities.MaxNaiJiu[2] + 7);
    store.persons.TongShuai[5] = 300;
    inCheckWindow([&](TFCheck* check) {
        EXPECT_EQ(check->windowTitle(), QStringLiteral("剧本检查"));
        const QStringList texts = groups(check);
        ASSERT_EQ(texts.size(), 6) << texts.join('\n').toStdString();
        EXPECT_EQ(texts[0],
                  QStringLiteral("君主所在的城市不属于他的势力（1） sovereign-outside-own-land"));
        EXPECT_TRUE(texts[4].startsWith(QStringLiteral("收益、收获、耐久大于各自的上限（2）")));
        EXPECT_TRUE(texts[5].startsWith(QStringLiteral("编辑器不允许的值")));
        // Users read Chinese names, never a field's identifier.
        QTreeWidgetItem* values = tree(check)->topLevelItem(4);
        EXPECT_EQ(values->child(1)->text(0),
                  QStringLiteral("%1 的 耐久 = %2 大于 最大耐久 = %3")
                      .arg(ChineseRecordLabel(store, store.Names(), TableId::Cities, 2))
                      .arg(store.cities.NaiJiu[2])
                      .arg(store.cities.MaxNaiJiu[2]));
        // As wide as the widest row, so that long findings scroll sideways whole.
        const QAbstractItemView* view = tree(check);
        EXPECT_EQ(tree(check)->header()->sectionSize(0), view->sizeHintForColumn(0));
        EXPECT_EQ(tree(check)->topLevelItem(5)->child(0)->text(0),
                  QStringLiteral("%1 的 统率 = 300 超出 0..255")
                      .arg(ChineseRecordLabel(store, store.Names(), TableId::Persons, 5)));
        uint16_t loaded = kNone;
        whenModal<TFPrsn>([&](TFPrsn* editor) {
            ListBox* rows = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
            QTRY_COMPARE(editor->Editor().PersonAt(rows->focusRow()), uint16_t(5));
            loaded = editor->Editor().PersonAt(rows->focusRow());
            editor->reject();
        });
        doubleClick(check, row(check, "value-out-of-range"));
        EXPECT_EQ(loaded, 5);
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
        EXPECT_FALSE(groups(check).join(' ').contains(QStringLiteral(" value-above-maximum")));
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

// Enter of the keypad opens a finding as Return does; two strategists of one force are mended
// in the person editor, on the first of them.
TEST_F(CheckWindow, KeypadEnterOpensSeveralStrategistsInThePersonEditor)
{
    openSample(true);
    inCheckWindow([&](TFCheck* check) {
        Finding finding;
        QTreeWidgetItem* item = row(check, "several-strategists", &finding);
        const uint16_t person = uint16_t(finding.records.at(1).index);
        QString opened;
        whenModal<TFPrsn>([&](TFPrsn* editor) {
            ListBox* rows = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
            QTRY_COMPARE(editor->Editor().PersonAt(rows->focusRow()), person);
            opened = QStringLiteral("person");
            editor->reject();
        });
        whenModal<TFForc>([&](TFForc* editor) {
            opened = QStringLiteral("force");
            editor->reject();
        });
        tree(check)->setFocus();
        tree(check)->setCurrentItem(item);
        QTest::keyClick(tree(check), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(opened, QStringLiteral("person"));
    });
}

} // namespace
} // namespace veldor::test
