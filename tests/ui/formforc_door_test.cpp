#include "mapfixture.h"

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "ui/widgets/listbox.h"
#include "ui/windows/formforc.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QTest>

#include <cstring>
#include <memory>

namespace veldor::test {
namespace {

constexpr int kCity = 9; // city button 10
constexpr uint16_t kForce = 4;
constexpr uint16_t kOldKing = 123, kNewKing = 321;

class ForceDoor : public MapWindow
{
protected:
    QString openScenario()
    {
        const QString path = writeScenario(QStringLiteral("D_Sce1.kqx"), 5, [](ScenarioTables& t) {
            t.cities.Forc[kCity] = kForce;
            t.forces.King[kForce] = kOldKing;
        });
        openThroughDialog(path);
        return path;
    }
};

void clickRow(TFForc* editor, const char* listName, int row)
{
    auto* list = editor->findChild<ListBox*>(QString::fromLatin1(listName));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

TEST_F(ForceDoor, ForceButtonOpensTheEditorOverTheMap)
{
    openScenario();
    button(QStringLiteral("Button51"))->click();
    EXPECT_EQ(answers->windows, QStringList{QStringLiteral("FForc")});
    auto* editor = map->findChild<TFForc*>(QStringLiteral("FForc"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->parentWidget(), map.get());
}

TEST_F(ForceDoor, OkRepaintsTheMapAndSaveWritesTheSovereign)
{
    const QString path = openScenario();
    EXPECT_EQ(cityButton(kCity)->text(),
              FromGbk(PrsnNameText(map->Store().Names(), kOldKing)).left(1));
    answers.reset(); // this test answers the editor itself
    whenModal<TFForc>([](TFForc* editor) {
        clickRow(editor, "ListBox_Forc_Forc", kForce);
        clickRow(editor, "ListBox_Forc_King", kNewKing);
        editor->findChild<QAbstractButton*>(QStringLiteral("Button_Ok"))->click();
    });
    button(QStringLiteral("Button51"))->click();
    EXPECT_EQ(map->Store().forces.King[kForce], kNewKing);
    EXPECT_EQ(cityButton(kCity)->text(),
              FromGbk(PrsnNameText(map->Store().Names(), kNewKing)).left(1));

    saveThroughButton();
    auto saved = std::make_unique<ScenarioTables>();
    const QByteArray bytes = tablesOfFile(path);
    ASSERT_EQ(bytes.size(), qsizetype(sizeof(ScenarioTables)));
    std::memcpy(static_cast<void*>(saved.get()), bytes.constData(), sizeof(ScenarioTables));
    EXPECT_EQ(saved->forces.King[kForce], kNewKing);
    EXPECT_EQ(saved->persons.Degree[kNewKing], kSovereign);
}

} // namespace
} // namespace veldor::test
