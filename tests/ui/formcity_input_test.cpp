// The city editor's person list under every input that could move a mark: only a click or
// Space on a row marks it (and OK or Apply then moves that person in). The store is checked
// after each input through Apply, the painted marks against a fresh render.
#include "tests/ui/citywindow.h"

#include "tests/ui/listinput.h"

#include <QApplication>

using namespace veldor;
using namespace veldor::test::city;
using veldor::test::ClickRow;

namespace {

class CityInput : public test::CityWindow
{
protected:
    // Apply, then every person stands where he stood, but for `movedIn`.
    void expectAppliedCities(std::initializer_list<uint16_t> movedIn = {})
    {
        press("Button_City_Apply");
        for (int p = 0; p < kPersons; ++p) {
            uint16_t city = p == kLocal ? kEdited : p == kStranger ? kOther : kCities + 5;
            for (uint16_t moved : movedIn)
                if (moved == p)
                    city = kEdited;
            ASSERT_EQ(store.persons.City[p], city) << p;
        }
        EXPECT_EQ(list()->markedCount(), 1 + int(movedIn.size()));
    }
};

// Issue 13, case 1: right and middle clicks mark nobody.
TEST_F(CityInput, RightAndMiddleClicksMarkNobody)
{
    show();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickRow(list(), rowOf(kStranger), button);
        EXPECT_FALSE(list()->isMarked(rowOf(kStranger)));
        expectAppliedCities();
    }
    ClickRow(list(), rowOf(kStranger));
    expectAppliedCities({kStranger});
    EXPECT_EQ(test::PaintedDifference(list()), 0);
}

// Case 2 and 4: typed names and input-method text move the focus only; Ctrl+A marks nobody;
// then Space on the row in focus marks it as a click would.
TEST_F(CityInput, TypingAndCtrlAMarkNobody)
{
    show();
    test::CommitText(list(), QStringLiteral("张飞"));
    EXPECT_EQ(list()->focusRow(), rowOf(10));
    EXPECT_FALSE(list()->isMarked(rowOf(10)));
    expectAppliedCities();
    QTest::qWait(QApplication::keyboardInputInterval() + 50); // a new search
    QTest::keyClicks(list(), QStringLiteral("P40"));
    EXPECT_TRUE(list()->item(list()->focusRow())->text().startsWith(QStringLiteral("P40")));
    expectAppliedCities();
    QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
    expectAppliedCities();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home})
        QTest::keyClick(list(), key);
    expectAppliedCities();

    // The program moves the focus (as the find bar will); Space marks that row.
    list()->setFocusRow(rowOf(kStranger));
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_TRUE(list()->isMarked(rowOf(kStranger)));
    press("Button_City_OK");
    EXPECT_EQ(store.persons.City[kStranger], kEdited);
    EXPECT_EQ(savedAndReopened()->persons.City[kStranger], kEdited);
}

// Case 4: the wheel over the owner drop-down without focus changes no owner.
TEST_F(CityInput, TheOwnerDropDownTakesTheWheelOnlyWithFocus)
{
    show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    list()->setFocus();
    test::TurnWheel(owners(), false);
    test::TurnWheel(owners(), false);
    EXPECT_EQ(owners()->currentIndex(), 7);
    press("Button_City_Apply");
    EXPECT_EQ(store.cities.Forc[kEdited], 7);
    owners()->setFocus();
    test::TurnWheel(owners(), true); // up: force 6, which has no sovereign
    EXPECT_EQ(owners()->currentIndex(), -1);
    press("Button_City_OK");
    EXPECT_EQ(savedAndReopened()->cities.Forc[kEdited], kNone);
}

// Case 3: after Apply the re-marked persons are painted marked; so after a sort.
TEST_F(CityInput, ProgramMarksArePaintedAtOnce)
{
    show();
    EXPECT_EQ(test::PaintedDifference(list()), 0);
    ClickRow(list(), rowOf(kStranger));
    ClickRow(list(), rowOf(kLocal));
    const QImage before = test::ShownPicture(list());
    press("Button_City_Apply");
    EXPECT_TRUE(list()->isMarked(rowOf(kLocal)));
    EXPECT_GT(test::PixelDifference(before, test::ShownPicture(list())), 500);
    EXPECT_EQ(test::PaintedDifference(list()), 0);
    press("Button_Prsn_Degree");
    EXPECT_EQ(test::PaintedDifference(list()), 0);
    press("Button_Prsn_Name");
    EXPECT_EQ(test::PaintedDifference(list()), 0);
}

} // namespace
