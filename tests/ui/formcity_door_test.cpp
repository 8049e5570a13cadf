#include "mapfixture.h"

#include "listinput.h"

#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <cstring>
#include <memory>

namespace veldor::test {
namespace {

constexpr int kCity = 9;       // city button 10
constexpr uint16_t kForce = 4; // sovereign: person 123
constexpr uint16_t kKing = 123;

class CityDoor : public MapWindow
{
protected:
    QString openScenario()
    {
        const QString path = writeScenario(QStringLiteral("D_Sce1.kqx"), 3, [](ScenarioTables& t) {
            t.cities.Forc[kCity] = kNone;
            t.forces.King[kForce] = kKing;
        });
        openThroughDialog(path);
        return path;
    }
};

void chooseOwner(TFCity* editor, int entry)
{
    ChooseEntry(editor->findChild<QComboBox*>(QStringLiteral("ComboBox_City_Forc")), entry);
}

TEST_F(CityDoor, CityButtonOpensTheEditorOnItsCity)
{
    openScenario();
    cityButton(kCity)->click();
    EXPECT_EQ(answers->windows, QStringList{QStringLiteral("FCity")});
    auto* editor = map->findChild<TFCity*>(QStringLiteral("FCity"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->CurCity, kCity);
    EXPECT_EQ(editor->parentWidget(), map.get());
}

TEST_F(CityDoor, OkRepaintsTheMapAndSaveWritesTheOwner)
{
    const QString path = openScenario();
    EXPECT_EQ(cityButton(kCity)->text(), QStringLiteral("空"));
    answers.reset(); // this test answers the editor itself
    whenModal<TFCity>([](TFCity* editor) {
        chooseOwner(editor, kForce);
        editor->findChild<QAbstractButton*>(QStringLiteral("Button_City_OK"))->click();
    });
    cityButton(kCity)->click();
    EXPECT_EQ(map->Store().cities.Forc[kCity], kForce);
    EXPECT_EQ(cityButton(kCity)->text(),
              FromGbk(PrsnNameText(map->Store().Names(), kKing)).left(1));

    saveThroughButton();
    auto saved = std::make_unique<ScenarioTables>();
    const QByteArray bytes = tablesOfFile(path);
    ASSERT_EQ(bytes.size(), qsizetype(sizeof(ScenarioTables)));
    std::memcpy(static_cast<void*>(saved.get()), bytes.constData(), sizeof(ScenarioTables));
    EXPECT_EQ(saved->cities.Forc[kCity], kForce);
}

} // namespace
} // namespace veldor::test
