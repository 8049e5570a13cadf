// The person editor changes only the persons it shows: the one loaded into its controls and
// those of marked rows. Nothing typed is dropped without a question. Each case is checked in
// the working copy, in the store after Apply and, at the end, in the saved file.
#include "tests/ui/personwindow.h"

#include "data/format/fielddiff.h"
#include "tests/ui/listinput.h"
#include "ui/widgets/findbar.h"

#include <QRegularExpression>

#include <functional>
#include <set>
#include <utility>
#include <vector>

using namespace veldor;

namespace {

constexpr int kRow = 6;

class LoadedPerson : public test::PersonWindow
{
protected:
    NumberEdit* edit(const char* name) const
    {
        return child<NumberEdit>(QStringLiteral("Edit_Prsn_") + QLatin1String(name));
    }
    ListBox* faith() const { return child<ListBox>(QStringLiteral("ListBox_Prsn_Faith")); }
    ListBox* items() const { return child<ListBox>(QStringLiteral("ListBox_Prsn_Item")); }
    bool pending(QWidget* control) const { return !control->toolTip().isEmpty(); }
    // The tables as Apply would leave them now.
    std::unique_ptr<ScenarioTables> working() const
    {
        auto tables = std::make_unique<ScenarioTables>(store);
        tables->persons = form->Editor().Work();
        for (int i = 0; i < kItems; ++i)
            tables->items.ItemOwner[i] = form->Editor().Holder(i);
        return tables;
    }
    // The persons whose fields differ from `from` to `to` (a treasure counts for its owners).
    static std::set<int> personsChanged(const ScenarioTables& from, const ScenarioTables& to)
    {
        std::set<int> persons;
        for (const FieldDifference& d : DiffTables(from, to)) {
            if (d.table == TableId::Persons)
                persons.insert(d.record);
            else if (d.table == TableId::Items)
                persons.insert({d.a, d.b});
            else
                persons.insert(-1);
        }
        persons.erase(kNone);
        return persons;
    }
    void loadRowThenMoveFocusOnly()
    {
        form->FormShow();
        clickRow(list(), kRow);
        QTest::keyClick(list(), Qt::Key_Down, Qt::ControlModifier);
        ASSERT_EQ(list()->focusRow(), kRow + 1);
        ASSERT_EQ(form->LoadedPerson(), personAt(kRow));
    }
};

// Select a person, type 97 into 武力, sort: no mark is left, so nothing can assign the value
// and it stays tinted; 应 用 offers only to drop it or go back.
TEST_F(LoadedPerson, AfterASortNothingAssignsToNobodyAndTheValueStaysPending)
{
    clickRow(list(), 3);
    const uint16_t person = personAt(3);
    type(QStringLiteral("Edit_Prsn_WuLi"), QStringLiteral("97"));
    press(QStringLiteral("Button_Sort_TongShuai"));
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 0 人）"));
    const QList<QToolButton*> flat =
        form->findChildren<QToolButton*>(QRegularExpression(QStringLiteral("^SpeedButton_")));
    EXPECT_EQ(flat.size(), 23);
    for (QToolButton* button : flat)
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    for (QCheckBox* box : form->findChildren<QCheckBox*>())
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    press(QStringLiteral("SpeedButton_WuLi"));
    QTest::keyClick(edit("WuLi"), Qt::Key_Return);
    EXPECT_TRUE(pending(edit("WuLi")));
    {
        test::NextAnswer back(QStringLiteral("返回"));
        press(QStringLiteral("Button11"));
        EXPECT_EQ(back.asked, QStringLiteral("PendingValuesQuestion"));
        EXPECT_EQ(back.offered, (QStringList{QStringLiteral("放弃输入"), QStringLiteral("返回")}));
    }
    EXPECT_EQ(edit("WuLi")->text(), QStringLiteral("97"));
    EXPECT_TRUE(pending(edit("WuLi")));
    EXPECT_EQ(store.persons.WuLi[person], form->Editor().Work().WuLi[person]);
    EXPECT_NE(store.persons.WuLi[person], 97);

    // A mark brings the buttons back.
    {
        test::NextAnswer drop(QStringLiteral("放弃输入"));
        clickRow(list(), list()->focusRow());
        EXPECT_EQ(drop.asked, QStringLiteral("PendingValuesQuestion"));
    }
    EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 1 人）"));
    EXPECT_TRUE(child<QToolButton>(QStringLiteral("SpeedButton_WuLi"))->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(QStringLiteral("CheckBox_Skill1"))->isEnabled());

    // Every sort head: the caption counts the marks the sort left.
    for (QAbstractButton* head : form->findChildren<QAbstractButton*>(
             QRegularExpression(QStringLiteral("^Button_Sort_")))) {
        clickRow(list(), 2);
        clickRow(list(), 5, Qt::ControlModifier);
        head->click();
        EXPECT_EQ(list()->markedCount(), 0) << head->objectName().toStdString();
        EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 0 人）"))
            << head->objectName().toStdString();
    }
}

// Click row 6, Ctrl+Down: every kind of edit then reaches person 6, whom the controls show,
// and nobody else (row 7 is in focus but was never loaded).
TEST_F(LoadedPerson, AfterAFocusOnlyMoveEveryEditReachesTheLoadedPerson)
{
    for (int i = 0; i < kItems; ++i)
        store.items.ItemOwner[i] = i < 2 ? personAt(kRow) : kNone;
    auto* character = child<QComboBox>(QStringLiteral("ComboBox_Prsn_XingGe"));
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"treasure", [&] { clickRow(items(), 2); }},
        {"loyalty",
         [&] {
             clickRow(faith(), 3);
             type(QStringLiteral("Edit_Prsn_Faith"), QStringLiteral("77"));
             press(QStringLiteral("SpeedButton_Faith"));
         }},
        {"field",
         [&] {
             type(QStringLiteral("Edit_Prsn_WuLi"), QStringLiteral("97"));
             press(QStringLiteral("SpeedButton_WuLi"));
         }},
        {"Enter in a tinted field",
         [&] {
             type(QStringLiteral("Edit_Prsn_ZhiLi"), QStringLiteral("96"));
             QTest::keyClick(edit("ZhiLi"), Qt::Key_Return);
         }},
        {"choice",
         [&] {
             test::ChooseEntry(character, (character->currentIndex() + 1) % character->count());
             press(QStringLiteral("SpeedButton_XingGe"));
         }},
        {"skill",
         [&] {
             QTest::mouseClick(child<QCheckBox>(QStringLiteral("CheckBox_Skill1")), Qt::LeftButton);
         }},
    };
    for (const auto& [name, edit] : edits) {
        loadRowThenMoveFocusOnly();
        const auto before = std::make_unique<ScenarioTables>(store);
        edit();
        EXPECT_EQ(personsChanged(*before, *working()), std::set<int>{personAt(kRow)}) << name;
        press(QStringLiteral("Button11"));
        EXPECT_EQ(personsChanged(*before, store), std::set<int>{personAt(kRow)}) << name;
    }
    EXPECT_EQ(store.items.ItemOwner[2], personAt(kRow));
    EXPECT_EQ(store.persons.Faith[personAt(kRow)][3], 77);
    EXPECT_EQ(store.persons.WuLi[personAt(kRow)], 97);
    EXPECT_EQ(store.persons.ZhiLi[personAt(kRow)], 96);
    QString error;
    ASSERT_TRUE(store.Save(error)) << error.toStdString();
    ScenarioStore reopened;
    ASSERT_TRUE(reopened.Open(path_, error)) << error.toStdString();
    EXPECT_TRUE(SameTables(reopened, store));
}

// A typed value, then an input that reloads the controls: each answer does what it says, and
// "应用到选中武将" reaches the rows marked before the input.
TEST_F(LoadedPerson, InputsThatReloadAskFirst)
{
    const std::vector<std::pair<const char*, std::function<void()>>> reloads = {
        {"Ctrl+click", [&] { clickRow(list(), kRow + 3, Qt::ControlModifier); }},
        {"Ctrl+A", [&] { QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier); }},
        {"find",
         [&] {
             QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
             QTest::keyClicks(form->findChild<FindBar*>(), QString::number(personAt(kRow + 3)));
         }},
        {"loyalty list", [&] { clickRow(faith(), 4); }},
    };
    const QStringList answers = {QStringLiteral("应用到选中武将"), QStringLiteral("放弃输入"),
                                 QStringLiteral("返回"), QString()};
    for (const auto& [name, reload] : reloads) {
        const bool loyalty = QLatin1String(name) == QLatin1String("loyalty list");
        NumberEdit* typed = edit(loyalty ? "Faith" : "WuLi");
        for (const QString& answer : answers) {
            const std::string what = std::string(name) + " / " + answer.toStdString();
            form->FormShow();
            form->findChild<FindBar*>()->clear();
            clickRow(list(), kRow);
            const uint16_t person = personAt(kRow);
            const ListBox::State listBefore = list()->state();
            const int forceBefore = faith()->focusRow();
            type(loyalty ? "Edit_Prsn_Faith" : "Edit_Prsn_WuLi", QStringLiteral("97"));
            const auto before = working();
            {
                test::NextAnswer next(answer);
                reload();
                EXPECT_EQ(next.asked, QStringLiteral("PendingValuesQuestion")) << what;
            }
            const auto after = working();
            if (answer == answers[0]) {
                EXPECT_EQ(personsChanged(*before, *after), std::set<int>{person}) << what;
                EXPECT_EQ(loyalty ? after->persons.Faith[person][forceBefore]
                                  : after->persons.WuLi[person],
                          97)
                    << what;
            } else {
                EXPECT_TRUE(SameTables(*before, *after)) << what;
            }
            if (answer == answers[0] || answer == answers[1]) {
                EXPECT_FALSE(pending(typed)) << what;
                continue;
            }
            EXPECT_EQ(typed->text(), QStringLiteral("97")) << what;
            EXPECT_TRUE(pending(typed)) << what;
            EXPECT_EQ(list()->state().marks, listBefore.marks) << what;
            EXPECT_EQ(list()->focusRow(), listBefore.focusRow) << what;
            EXPECT_EQ(faith()->focusRow(), forceBefore) << what;
            EXPECT_EQ(caption(), QStringLiteral("武将列表（选中 1 人）")) << what;
        }
    }
    // A value typed into another field than the one a reload refills is not asked about.
    form->FormShow();
    clickRow(list(), kRow);
    type(QStringLiteral("Edit_Prsn_WuLi"), QStringLiteral("97"));
    test::NextAnswer none(QStringLiteral("返回"));
    clickRow(faith(), 4);
    QTest::qWait(20);
    EXPECT_TRUE(none.asked.isEmpty());
    EXPECT_EQ(faith()->focusRow(), 4);
    EXPECT_TRUE(pending(edit("WuLi")));
}

} // namespace
