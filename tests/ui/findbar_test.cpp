// The find field in the three editors, driven as a user drives it: Ctrl+F, typed text (CJK
// through the input method), Enter, F3, Shift+F3, Escape, Space.
#include "ui/widgets/findbar.h"

#include "listinput.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "ui/widgets/listbox.h"
#include "ui/widgets/numberedit.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formforc.h"
#include "ui/windows/formprsn.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace veldor::test {
namespace {

// Three persons named with 关, everyone else 无名氏.
constexpr uint16_t kGuanYu = 5, kGuanPing = 300, kZhangGuan = 700;

class FindTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NameTables& names = store.Names();
        for (int p = 0; p < kPersons; ++p)
            names.setPerson(p, ToGbk(QStringLiteral("无名氏")));
        names.setPerson(kGuanYu, ToGbk(QStringLiteral("关羽")));
        names.setPerson(kGuanPing, ToGbk(QStringLiteral("关平")));
        names.setPerson(kZhangGuan, ToGbk(QStringLiteral("张关")));
        const QString path = dir_.filePath(QStringLiteral("D_Sce1.kqx"));
        WriteBytes(path, RandomScenarioBytes(21));
        QString error;
        ASSERT_TRUE(store.Open(path, error)) << error.toStdString();
        for (int p = 0; p < kPersons; ++p) {
            store.persons.TongShuai[p] = uint16_t(p % 100);
            store.persons.City[p] = uint16_t(p % kCities);
            store.persons.Degree[p] = kOfficer;
        }
    }
    void TearDown() override { form.reset(); }

    void show(QDialog* dialog)
    {
        form.reset(dialog);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    FindBar* bar() const { return form->findChild<FindBar*>(QStringLiteral("FindBar")); }
    ListBox* list(const char* name) const { return form->findChild<ListBox*>(name); }
    void openBar() { QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier); }
    // CJK text arrives as an input-method commit, as from a real input method.
    void typeText(const QString& text)
    {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(bar(), &commit);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(bar(), k, mods); }

    QTemporaryDir dir_;
    ScenarioStore store;
    std::unique_ptr<QDialog> form;

private:
};

// The person editor's list goes to a match as a click: only that row marked, the person loaded.
class FindInPersonEditor : public FindTest
{
protected:
    void SetUp() override
    {
        FindTest::SetUp();
        show(person = new TFPrsn(store));
    }
    uint16_t focusedPerson() const
    {
        return person->Editor().PersonAt(list("ListBox_Prsn_Prsn")->focusRow());
    }
    QString shownTongShuai() const
    {
        return form->findChild<NumberEdit*>(QStringLiteral("Edit_Prsn_TongShuai"))->text();
    }
    TFPrsn* person = nullptr;
};

TEST_F(FindInPersonEditor, PartOfANameLoadsTheMatchAndMarksOnlyItsRow)
{
    ListBox* rows = list("ListBox_Prsn_Prsn");
    rows->setMarked(1, true);
    rows->setMarked(2, true);
    openBar();
    ASSERT_TRUE(bar()->isVisible());
    EXPECT_TRUE(bar()->hasFocus());
    EXPECT_EQ(bar()->placeholderText(), QStringLiteral("查找：姓名或编号"));
    typeText(QStringLiteral("羽"));
    EXPECT_EQ(focusedPerson(), kGuanYu);
    EXPECT_EQ(rows->markedCount(), 1);
    EXPECT_TRUE(rows->isMarked(rows->focusRow()));
    EXPECT_EQ(shownTongShuai(), QString::number(kGuanYu % 100));
    EXPECT_EQ(form->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
              QStringLiteral("武将列表（选中 1 人）"));
    // Apply rebuilds the rows and puts the focus on row 0: no frame is left on the old match.
    const int found = rows->focusRow();
    form->findChild<QAbstractButton*>(QStringLiteral("Button11"))->click();
    const QRect shown = rows->visualItemRect(rows->item(found));
    const QPoint edge =
        rows->viewport()->mapTo(form.get(), QPoint(shown.left() + 1, shown.center().y()));
    EXPECT_NE(form->grab().toImage().pixelColor(edge), rows->palette().color(QPalette::Highlight));
}

TEST_F(FindInPersonEditor, ANumberFindsThatPersonInASortedList)
{
    form->findChild<QAbstractButton*>(QStringLiteral("Button_Sort_TongShuai"))->click();
    openBar();
    QTest::keyClicks(bar(), QStringLiteral("699"));
    EXPECT_EQ(focusedPerson(), 699);
    EXPECT_EQ(shownTongShuai(), QStringLiteral("99"));
    // The match is brought into view, clear of the field over the list's top.
    ListBox* rows = list("ListBox_Prsn_Prsn");
    const QRect row = rows->visualItemRect(rows->item(rows->focusRow()));
    EXPECT_GE(row.top(), 0);
    EXPECT_LE(row.bottom(), rows->viewport()->height());
    EXPECT_GE(rows->viewport()->mapTo(form.get(), row.topLeft()).y(),
              bar()->mapTo(form.get(), QPoint(0, bar()->height())).y());
}

// Typing looks from the row the user is on, not from the top of the list.
TEST_F(FindInPersonEditor, TypingFindsTheFirstMatchFromTheCurrentRow)
{
    ListBox* rows = list("ListBox_Prsn_Prsn");
    ClickRow(rows, 100);
    ASSERT_EQ(focusedPerson(), 100);
    openBar();
    typeText(QStringLiteral("关"));
    EXPECT_EQ(focusedPerson(), kGuanPing);
}

// The field takes the list's top strip: below the column heads, above the first row shown,
// with the match count beside it; closing gives the strip back.
TEST_F(FindInPersonEditor, TheFieldSitsAboveTheListAndCountsTheMatches)
{
    ListBox* rows = list("ListBox_Prsn_Prsn");
    const QRect listBefore = rows->geometry();
    const auto inForm = [this](QWidget* w) {
        return QRect(w->mapTo(form.get(), QPoint()), w->size());
    };
    openBar();
    auto* count = form->findChild<QLabel*>(QStringLiteral("FindCount"));
    ASSERT_NE(count, nullptr);
    typeText(QStringLiteral("关"));
    EXPECT_EQ(count->text(), QStringLiteral("1/3"));
    key(Qt::Key_F3);
    EXPECT_EQ(count->text(), QStringLiteral("2/3"));
    key(Qt::Key_F3, Qt::ShiftModifier);
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(count->text(), QStringLiteral("3/3"));
    EXPECT_EQ(bar()->matchCount(), count->text());
    EXPECT_TRUE(count->isVisible());
    const QRect field = inForm(bar()), counted = inForm(count), shown = inForm(rows->viewport());
    for (QAbstractButton* head : form->findChildren<QAbstractButton*>(
             QRegularExpression(QStringLiteral("^Button_Sort_")))) {
        EXPECT_FALSE(inForm(head).intersects(field)) << head->objectName().toStdString();
        EXPECT_FALSE(inForm(head).intersects(counted)) << head->objectName().toStdString();
    }
    EXPECT_FALSE(field.intersects(counted));
    EXPECT_LE(field.bottom(), shown.top());
    EXPECT_LE(counted.bottom(), shown.top());
    typeText(QStringLiteral("曹"));
    EXPECT_EQ(count->text(), QStringLiteral("0/0"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(count->isVisible());
    EXPECT_EQ(rows->geometry(), listBefore);
}

// A search counts once where it lands; a move the list makes itself counts too.
TEST_F(FindInPersonEditor, TheCountFollowsTheListsOwnMoves)
{
    openBar();
    typeText(QStringLiteral("关"));
    ListBox* rows = list("ListBox_Prsn_Prsn");
    int guanPing = 0;
    while (rows->recordAt(guanPing) != kGuanPing)
        ++guanPing;
    rows->activateRow(guanPing);
    EXPECT_EQ(bar()->matchCount(), QStringLiteral("2/3"));
    rows->activateRow(guanPing == 0 ? 1 : 0);
    EXPECT_EQ(bar()->matchCount(), QStringLiteral("0/3"));
}

TEST_F(FindInPersonEditor, EnterAndF3GoForwardShiftF3BackWrappingBothWays)
{
    openBar();
    typeText(QStringLiteral("关"));
    EXPECT_EQ(focusedPerson(), kGuanYu);
    key(Qt::Key_Return);
    EXPECT_EQ(focusedPerson(), kGuanPing);
    key(Qt::Key_F3);
    EXPECT_EQ(focusedPerson(), kZhangGuan);
    key(Qt::Key_F3);
    EXPECT_EQ(focusedPerson(), kGuanYu);
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(focusedPerson(), kZhangGuan);
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(focusedPerson(), kGuanPing);
    EXPECT_EQ(list("ListBox_Prsn_Prsn")->markedCount(), 1);
}

TEST_F(FindInPersonEditor, NoMatchTurnsTheFieldRedAndMovesNothing)
{
    openBar();
    typeText(QStringLiteral("平"));
    ListBox* rows = list("ListBox_Prsn_Prsn");
    const int row = rows->focusRow();
    const QColor plain = bar()->grab().toImage().pixelColor(bar()->width() / 2, 3);
    typeText(QStringLiteral("曹"));
    EXPECT_TRUE(bar()->noMatch());
    EXPECT_EQ(rows->focusRow(), row);
    EXPECT_EQ(focusedPerson(), kGuanPing);
    const QColor red = bar()->grab().toImage().pixelColor(bar()->width() / 2, 3);
    EXPECT_GT(red.red(), red.green() + 40) << red.name().toStdString();
    EXPECT_NE(red, plain);
    key(Qt::Key_F3);
    EXPECT_EQ(rows->focusRow(), row);
}

TEST_F(FindInPersonEditor, EscapeClosesOnlyTheField)
{
    openBar();
    key(Qt::Key_Escape);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(list("ListBox_Prsn_Prsn")->hasFocus());
}

// In the city editor a click toggles a mark; a match only takes the focus, Space toggles it.
TEST_F(FindTest, CityEditorMovesTheFocusOnlyAndSpaceTogglesTheMatch)
{
    auto* city = new TFCity(store);
    city->CurCity = 3;
    show(city);
    ListBox* rows = list("ListBox_City_Prsn");
    const int marked = rows->markedCount();
    openBar();
    typeText(QStringLiteral("关平"));
    ASSERT_EQ(rows->focusRow(), kGuanPing); // name order
    EXPECT_EQ(rows->markedCount(), marked);
    EXPECT_FALSE(rows->isMarked(kGuanPing));
    // The list shows the match with a frame while the field keeps the keyboard.
    const QRect shown = rows->visualItemRect(rows->item(kGuanPing));
    const QImage painted = form->grab().toImage();
    const QPoint edge =
        rows->viewport()->mapTo(form.get(), QPoint(shown.left() + 1, shown.center().y()));
    EXPECT_EQ(painted.pixelColor(edge), rows->palette().color(QPalette::Highlight));

    key(Qt::Key_Escape);
    QTest::keyClick(rows, Qt::Key_Space);
    EXPECT_TRUE(rows->isMarked(kGuanPing));
    form->findChild<QAbstractButton*>(QStringLiteral("Button_City_Apply"))->click();
    EXPECT_EQ(store.persons.City[kGuanPing], 3);
}

// A sort puts other persons on the rows; the field still lands on the row that shows the match.
TEST_F(FindTest, CityEditorFindsTheMatchInASortedList)
{
    auto* city = new TFCity(store);
    city->CurCity = 3;
    show(city);
    ListBox* rows = list("ListBox_City_Prsn");
    form->findChild<QAbstractButton*>(QStringLiteral("Button_Prsn_TongShuai"))->click();
    ASSERT_FALSE(rows->item(kGuanPing)->text().startsWith(QStringLiteral("关平")));
    openBar();
    typeText(QStringLiteral("关平"));
    EXPECT_TRUE(rows->item(rows->focusRow())->text().startsWith(QStringLiteral("关平")))
        << rows->item(rows->focusRow())->text().toStdString();
}

// Choosing a sovereign writes King and Degree, so the persons passed on the way stay as they
// were; Space then chooses the match.
TEST_F(FindTest, ForceEditorPassesSovereignsByWithoutChoosingThem)
{
    store.forces.King[0] = 1;
    auto* force = new TFForc(store);
    show(force);
    ListBox* kings = list("ListBox_Forc_King");
    openBar();
    typeText(QStringLiteral("关"));
    EXPECT_EQ(kings->focusRow(), kGuanYu);
    key(Qt::Key_F3);
    EXPECT_EQ(kings->focusRow(), kGuanPing);
    EXPECT_EQ(force->Editor().forces.King[0], 1);
    EXPECT_EQ(force->Editor().Degree[kGuanYu], kOfficer);
    EXPECT_FALSE(kings->isMarked(kGuanPing));

    key(Qt::Key_Escape);
    QTest::keyClick(kings, Qt::Key_Space);
    EXPECT_EQ(force->Editor().forces.King[0], kGuanPing);
    EXPECT_EQ(force->Editor().Degree[kGuanPing], kSovereign);
    EXPECT_EQ(force->Editor().Degree[kGuanYu], kOfficer);
}

} // namespace
} // namespace veldor::test
