#include "mapfixture.h"

#include "ui/widgets/listbox.h"
#include "ui/windows/formmap.h"
#include "ui/windows/formprsn.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <cstring>
#include <memory>

namespace veldor::test {
namespace {

using PersonDoor = MapWindow;

TEST_F(PersonDoor, ButtonOpensTheEditorWhoseOkReachesTheSavedFile)
{
    const QString path = writeScenario(QStringLiteral("D_Sce1.kqx"), 5, [](ScenarioTables& t) {
        t.persons.TongShuai[6] = 10;
        t.persons.TongShuai[7] = 10;
    });
    openThroughDialog(path);
    answers.reset(); // this test answers the editor itself
    whenModal<TFPrsn>([](TFPrsn* editor) {
        auto* list = editor->findChild<ListBox*>(QStringLiteral("ListBox_Prsn_Prsn"));
        list->scrollToTop();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(6)).center());
        auto* edit = editor->findChild<QLineEdit*>(QStringLiteral("Edit_Prsn_TongShuai"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("201"));
        editor->findChild<QAbstractButton*>(QStringLiteral("SpeedButton_TongShuai"))->click();
        editor->findChild<QAbstractButton*>(QStringLiteral("Button1"))->click();
    });
    button(QStringLiteral("Button52"))->click();
    ASSERT_NE(map->findChild<TFPrsn*>(QStringLiteral("FPrsn")), nullptr);
    EXPECT_EQ(map->Store().persons.TongShuai[6], 201);

    saveThroughButton();
    auto saved = std::make_unique<ScenarioTables>();
    const QByteArray bytes = tablesOfFile(path);
    ASSERT_EQ(bytes.size(), qsizetype(sizeof(ScenarioTables)));
    std::memcpy(static_cast<void*>(saved.get()), bytes.constData(), sizeof(ScenarioTables));
    EXPECT_EQ(saved->persons.TongShuai[6], 201);
    EXPECT_EQ(saved->persons.TongShuai[7], 10);
}

} // namespace
} // namespace veldor::test
