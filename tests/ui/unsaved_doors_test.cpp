// Every door that would drop unsaved changes asks first, and only then.

#include "editsfixture.h"

#include "support/scenariofiles.h"

#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace veldor::test {
namespace {

using UnsavedDoors = EditsWindow;

TEST_F(UnsavedDoors, WithoutChangesNoDoorAsks)
{
    const QString other = writeScenario(QStringLiteral("D_Sce02.kqx"), 12);
    button(QStringLiteral("Button57"))->click();
    openThroughDialog(other);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(other));
    // An edit taken back leaves nothing to ask about either.
    applyInCityEditor(3, 1234);
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(map->windowTitle(), OpenedTitle(other));
    EXPECT_TRUE(map->close());
    EXPECT_TRUE(answers->questions.isEmpty()) << answers->questions.join(u' ').toStdString();
    EXPECT_TRUE(answers->messages.isEmpty());
}

TEST_F(UnsavedDoors, AnAppliedChangeStarsTheTitleUntilSavedOrUndone)
{
    applyInCityEditor(9, 4321);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path) + QStringLiteral(" *"));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    EXPECT_EQ(storeBytes(), tablesOfFile(path));
    action(QStringLiteral("RedoAction"))->trigger();
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path) + QStringLiteral(" *"));
    saveThroughButton();
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path) + QStringLiteral(" *"))
        << "undone past the save differs from the file";
}

TEST_F(UnsavedDoors, CancelStaysWithNothingChanged)
{
    applyInCityEditor(9, 4321);
    const QByteArray store = storeBytes();
    const QByteArray file = ReadBytes(path);
    for (const char* door : {"O1", "X1"}) {
        answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("取消"));
        action(QString::fromLatin1(door))->trigger();
    }
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("取消"));
    button(QStringLiteral("Button53"))->click();
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("取消"));
    button(QStringLiteral("Button55"))->click();
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("取消"));
    EXPECT_FALSE(map->close()) << "the close box";
    answerNext(QStringLiteral("ReloadQuestion"), QStringLiteral("取消"));
    button(QStringLiteral("Button57"))->click();
    auto* recent = map->findChild<QMenu*>(QStringLiteral("RecentFilesMenu"));
    recent->popup(QPoint()); // its entries are made as it opens
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("取消"));
    recent->findChild<QAction*>(QStringLiteral("RecentFile1"))->trigger();
    recent->hide();

    EXPECT_EQ(asked, 7);
    EXPECT_EQ(dialogRuns, 1) << "only the first open ran the dialog";
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(storeBytes(), store);
    EXPECT_EQ(ReadBytes(path), file);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));
}

// Escape, like the close box, takes the answer that changes nothing.
TEST_F(UnsavedDoors, EscapeNeitherSavesNorReloads)
{
    applyInCityEditor(9, 4321);
    const QByteArray store = storeBytes();
    const QByteArray file = ReadBytes(path);
    answerNext(QStringLiteral("SaveChangesQuestion"), {});
    EXPECT_FALSE(map->close());
    answerNext(QStringLiteral("ReloadQuestion"), {});
    button(QStringLiteral("Button57"))->click();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(storeBytes(), store);
    EXPECT_EQ(ReadBytes(path), file);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));
}

TEST_F(UnsavedDoors, DontSaveGoesOnWithoutTheChanges)
{
    applyInCityEditor(9, 4321);
    const QByteArray file = ReadBytes(path);
    const QString other = writeScenario(QStringLiteral("D_Sce02.kqx"), 12);
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("不保存"));
    openThroughDialog(other);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(map->Store().FileName(), other);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(other));
    EXPECT_FALSE(action(QStringLiteral("UndoAction"))->isEnabled()) << "a new file, a new history";
    EXPECT_EQ(ReadBytes(path), file);

    applyInCityEditor(9, 4321);
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("不保存"));
    EXPECT_TRUE(map->close());
}

TEST_F(UnsavedDoors, SaveSavesWithABackupThenGoesOn)
{
    const QByteArray original = ReadBytes(path);
    applyInCityEditor(9, 4321);
    const QByteArray edited = storeBytes();
    const QString other = writeScenario(QStringLiteral("D_Sce02.kqx"), 12);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("保存"));
    QApplication::sendEvent(map.get(), &drop);
    QTRY_COMPARE(map->Store().FileName(), other);
    EXPECT_EQ(tablesOfFile(path), edited);
    EXPECT_EQ(ReadBytes(path + QStringLiteral(".bak")), original);
    EXPECT_TRUE(answers->messages.isEmpty());
}

TEST_F(UnsavedDoors, ASaveThatFailsIsShownAndNothingGoesOn)
{
    applyInCityEditor(9, 4321);
    ASSERT_TRUE(QDir().mkdir(path + QStringLiteral(".bak")));
    const QByteArray file = ReadBytes(path);
    answerNext(QStringLiteral("SaveChangesQuestion"), QStringLiteral("保存"));
    EXPECT_FALSE(map->close());
    ASSERT_EQ(answers->messages.size(), 1);
    EXPECT_TRUE(answers->messages[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(ReadBytes(path), file);
    EXPECT_TRUE(map->windowTitle().endsWith(QStringLiteral(" *")));
}

TEST_F(UnsavedDoors, ReloadDropsTheChangesAndTheHistoryWhenConfirmed)
{
    applyInCityEditor(9, 4321);
    answerNext(QStringLiteral("ReloadQuestion"), QStringLiteral("重新载入"));
    button(QStringLiteral("Button57"))->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(storeBytes(), tablesOfFile(path));
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    EXPECT_FALSE(action(QStringLiteral("UndoAction"))->isEnabled());
}

} // namespace
} // namespace veldor::test
