#include "mapfixture.h"

#include "support/scenariofiles.h"

#include "ui/formmap.h"
#include "ui/recentfiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>

namespace veldor::test {
namespace {

class RecentFilesTest : public MapWindow
{
protected:
    void SetUp() override
    {
        MapWindow::SetUp();
        ClearRecentFiles();
    }

    QString scenario(const QString& name) { return writeScenario(name, uint32_t(qHash(name))); }

    QMenu* menu() const { return map->findChild<QMenu*>(QStringLiteral("RecentFilesMenu")); }

    // The menu's entries as the user sees them when it opens: "name:caption", "-" for a
    // separator and "(disabled)" after an entry that cannot be chosen.
    QStringList entries()
    {
        QMenu* recent = menu();
        recent->popup(QPoint());
        QStringList seen;
        for (QAction* action : recent->actions())
            seen << (action->isSeparator()
                         ? QStringLiteral("-")
                         : action->objectName() + u':' + action->text() +
                               (action->isEnabled() ? QString() : QStringLiteral("(disabled)")));
        recent->hide();
        return seen;
    }

    QAction* entry(const QString& name)
    {
        entries(); // the entries are made as the menu opens
        return menu()->findChild<QAction*>(name);
    }
};

TEST_F(RecentFilesTest, TheMenuSitsUnderOpenAndStartsWithNothingToClear)
{
    QMenu* file = map->findChild<QMenu*>(QStringLiteral("F1"));
    ASSERT_NE(menu(), nullptr);
    EXPECT_EQ(file->actions().indexOf(menu()->menuAction()), 1);
    EXPECT_EQ(menu()->title(), QStringLiteral("最近打开的剧本"));
    EXPECT_EQ(entries(), QStringList({"-", "ClearRecentFilesAction:清除列表(disabled)"}));
}

TEST_F(RecentFilesTest, TheLastEightOpenedComeMostRecentFirstAndOnceEach)
{
    QStringList paths;
    for (int i = 0; i < 10; ++i)
        paths << scenario(QStringLiteral("D_Sce%1%2.kqx").arg(i).arg(i == 3 ? "&co" : ""));
    for (const QString& path : paths)
        openThroughDialog(path);
    openThroughDialog(paths[5]);
    ASSERT_TRUE(answers->messages.isEmpty());

    const int order[] = {5, 9, 8, 7, 6, 4, 3, 2};
    QStringList expected;
    for (int i = 0; i < 8; ++i) {
        QString caption = QDir::toNativeSeparators(paths[order[i]]);
        caption.replace(u'&', QStringLiteral("&&"));
        expected << QStringLiteral("RecentFile%1:&%1 %2").arg(i + 1).arg(caption);
    }
    expected << "-"
             << "ClearRecentFilesAction:清除列表";
    EXPECT_EQ(entries(), expected);
}

TEST_F(RecentFilesTest, OnlyFilesThatOpenedAreRemembered)
{
    const QString good = scenario(QStringLiteral("D_Sce01.kqx"));
    const QString tooShort = dir.filePath(QStringLiteral("D_Sce02.kqx"));
    WriteBytes(tooShort, QByteArray(100, 'x'));
    openThroughDialog(good);
    openThroughDialog(tooShort);
    openThroughDialog(QString()); // cancelled
    EXPECT_EQ(answers->messages.size(), 1);
    EXPECT_EQ(RecentFiles(), QStringList({good}));
}

TEST_F(RecentFilesTest, AnEntryOpensItsFileAndComesFirst)
{
    const QString first = scenario(QStringLiteral("D_Sce01.kqx"));
    const QString second = scenario(QStringLiteral("D_Sce02.kqx"));
    openThroughDialog(first);
    openThroughDialog(second);
    entry(QStringLiteral("RecentFile2"))->trigger();

    EXPECT_TRUE(answers->messages.isEmpty());
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(first));
    EXPECT_EQ(storeBytes(), tablesOfFile(first));
    EXPECT_EQ(RecentFiles(), QStringList({first, second}));
}

TEST_F(RecentFilesTest, FilesGoneSinceAreDroppedWhenTheMenuOpens)
{
    const QString kept = scenario(QStringLiteral("D_Sce01.kqx"));
    const QString gone = scenario(QStringLiteral("D_Sce02.kqx"));
    openThroughDialog(kept);
    openThroughDialog(gone);
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_EQ(RecentFiles().size(), 2) << "nothing is dropped before the menu opens";

    const QStringList seen = entries();
    ASSERT_EQ(seen.size(), 3);
    EXPECT_TRUE(seen[0].endsWith(QDir::toNativeSeparators(kept)));
    EXPECT_EQ(RecentFiles(), QStringList({kept}));
}

TEST_F(RecentFilesTest, TheListOutlivesTheWindowUntilCleared)
{
    const QString path = scenario(QStringLiteral("D_Sce01.kqx"));
    openThroughDialog(path);
    map.reset(CreateWindows().FMap);
    ASSERT_EQ(entries().size(), 3);
    EXPECT_TRUE(entries()[0].endsWith(path));

    entry(QStringLiteral("ClearRecentFilesAction"))->trigger();
    EXPECT_TRUE(RecentFiles().isEmpty());
    EXPECT_EQ(entries(), QStringList({"-", "ClearRecentFilesAction:清除列表(disabled)"}));
}

TEST_F(RecentFilesTest, TheListIsKeptInTheUsersSettingsButTestsUseTheirOwn)
{
    openThroughDialog(scenario(QStringLiteral("D_Sce01.kqx")));
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("veldor"),
                             QStringLiteral("veldor-editor"));
    EXPECT_EQ(settings.value(QStringLiteral("RecentFiles")).toStringList(), RecentFiles());
    EXPECT_TRUE(settings.fileName().startsWith(QDir::tempPath()))
        << settings.fileName().toStdString();
}

TEST(RecentFileList, AddingMovesToTheHeadAndKeepsEight)
{
    QStringList list;
    for (int i = 0; i < 9; ++i)
        list = WithRecentFile(list, QStringLiteral("/s/%1.kqx").arg(i));
    EXPECT_EQ(list.size(), kRecentFiles);
    EXPECT_EQ(list.first(), QStringLiteral("/s/8.kqx"));
    EXPECT_EQ(list.last(), QStringLiteral("/s/1.kqx"));
    list = WithRecentFile(list, QStringLiteral("/s/../s/4.kqx"));
    EXPECT_EQ(list.size(), kRecentFiles);
    EXPECT_EQ(list.first(), QStringLiteral("/s/4.kqx")) << "one entry per file";
    EXPECT_EQ(list.count(QStringLiteral("/s/4.kqx")), 1);
}

} // namespace
} // namespace veldor::test
