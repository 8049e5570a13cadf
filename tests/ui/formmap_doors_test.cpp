#include "mapfixture.h"

#include "ui/windows/formabout.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace veldor::test {
namespace {

using MapDoors = MapWindow;

const QString kNoFile = QStringLiteral("你还没打开文件呢");

TEST_F(MapDoors, EveryDoorNeedingAFileSaysSoAndChangesNothing)
{
    int cityDoors = 0, forceDoors = 0, personDoors = 0;
    map->setCityEditorDoor([&](int) { ++cityDoors; });
    map->setForceEditorDoor([&] { ++forceDoors; });
    map->setPersonEditorDoor([&] { ++personDoors; });
    const QByteArray before = storeBytes();
    const QString title = map->windowTitle();

    QStringList doors{QStringLiteral("Button54"), QStringLiteral("Button57"),
                      QStringLiteral("Button51"), QStringLiteral("Button52")};
    for (int n = 1; n <= 50; ++n)
        doors << QStringLiteral("Button%1").arg(n);
    for (const QString& door : doors)
        button(door)->click();
    map->findChild<QAction*>(QStringLiteral("S1"))->trigger();
    map->findChild<QAction*>(QStringLiteral("N2"))->trigger();

    EXPECT_EQ(answers->messages, QStringList(doors.size() + 2, kNoFile));
    EXPECT_EQ(cityDoors + forceDoors + personDoors, 0);
    EXPECT_EQ(storeBytes(), before);
    EXPECT_EQ(map->windowTitle(), title);
    EXPECT_EQ(cityButton(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(dialogRuns, 0);
}

TEST_F(MapDoors, StartStateIsClearedStore)
{
    for (int f = 0; f < kForces; ++f)
        EXPECT_EQ(map->Store().forces.King[f], kNone);
    EXPECT_FALSE(map->Store().FileOpen());
}

TEST_F(MapDoors, OpenDoorsPassTheirCityOnceAFileIsOpen)
{
    QList<int> cities;
    int forceDoors = 0, personDoors = 0;
    map->setCityEditorDoor([&](int city) { cities << city; });
    map->setForceEditorDoor([&] { ++forceDoors; });
    map->setPersonEditorDoor([&] { ++personDoors; });
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 1));

    button(QStringLiteral("Button1"))->click();
    button(QStringLiteral("Button10"))->click();
    button(QStringLiteral("Button49"))->click();
    button(QStringLiteral("Button50"))->click();
    button(QStringLiteral("Button51"))->click();
    button(QStringLiteral("Button52"))->click();
    EXPECT_EQ(cities, QList<int>({0, 9, 48, 49}));
    EXPECT_EQ(forceDoors, 1);
    EXPECT_EQ(personDoors, 1);
    EXPECT_TRUE(answers->messages.isEmpty());
}

TEST_F(MapDoors, AboutOpensWithoutAFileAndTouchesNothing)
{
    const QByteArray before = storeBytes();
    button(QStringLiteral("Button56"))->click();
    map->findChild<QAction*>(QStringLiteral("N5"))->trigger();
    EXPECT_EQ(answers->windows, QStringList({QStringLiteral("FAbout"), QStringLiteral("FAbout")}));
    EXPECT_TRUE(answers->messages.isEmpty());
    EXPECT_EQ(storeBytes(), before);
}

TEST(AboutWindow, CloseButtonEndsTheModalShow)
{
    TFAbout about;
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        auto* close = about.findChild<QAbstractButton*>(QStringLiteral("Button1"));
        clicked = close != nullptr;
        if (close != nullptr)
            close->click();
        else
            about.reject();
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_TRUE(clicked);
}

TEST_F(MapDoors, QuitClosesTheMainWindowFromButtonAndMenu)
{
    button(QStringLiteral("Button55"))->click();
    EXPECT_FALSE(map->isVisible());
    map->show();
    map->findChild<QAction*>(QStringLiteral("X1"))->trigger();
    EXPECT_FALSE(map->isVisible());
    EXPECT_TRUE(answers->messages.isEmpty());
}

TEST_F(MapDoors, ShortcutKeysRunTheirItems)
{
    // Shortcuts belong to the active window; a closed message box may leave none active.
    auto press = [this](Qt::Key key) {
        map->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(map.get()));
        QTest::keyClick(map.get(), key, Qt::ControlModifier);
    };
    press(Qt::Key_S);
    press(Qt::Key_R);
    EXPECT_EQ(answers->messages, QStringList({kNoFile, kNoFile}));

    press(Qt::Key_O);
    EXPECT_EQ(dialogRuns, 1);

    press(Qt::Key_H);
    EXPECT_EQ(answers->windows, QStringList({QStringLiteral("FAbout")}));

    press(Qt::Key_F);
    auto* file = map->findChild<QMenu*>(QStringLiteral("F1"));
    QTRY_VERIFY(file->isVisible());
    file->close();
    map->menuBar()->setActiveAction(nullptr);

    press(Qt::Key_X);
    EXPECT_FALSE(map->isVisible());
}

} // namespace
} // namespace veldor::test
