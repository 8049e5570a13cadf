#include "tests/ui/personwindow.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/format/scenariolayout.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace veldor;

namespace {

using FormPrsnTest = test::PersonWindow;

TEST_F(FormPrsnTest, ClicksMarkRowsLoadThePersonAndCountTheMarks)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("FPrsn"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("武将修改"));
    EXPECT_EQ(list()->count(), kPersons);
    EXPECT_EQ(list()->markedCount(), 0);
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 0 人）"));

    clickRow(list(), 2);
    clickRow(list(), 5, Qt::ControlModifier);
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 2 人）"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QString::number(store.persons.TongShuai[5]));
    clickRow(list(), 8, Qt::ShiftModifier);
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 5 人）"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QString::number(store.persons.TongShuai[8]));

    // Moving the focus alone loads nothing.
    QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(list()->focusRow(), 9);
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QString::number(store.persons.TongShuai[8]));
    // ... and a text that is no number falls back on the person loaded, not the one in focus.
    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("x"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QString::number(store.persons.TongShuai[8]));
    clickRow(list(), 1);
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 1 人）"));
}

TEST_F(FormPrsnTest, StoredValuesOutOfRangeShowClampedAndStayStored)
{
    store.persons.BornYear[0] = 51;
    store.persons.EnterYear[0] = kNone;
    store.persons.TongShuai[0] = 300;
    store.persons.Rank[0] = kNone;
    store.persons.XingGe[0] = 9;
    store.persons.Aptitude[0][BuBing] = 10000; // more digits than the field lets one type
    form->FormShow();
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_BornYear"))->text(),
              QStringLiteral("181"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_EnterYear"))->text(),
              QStringLiteral("2003"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QStringLiteral("255"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_BuBing"))->text(),
              QStringLiteral("2000"));
    EXPECT_EQ(child<QComboBox>(QStringLiteral("ComboBox_Prsn_Rank"))->currentText(),
              QStringLiteral("——"));
    EXPECT_EQ(child<QComboBox>(QStringLiteral("ComboBox_Prsn_XingGe"))->currentIndex(), -1);
    type(QStringLiteral("Edit_Prsn_BornYear"), QStringLiteral("q"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_BornYear"))->text(),
              QStringLiteral("181"));
    EXPECT_EQ(form->Editor().Work().TongShuai[0], 300);
    EXPECT_EQ(form->Editor().Work().Aptitude[0][BuBing], 10000);

    // A choice that shows no item assigns 65535.
    clickRow(list(), 0);
    press(QStringLiteral("SpeedButton_XingGe"));
    EXPECT_EQ(form->Editor().Work().XingGe[0], kNone);
}

TEST_F(FormPrsnTest, SortKeepsTheFocusedPersonAndDropsTheMarks)
{
    clickRow(list(), 3);
    clickRow(list(), 4, Qt::ControlModifier);
    press(QStringLiteral("Button_Sort_TongShuai"));
    EXPECT_EQ(list()->markedCount(), 0);
    EXPECT_EQ(personAt(list()->focusRow()), 4);
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 0 人）"));
    for (int r = 1; r < kPersons; ++r)
        ASSERT_GE(store.persons.TongShuai[personAt(r - 1)], store.persons.TongShuai[personAt(r)]);
    EXPECT_EQ(list()->item(0)->text(), rowText(personAt(0)));

    press(QStringLiteral("Button_Sort_Name"));
    EXPECT_EQ(list()->focusRow(), 4);
    EXPECT_EQ(list()->item(799)->text(), rowText(799));
}

TEST_F(FormPrsnTest, FlatButtonsAfterASortWriteExactlyTheMarkedPersons)
{
    press(QStringLiteral("Button_Sort_TongShuai"));
    clickRow(list(), 0);
    clickRow(list(), 2, Qt::ShiftModifier);
    const uint16_t a = personAt(0), b = personAt(1), c = personAt(2), d = personAt(3);
    const uint16_t untouched = store.persons.TongShuai[d];

    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("300"));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QStringLiteral("255"));
    // The sort put the highest values first: a low one changes every marked row's text, so a
    // button that forgot to refresh the rows shows.
    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("7"));
    QStringList before;
    for (int r = 0; r < 3; ++r)
        before << list()->item(r)->text();
    press(QStringLiteral("SpeedButton_TongShuai"));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(form->Editor().Work().TongShuai[personAt(r)], 7);
        EXPECT_NE(list()->item(r)->text(), before[r]);
        EXPECT_EQ(list()->item(r)->text(), rowText(personAt(r)));
    }
    EXPECT_EQ(list()->markedCount(), 3);
    EXPECT_EQ(form->Editor().Work().TongShuai[d], untouched);

    type(QStringLiteral("Edit_Prsn_BornYear"), QStringLiteral("100"));
    press(QStringLiteral("SpeedButton_BornYear"));
    type(QStringLiteral("Edit_Prsn_BuBing"), QStringLiteral("1500"));
    press(QStringLiteral("SpeedButton_BuBing"));
    child<QComboBox>(QStringLiteral("ComboBox_Prsn_Rank"))->setCurrentIndex(76);
    press(QStringLiteral("SpeedButton_Rank"));
    child<QComboBox>(QStringLiteral("ComboBox_Prsn_City"))->setCurrentIndex(12);
    press(QStringLiteral("SpeedButton_City"));
    EXPECT_EQ(list()->item(1)->text(), rowText(b));
    EXPECT_TRUE(list()->isMarked(1));
    EXPECT_EQ(store.persons.City[b], kNone); // nothing reaches the store before Apply

    press(QStringLiteral("Button11"));
    EXPECT_EQ(list()->markedCount(), 0);
    EXPECT_EQ(list()->focusRow(), 0);
    QString error;
    ASSERT_TRUE(store.Save(error)) << error.toStdString();
    for (uint16_t p : {a, b, c}) {
        EXPECT_EQ(fileField(p, 16), 7);     // TongShuai
        EXPECT_EQ(fileField(p, 6), 0);      // BornYear: the year 100 is kept at 130
        EXPECT_EQ(fileField(p, 42), 1500);  // BuBing
        EXPECT_EQ(fileField(p, 24), kNone); // Rank "——"
        EXPECT_EQ(fileField(p, 10), 12);    // City
    }
    EXPECT_EQ(fileField(d, 16), untouched);
    EXPECT_NE(fileField(d, 42), 1500);
}

TEST_F(FormPrsnTest, LoyaltyButtonChangesOneForceAndItsFaithRow)
{
    store.Names().setPerson(33, ToGbk(QStringLiteral("孙权")));
    store.forces.King[5] = 33;
    form->FormShow();
    clickRow(list(), 10);
    clickRow(list(), 11, Qt::ControlModifier);
    ListBox* faith = child<ListBox>(QStringLiteral("ListBox_Prsn_Faith"));
    clickRow(faith, 5);
    type(QStringLiteral("Edit_Prsn_Faith"), QStringLiteral("88"));
    press(QStringLiteral("SpeedButton_Faith"));
    EXPECT_EQ(form->Editor().Work().Faith[10][5], 88);
    EXPECT_EQ(form->Editor().Work().Faith[11][5], 88);
    EXPECT_EQ(form->Editor().Work().Faith[11][4], 30);
    EXPECT_EQ(form->Editor().Work().Faith[12][5], 30);
    EXPECT_EQ(faith->item(5)->text(), QStringLiteral("孙权    (88)"));
    EXPECT_TRUE(faith->isMarked(5));
}

TEST_F(FormPrsnTest, SkillBoxesWriteMarkedRowsOnlyAndLoadingWritesNothing)
{
    store.persons.Skill[20][0] = true;
    form->FormShow();
    QCheckBox* first = child<QCheckBox>(QStringLiteral("CheckBox_Skill1"));
    QCheckBox* last = child<QCheckBox>(QStringLiteral("CheckBox_Skill31"));

    QTest::mouseClick(last, Qt::LeftButton); // no marked row: off, nobody changes
    EXPECT_FALSE(last->isEnabled());
    EXPECT_FALSE(last->isChecked());
    for (int p = 0; p < kPersons; ++p)
        ASSERT_FALSE(form->Editor().Work().Skill[p][30]);

    clickRow(list(), 20);
    EXPECT_TRUE(first->isChecked());
    clickRow(list(), 21, Qt::ControlModifier); // shows 21's flags, changes nobody
    EXPECT_FALSE(first->isChecked());
    EXPECT_TRUE(form->Editor().Work().Skill[20][0]);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_TRUE(form->Editor().Work().Skill[20][0]);
    EXPECT_TRUE(form->Editor().Work().Skill[21][0]);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_FALSE(form->Editor().Work().Skill[20][0]);
    EXPECT_FALSE(form->Editor().Work().Skill[21][0]);
}

TEST_F(FormPrsnTest, AMarkedItemMovesToTheCurrentPersonAndStaysWhenUnmarked)
{
    store.items.ItemOwner[0] = 7;
    form->FormShow();
    clickRow(list(), 9);
    ListBox* items = child<ListBox>(QStringLiteral("ListBox_Prsn_Item"));
    EXPECT_FALSE(items->isMarked(0));
    clickRow(items, 0);
    EXPECT_EQ(form->Editor().Holder(0), 9);
    clickRow(items, 0);
    EXPECT_FALSE(items->isMarked(0));
    EXPECT_EQ(form->Editor().Holder(0), 9);
    clickRow(list(), 7);
    EXPECT_FALSE(items->isMarked(0));
    press(QStringLiteral("Button1")); // OK applies and closes
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(store.items.ItemOwner[0], 9);
}

TEST_F(FormPrsnTest, CancelDropsTheWorkingCopyAndTheOrderOutlivesTheWindow)
{
    press(QStringLiteral("Button_Sort_TongShuai"));
    const uint16_t top = personAt(0);
    clickRow(list(), 0);
    type(QStringLiteral("Edit_Prsn_TongShuai"), QStringLiteral("1"));
    press(QStringLiteral("SpeedButton_TongShuai"));
    {
        test::NextAnswer drop(QStringLiteral("放弃"));
        press(QStringLiteral("Button10"));
        EXPECT_EQ(drop.asked, QStringLiteral("DiscardEditsQuestion"));
    }
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_NE(store.persons.TongShuai[top], 1);

    store.persons.TongShuai[top] = 2;
    show();
    EXPECT_EQ(personAt(0), top);
    EXPECT_EQ(list()->item(0)->text(), rowText(top));
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_TongShuai"))->text(),
              QStringLiteral("2"));
}

} // namespace
