#include "mapfixture.h"

#include "support/scenariofiles.h"

#include "ui/widgets/recentfiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>

namespace veldor::test {
namespace {

const QString kNothingToClear = QStringLiteral("ClearRecentFilesAction:清除列表(disabled)");

class RecentFilesTest : public MapWindow
{
protected:
    void SetUp() override
    {
        MapWindow::SetUp();
        ClearRecentFiles();
    }
    QString scenario(const QString& name) { return writeScenario(name, qHash(name)); }
    QMenu* menu() const { return map->findChild<QMenu*>(QStringLiteral("RecentFilesMenu")); }

    // The entries as the user sees them when the menu opens: "name:caption", "-" for the
    // separator, "(disabled)" after one that cannot be chosen.
    QStringList entries()
    {
        menu()->popup(QPoint());
        QStringList seen;
        for (QAction* a : menu()->actions())
            seen << (a->isSeparator() ? QStringLiteral("-")
                                      : a->objectName() + u':' + a->text() +
                                            (a->isEnabled() ? "" : "(disabled)"));
        menu()->hide();
        return seen;
    }
    void choose(const QString& name)
    {
        entries(); // they are made as the menu opens
        menu()->findChild<QAction*>(name)->trigger();
    }
};

TEST_F(RecentFilesTest, TheLastEightOpenedComeMostRecentFirstAndOnceEach)
{
    ASSERT_EQ(map->findChild<QMenu*>(QStringLiteral("F1"))->actions().at(1), menu()->menuAction());
    EXPECT_EQ(menu()->title(), QStringLiteral("最近打开的剧本"));
    EXPECT_EQ(entries(), QStringList({"-", kNothingToClear}));

    QStringList paths;
    for (int i = 0; i < 10; ++i)
        paths << scenario(QStringLiteral("D_Sce%1%2.kqx").arg(i).arg(i == 3 ? "&co" : ""));
    for (const QString& path : paths + QStringList{paths[5]})
        openThroughDialog(path);
    QStringList expected;
    for (const int i : {5, 9, 8, 7, 6, 4, 3, 2})
        expected << QStringLiteral("RecentFile%1:&%1 %2")
                        .arg(expected.size() + 1)
                        .arg(QDir::toNativeSeparators(paths[i]).replace(u'&', "&&"));
    expected << "-"
             << "ClearRecentFilesAction:清除列表";
    EXPECT_EQ(entries(), expected);
}

// Files gone since are dropped only when the menu opens.
TEST_F(RecentFilesTest, OnlyFilesThatOpenedAreRememberedEntriesOpenThemGoneOnesGo)
{
    const QString first = scenario(QStringLiteral("D_Sce01.kqx"));
    const QString second = scenario(QStringLiteral("D_Sce02.kqx"));
    const QString tooShort = dir.filePath(QStringLiteral("D_Sce03.kqx"));
    WriteBytes(tooShort, QByteArray(100, 'x'));
    for (const QString& path : {first, second, tooShort, QString() /* cancelled */})
        openThroughDialog(path);
    EXPECT_EQ(answers->messages.size(), 1);
    EXPECT_EQ(RecentFiles(), QStringList({second, first}));

    choose(QStringLiteral("RecentFile2"));
    EXPECT_EQ(dialogRuns, 4);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(first));
    EXPECT_EQ(storeBytes(), tablesOfFile(first));
    EXPECT_EQ(RecentFiles(), QStringList({first, second}));

    ASSERT_TRUE(QFile::remove(second));
    EXPECT_EQ(RecentFiles().size(), 2);
    EXPECT_EQ(entries().size(), 3);
    EXPECT_EQ(RecentFiles(), QStringList({first}));
}

// In the user's settings, so the next run has it; these tests keep theirs in a folder of their
// own.
TEST_F(RecentFilesTest, TheListOutlivesTheWindowUntilCleared)
{
    const QString path = scenario(QStringLiteral("D_Sce01.kqx"));
    openThroughDialog(path);
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("veldor"),
                             QStringLiteral("veldor-editor"));
    EXPECT_EQ(settings.value(QStringLiteral("RecentFiles")).toStringList(), QStringList{path});
    EXPECT_TRUE(settings.fileName().startsWith(QDir::tempPath()));

    map.reset(CreateWindows().FMap);
    EXPECT_EQ(entries().size(), 3);
    choose(QStringLiteral("ClearRecentFilesAction"));
    EXPECT_TRUE(RecentFiles().isEmpty());
    EXPECT_EQ(entries(), QStringList({"-", kNothingToClear}));
}

} // namespace
} // namespace veldor::test
