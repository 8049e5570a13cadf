#include "tests/ui/citywindow.h"

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

using namespace veldor;

namespace {

using namespace veldor::test::city;
using FormCityTest = test::CityWindow;

TEST_F(FormCityTest, ShowingFillsEveryControl)
{
    show();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("城市修改"));
    EXPECT_EQ(form->objectName(), QStringLiteral("FCity"));
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(),
              QStringLiteral("城市属性--") + FromGbk(CityNameText(store.Names(), kEdited)));
    EXPECT_EQ(owners()->count(), kForces);
    EXPECT_EQ(owners()->currentIndex(), 7);
    EXPECT_EQ(owners()->itemText(2), QStringLiteral("关羽    "));
    EXPECT_EQ(owners()->itemText(0), QStringLiteral("空      "));
    EXPECT_EQ(owners()->maxVisibleItems(), 20);
    EXPECT_EQ(list()->count(), kPersons);
    EXPECT_EQ(list()->markedCount(), 1);
    EXPECT_TRUE(list()->isMarked(kLocal));
    EXPECT_EQ(edit("Edit_City_MinXin")->text(), QStringLiteral("500"));
    EXPECT_EQ(edit("Edit_City_PingMin")->text(), QStringLiteral("20000"));
    EXPECT_EQ(list()->geometry(), QRect(6, 40, 331, 265));
    EXPECT_EQ(list()->parentWidget()->objectName(), QStringLiteral("GroupBox2"));
    EXPECT_EQ(child<QPushButton>("Button_Prsn_Degree")->geometry(), QRect(158, 24, 43, 18));
    EXPECT_EQ(form->size(), QSize(362, 474));
}

TEST_F(FormCityTest, OutOfRangeStoredValuesAreShownAndStoredClamped)
{
    store.cities.MinXin[kEdited] = 12000;
    store.cities.PingMin[kEdited] = INT_MIN; // 2147483648 read as signed
    store.cities.BingYi[kEdited] = 3000001;
    show();
    EXPECT_EQ(edit("Edit_City_MinXin")->text(), QStringLiteral("10000"));
    EXPECT_EQ(edit("Edit_City_PingMin")->text(), QStringLiteral("0"));
    EXPECT_EQ(store.cities.MinXin[kEdited], 12000) << "nothing stored before OK";
    press("Button_City_OK");
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(refreshes, 1);
    const auto saved = savedAndReopened();
    EXPECT_EQ(saved->cities.MinXin[kEdited], 10000);
    EXPECT_EQ(saved->cities.PingMin[kEdited], 0);
    EXPECT_EQ(saved->cities.BingYi[kEdited], 3000000);
    EXPECT_EQ(saved->cities.Forc[kEdited], 7);
    EXPECT_EQ(saved->persons.City[kLocal], kEdited);
}

TEST_F(FormCityTest, TypedTextIsCorrectedAtOnce)
{
    show();
    NumberEdit* minXin = edit("Edit_City_MinXin");
    minXin->setFocus();
    minXin->end(false);
    QTest::keyClicks(minXin, "ab");
    EXPECT_EQ(minXin->text(), QStringLiteral("500"));
    NumberEdit* pingMin = edit("Edit_City_PingMin");
    pingMin->selectAll();
    QTest::keyClick(pingMin, Qt::Key_Backspace);
    EXPECT_EQ(pingMin->text(), QStringLiteral("0"));
    NumberEdit* maxNaiJiu = edit("Edit_City_MaxNaiJiu");
    maxNaiJiu->selectAll();
    QTest::keyClicks(maxNaiJiu, "99999");
    EXPECT_EQ(maxNaiJiu->text(), QStringLiteral("10000"));
    press("Button_City_Apply");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(refreshes, 1);
    const auto saved = savedAndReopened();
    EXPECT_EQ(saved->cities.MinXin[kEdited], 500);
    EXPECT_EQ(saved->cities.PingMin[kEdited], 0);
    EXPECT_EQ(saved->cities.MaxNaiJiu[kEdited], 10000);
}

TEST_F(FormCityTest, ForceWithoutSovereignLeavesTheCityUnowned)
{
    show();
    chooseOwner(20);
    EXPECT_EQ(owners()->currentIndex(), -1);
    press("Button_City_OK");
    EXPECT_EQ(store.cities.Forc[kEdited], kNone);
    EXPECT_EQ(savedAndReopened()->cities.Forc[kEdited], kNone);
}

TEST_F(FormCityTest, NewOwnersSovereignShowsAfterApply)
{
    show();
    const QString before = rowText(kLocal);
    chooseOwner(2);
    EXPECT_EQ(owners()->currentIndex(), 2);
    EXPECT_EQ(rowText(kLocal), before) << "rows are rebuilt only by a sort, Apply or a showing";
    press("Button_City_Apply");
    EXPECT_TRUE(rowText(kLocal).contains(QStringLiteral("关羽    !!!!!!!")));
    EXPECT_EQ(store.cities.Forc[kEdited], 2);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(FormCityTest, MarkingMovesAPersonInUnmarkingMovesNobodyOut)
{
    show();
    EXPECT_TRUE(rowText(kLocal).contains(QStringLiteral("张飞    !!!!!!!")));
    const uint16_t wuLi = store.persons.WuLi[kStranger];
    clickRow(rowOf(kStranger));
    clickRow(rowOf(kLocal));
    EXPECT_FALSE(list()->isMarked(rowOf(kLocal)));
    press("Button_City_Apply");
    EXPECT_EQ(store.persons.City[kStranger], kEdited);
    EXPECT_EQ(store.persons.City[kLocal], kEdited);
    EXPECT_TRUE(list()->isMarked(rowOf(kStranger)));
    EXPECT_TRUE(list()->isMarked(rowOf(kLocal)));
    EXPECT_TRUE(rowText(kStranger).contains(QStringLiteral("洛阳 张飞    ")));
    const auto saved = savedAndReopened();
    EXPECT_EQ(saved->persons.City[kStranger], kEdited);
    EXPECT_EQ(saved->persons.WuLi[kStranger], wuLi);
    EXPECT_EQ(saved->persons.Degree[kStranger], kOfficer);

    clickRow(rowOf(kStranger));
    press("Button_City_OK");
    EXPECT_EQ(store.persons.City[kStranger], kEdited);
    show();
    EXPECT_TRUE(list()->isMarked(rowOf(kStranger)));
}

TEST_F(FormCityTest, SortsKeepMarksAndTheOrderOutlivesTheWindow)
{
    show();
    clickRow(rowOf(kStranger));
    press("Button_Prsn_Degree");
    const int firstRow9 = rowOf(799);
    EXPECT_EQ(firstRow9, 0) << "status 9, last person on top";
    EXPECT_TRUE(list()->isMarked(rowOf(kStranger)));
    EXPECT_TRUE(list()->isMarked(rowOf(kLocal)));
    EXPECT_EQ(list()->markedCount(), 2);
    press("Button_Prsn_Degree");
    EXPECT_EQ(rowOf(9), 0) << "equal statuses reversed";
    EXPECT_EQ(rowOf(799), 79);

    {
        test::NextAnswer drop(QStringLiteral("放弃"));
        form->close(); // the close box stores nothing
    }
    EXPECT_EQ(store.persons.City[kStranger], kOther);
    form->CurCity = kOther;
    show();
    EXPECT_EQ(rowOf(9), 0);
    EXPECT_TRUE(list()->isMarked(rowOf(kStranger)));
    EXPECT_FALSE(list()->isMarked(rowOf(kLocal)));

    press("Button_Prsn_Name");
    for (int row = 0; row < kPersons; ++row)
        ASSERT_EQ(rowOf(uint16_t(row)), row);
    EXPECT_TRUE(list()->isMarked(kStranger));
    EXPECT_EQ(list()->markedCount(), 1);
}

TEST_F(FormCityTest, CancelDropsEverything)
{
    show();
    clickRow(rowOf(kStranger));
    chooseOwner(2);
    edit("Edit_City_MinXin")->setText(QStringLiteral("9"));
    test::NextAnswer drop(QStringLiteral("放弃"));
    press("Button_City_Cancel");
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(store.persons.City[kStranger], kOther);
    EXPECT_EQ(store.cities.Forc[kEdited], 7);
    EXPECT_EQ(store.cities.MinXin[kEdited], 500);
}

TEST_F(FormCityTest, ModalShowingEndsWithOk)
{
    QTimer::singleShot(0, [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), form.get());
        edit("Edit_City_ShouYi")->setText(QStringLiteral("321"));
        press("Button_City_OK");
    });
    EXPECT_EQ(form->exec(), QDialog::Accepted);
    EXPECT_EQ(store.cities.ShouYi[kEdited], 321);
    EXPECT_EQ(refreshes, 1);
}

} // namespace
