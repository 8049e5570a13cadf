// Escape, the close box and the cancel button of every editor ask before the window's edits
// are dropped, and do what the answer says; with nothing changed they close at once.
#include "tests/ui/citywindow.h"
#include "tests/ui/forcewindow.h"
#include "tests/ui/personwindow.h"

#include <QApplication>

#include <functional>
#include <string>
#include <vector>

namespace veldor::test {
namespace {

struct WayOut
{
    const char* name;
    std::function<void(QDialog*)> leave;
};

std::vector<WayOut> waysOut(const char* cancelButton)
{
    return {
        {"Escape",
         [](QDialog* window) {
             QWidget* focus = window->focusWidget();
             QTest::keyClick(focus ? focus : window, Qt::Key_Escape);
         }},
        {"close box", [](QDialog* window) { window->close(); }},
        {cancelButton,
         [cancelButton](QDialog* window) {
             window->findChild<QAbstractButton*>(QLatin1String(cancelButton))->click();
         }},
    };
}

// What one editor is tried with.
struct Editor
{
    QDialog* window;
    const char* cancelButton;
    const char* applyButton;
    std::function<void()> show;
    // Makes the edits; `stored` tells whether they reached the store, `kept` whether the window
    // still holds them.
    std::function<void()> edit;
    std::function<bool()> stored;
    std::function<bool()> kept;
};

void expectEveryWayOutAsks(const Editor& editor, ScenarioTables& store)
{
    const auto original = std::make_unique<ScenarioTables>(store);
    for (const WayOut& way : waysOut(editor.cancelButton)) {
        editor.show();
        {
            NextAnswer none;
            way.leave(editor.window);
            EXPECT_TRUE(none.asked.isEmpty()) << way.name << ": nothing was changed";
        }
        EXPECT_FALSE(editor.window->isVisible()) << way.name;
        // Edits applied are no longer at stake.
        store = *original;
        editor.show();
        editor.edit();
        {
            // The person editor asks about the value typed but not assigned.
            NextAnswer assign(QStringLiteral("应用到选中武将"));
            editor.window->findChild<QAbstractButton*>(QLatin1String(editor.applyButton))->click();
        }
        {
            NextAnswer none;
            way.leave(editor.window);
            EXPECT_TRUE(none.asked.isEmpty()) << way.name << ": everything was applied";
        }
        EXPECT_TRUE(editor.stored()) << way.name;
        for (const QString& answer :
             {QStringLiteral("应用"), QStringLiteral("放弃"), QStringLiteral("返回"), QString()}) {
            const std::string what = std::string(way.name) + " / " + answer.toStdString();
            store = *original;
            editor.show();
            editor.edit();
            {
                NextAnswer next(answer);
                way.leave(editor.window);
                EXPECT_EQ(next.asked, QStringLiteral("DiscardEditsQuestion")) << what;
            }
            const bool staying =
                answer != QStringLiteral("应用") && answer != QStringLiteral("放弃");
            EXPECT_EQ(editor.window->isVisible(), staying) << what;
            EXPECT_EQ(editor.stored(), answer == QStringLiteral("应用")) << what;
            if (!staying)
                continue;
            EXPECT_TRUE(editor.kept()) << what;
            NextAnswer drop(QStringLiteral("放弃"));
            editor.window->reject();
            EXPECT_FALSE(editor.stored()) << what;
        }
    }
}

// A user types 士兵 30000 and leaves the window.
TEST_F(CityWindow, EveryWayOutAsksBeforeDroppingEdits)
{
    NumberEdit* soldiers = nullptr;
    expectEveryWayOutAsks({form.get(), "Button_City_Cancel", "Button_City_Apply",
                           [this] { show(); },
                           [&] {
                               soldiers = edit("Edit_City_ShiBing");
                               soldiers->setFocus();
                               soldiers->selectAll();
                               QTest::keyClicks(soldiers, QStringLiteral("30000"));
                           },
                           [this] { return store.cities.ShiBing[city::kEdited] == 30000; },
                           [&] { return soldiers->text() == QStringLiteral("30000"); }},
                          store);
    EXPECT_EQ(refreshes, 6); // once for each 应用 and each Apply
}

TEST_F(ForceWindow, EveryWayOutAsksBeforeDroppingEdits)
{
    expectEveryWayOutAsks({&form, "Button_Cancel", "Button_Apply", [this] { show(); },
                           [this] {
                               clickRow("ListBox_Forc_Forc", world::kLord);
                               type("Edit_Forc_Money", "111");
                           },
                           [this] { return store.forces.Money[world::kLord] == 111; },
                           [this] { return text("Edit_Forc_Money") == QStringLiteral("111"); }},
                          store);
    EXPECT_EQ(refreshes, 6);
}

// Values assigned but not applied, and one typed but not assigned: 应用 keeps both.
TEST_F(PersonWindow, EveryWayOutAsksBeforeDroppingEdits)
{
    constexpr int kRow = 4;
    const uint16_t person = form->Editor().PrsnOrder[kRow];
    expectEveryWayOutAsks(
        {form.get(), "Button10", "Button11", [this] { show(); },
         [&] {
             clickRow(list(), kRow);
             type(QStringLiteral("Edit_Prsn_WuLi"), QStringLiteral("97"));
             press(QStringLiteral("SpeedButton_WuLi"));
             type(QStringLiteral("Edit_Prsn_ZhiLi"), QStringLiteral("96"));
         },
         [&] { return store.persons.WuLi[person] == 97 && store.persons.ZhiLi[person] == 96; },
         [&] {
             return form->Editor().Work().WuLi[person] == 97 &&
                    child<NumberEdit>(QStringLiteral("Edit_Prsn_ZhiLi"))->text() ==
                        QStringLiteral("96");
         }},
        store);
}

// With no row marked a typed value could reach nobody: 应用 then asks about it.
TEST_F(PersonWindow, ApplyingOnClosingAsksAboutValuesThatCouldReachNobody)
{
    clickRow(list(), 4);
    type(QStringLiteral("Edit_Prsn_WuLi"), QStringLiteral("97"));
    press(QStringLiteral("Button_Sort_Name"));
    NextAnswer answers({QStringLiteral("应用"), QStringLiteral("返回")});
    form->reject();
    EXPECT_EQ(answers.answered, 2);
    EXPECT_EQ(answers.asked, QStringLiteral("PendingValuesQuestion"));
    EXPECT_EQ(answers.offered, (QStringList{QStringLiteral("放弃输入"), QStringLiteral("返回")}));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(child<NumberEdit>(QStringLiteral("Edit_Prsn_WuLi"))->text(), QStringLiteral("97"));
}

} // namespace
} // namespace veldor::test
