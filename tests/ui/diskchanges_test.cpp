// Another program changes the open scenario: the editor notices, asks where the user has
// changes of their own, merges field by field, and never writes over such a change unasked.
// Save As and the folder that takes no backup.

#include "editsfixture.h"

#include "support/scenariofiles.h"

#include "data/format/scenariocodec.h"
#include "data/session/scenariohistory.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor::test {
namespace {

class DiskChanges : public EditsWindow
{
protected:
    // Changes the file as an atomic writer does (veldor-sce import): a new file renamed over
    // it. Returns the file's new bytes.
    QByteArray changeOnDisk(const std::function<void(ScenarioTables&)>& edit,
                            const QString& file = {})
    {
        const QString target = file.isEmpty() ? path : file;
        QByteArray bytes = ReadBytes(target);
        auto tables = std::make_unique<ScenarioTables>();
        DecodeScenario(bytes, *tables);
        edit(*tables);
        EncodeScenario(*tables, bytes);
        const QString temp = dir.filePath(QStringLiteral("import.tmp"));
        WriteBytes(temp, bytes);
        EXPECT_EQ(
            std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()),
            0);
        return bytes;
    }

    // `bytes` with the store's tables written in, as a save writes them.
    QByteArray withStore(QByteArray bytes) const
    {
        EncodeScenario(map->Store(), bytes);
        return bytes;
    }
    // The one value the disk edit changes, as a file holds it.
    static uint16_t diskValue(const QByteArray& bytes)
    {
        auto tables = std::make_unique<ScenarioTables>();
        DecodeScenario(bytes, *tables);
        return tables->persons.TongShuai[100];
    }

    QString status() const { return map->statusBar()->currentMessage(); }

    // Presses 保存修改 and answers the ExternalChangeQuestion with `caption`; returns its text.
    QString saveAnswering(const QString& caption)
    {
        QString text;
        answers->answerQuestions = false;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            EXPECT_EQ(box->objectName(), QStringLiteral("ExternalChangeQuestion"));
            if (caption == QStringLiteral("重新载入"))
                answerNext(QStringLiteral("ReloadQuestion"), QStringLiteral("重新载入"));
            EXPECT_TRUE(ClickAnswer(box, caption));
        });
        button(QStringLiteral("Button54"))->click();
        answers->answerQuestions = true;
        return text;
    }

    const std::function<void(ScenarioTables&)> diskEdit = [](ScenarioTables& t) {
        t.persons.TongShuai[100] = uint16_t(t.persons.TongShuai[100] ^ 0x55);
    };
    const std::function<void(ScenarioTables&)> userEdit = [](ScenarioTables& t) {
        t.cities.PingMin[9] = 4321;
    };
};

TEST_F(DiskChanges, WithoutChangesOfItsOwnTheEditorReloadsByItselfAndSaysSo)
{
    changeOnDisk(diskEdit);
    EXPECT_TRUE(QTest::qWaitFor([&] { return storeBytes() == tablesOfFile(path); }, 3000));
    EXPECT_EQ(status(), QStringLiteral("剧本已被其他程序修改，已重新载入"));
    // The watch outlived the rename: a second import is seen too.
    changeOnDisk([](ScenarioTables& t) { t.forces.Money[3] = 98765; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return map->Store().forces.Money[3] == 98765; }, 3000));
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    EXPECT_TRUE(answers->questions.isEmpty());
}

TEST_F(DiskChanges, MergeKeepsBothAndSavesThemWithTheUserStepsKept)
{
    const QByteArray opened = tablesOfFile(path);
    applyInCityEditor(9, 4321);
    const QByteArray disk = changeOnDisk(diskEdit);
    const QString question = saveAnswering(QStringLiteral("合并"));
    EXPECT_TRUE(question.startsWith(QStringLiteral("剧本文件已被其他程序修改。")));
    EXPECT_TRUE(question.contains(QStringLiteral("有 1 项"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("都是你没有修改过的项")))
        << question.toStdString();
    EXPECT_EQ(map->Store().cities.PingMin[9], 4321);
    EXPECT_EQ(map->Store().persons.TongShuai[100], diskValue(disk));
    EXPECT_EQ(ReadBytes(path), withStore(disk));
    EXPECT_EQ(status(), QStringLiteral("已保存：") + QDir::toNativeSeparators(path));
    ASSERT_EQ(map->History().Steps().size(), 2u);
    EXPECT_EQ(map->History().Steps()[1].title, QStringLiteral("合并外部修改：1 项"));
    EXPECT_EQ(action(QStringLiteral("UndoAction"))->text(),
              QStringLiteral("撤销 合并外部修改：1 项(&U)"));
    // Taking back the merge and then the user's step leaves the tables as first opened.
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(status(), QStringLiteral("已撤销：合并外部修改：1 项"));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(storeBytes(), opened);
}

TEST_F(DiskChanges, WhereBothChangedAFieldTheUsersValueWinsAsTheQuestionSaid)
{
    applyInCityEditor(9, 4321);
    const QByteArray disk = changeOnDisk([&](ScenarioTables& t) {
        diskEdit(t);
        t.cities.PingMin[9] = 1111;
    });
    const QString question = saveAnswering(QStringLiteral("合并"));
    EXPECT_TRUE(question.contains(QStringLiteral("有 2 项"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("其中 1 项你也修改过；合并时这些项保留你的值")))
        << question.toStdString();
    EXPECT_EQ(map->Store().cities.PingMin[9], 4321);
    EXPECT_EQ(map->Store().persons.TongShuai[100], diskValue(disk));
    EXPECT_EQ(ReadBytes(path), withStore(disk));
}

TEST_F(DiskChanges, ReloadOverwriteAndCancelDoWhatTheySay)
{
    applyInCityEditor(9, 4321);
    const QByteArray user = storeBytes();
    QByteArray disk = changeOnDisk(diskEdit);
    saveAnswering(QStringLiteral("取消"));
    EXPECT_EQ(ReadBytes(path), disk);
    EXPECT_EQ(storeBytes(), user);

    saveAnswering(QStringLiteral("覆盖"));
    EXPECT_EQ(tablesOfFile(path), user) << "the user's tables, the disk's change gone";

    disk = changeOnDisk(diskEdit);
    applyInCityEditor(9, 4000);
    saveAnswering(QStringLiteral("重新载入"));
    EXPECT_EQ(ReadBytes(path), disk);
    EXPECT_EQ(storeBytes(), tablesOfFile(path));
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
}

TEST_F(DiskChanges, WhileAnEditorIsOpenTheQuestionWaitsUntilItCloses)
{
    applyInCityEditor(9, 4321);
    answers.reset();
    bool editorOpen = false;
    QString askedWhileOpen;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        if (editorOpen)
            askedWhileOpen = box->objectName();
        EXPECT_EQ(box->objectName(), QStringLiteral("ExternalChangeQuestion"));
        ClickAnswer(box, QStringLiteral("合并"));
    });
    whenModal<TFCity>([&](TFCity* editor) {
        editorOpen = true;
        changeOnDisk(diskEdit);
        QTest::qWait(300); // the watch has long noticed
        editorOpen = false;
        editor->reject();
    });
    cityButton(2)->click();
    answers = std::make_unique<ModalAnswer>();
    EXPECT_TRUE(askedWhileOpen.isEmpty());
    EXPECT_EQ(status(), QStringLiteral("已合并外部修改：1 项"));
    EXPECT_EQ(map->History().Steps().back().title, QStringLiteral("合并外部修改：1 项"));
    EXPECT_EQ(map->Store().cities.PingMin[9], 4321);
}

TEST_F(DiskChanges, TwoEditorsOnOneFileEachKeepTheOthersChange)
{
    Windows second = CreateWindows();
    std::unique_ptr<TFMap> other(second.FMap);
    other->OpenScenarioFile(path);
    applyInCityEditor(9, 4321);
    other->Store().forces.Money[3] = 98765; // as the force editor's OK leaves it
    other->EditorApplied(EditorKind::Force);
    saveThroughButton();
    answers->answerQuestions = false;
    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->objectName(), QStringLiteral("ExternalChangeQuestion"));
        ClickAnswer(box, QStringLiteral("合并"));
    });
    other->SaveEdits();
    auto both = std::make_unique<ScenarioTables>();
    DecodeScenario(ReadBytes(path), *both);
    EXPECT_EQ(both->cities.PingMin[9], 4321);
    EXPECT_EQ(both->forces.Money[3], 98765);
}

TEST_F(DiskChanges, SaveAsWritesTheOpenedBytesWithTheTablesAndWorksOnTheCopyFromThen)
{
    const QByteArray original = ReadBytes(path);
    applyInCityEditor(9, 4321);
    const QString copy = dir.filePath(QStringLiteral("D_Sce09.kqx"));
    map->setSaveAsChooser([&](QWidget*) { return copy; });
    action(QStringLiteral("SaveAsAction"))->trigger();
    EXPECT_EQ(ReadBytes(copy), withStore(original));
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(copy));
    EXPECT_EQ(action(QStringLiteral("SaveAsAction"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    applyInCityEditor(9, 1234);
    saveThroughButton();
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(ReadBytes(copy), withStore(original));
    // Choosing the open file itself is a plain save.
    applyInCityEditor(9, 777);
    action(QStringLiteral("SaveAsAction"))->trigger();
    EXPECT_EQ(ReadBytes(copy), withStore(original));
    EXPECT_TRUE(answers->messages.isEmpty()) << answers->messages.join(u'\n').toStdString();
}

TEST_F(DiskChanges, AFileRenamedAwayIsSaidAndSaveAsOffered)
{
    applyInCityEditor(9, 4321);
    const QByteArray original = ReadBytes(path);
    const QString away = dir.filePath(QStringLiteral("elsewhere.kqx"));
    ASSERT_EQ(std::rename(QFile::encodeName(path).constData(), QFile::encodeName(away).constData()),
              0);
    const QString copy = dir.filePath(QStringLiteral("D_Sce10.kqx"));
    map->setSaveAsChooser([&](QWidget*) { return copy; });
    answerNext(QStringLiteral("FileGoneQuestion"), QStringLiteral("另存为"));
    button(QStringLiteral("Button54"))->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadBytes(copy), withStore(original));
    EXPECT_FALSE(QFile::exists(path));
}

// The folder is read-only and the file writable: as a user who is not root (root ignores
// the folder's mode, so the test takes another user's rights while it saves).
TEST_F(DiskChanges, AFolderThatTakesNoBackupAsksOnceThenWritesInPlace)
{
    const uid_t nobody = 65534;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), nobody, nobody), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
        if (::setegid(nobody) != 0 || ::seteuid(nobody) != 0)
            GTEST_SKIP() << "cannot take another user's rights";
    } else {
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    }
    struct Restore
    {
        QString folder;
        ~Restore()
        {
            if (::getuid() == 0) {
                ::seteuid(0);
                ::setegid(0);
            }
            ::chmod(QFile::encodeName(folder).constData(), 0700);
        }
    } restore{dir.path()};
    const QByteArray original = ReadBytes(path);
    applyInCityEditor(9, 4321);
    answerNext(QStringLiteral("NoBackupQuestion"), QStringLiteral("直接写入"));
    button(QStringLiteral("Button54"))->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadBytes(path), withStore(original));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".bak")));
    applyInCityEditor(9, 1234);
    saveThroughButton();
    EXPECT_TRUE(answers->questions.isEmpty()) << "the answer holds for the file";
    EXPECT_EQ(ReadBytes(path), withStore(original));
}

// After a reload by itself the history starts at the file as reloaded: the next step and its
// undo are the user's alone, and the disk's change stays.
TEST_F(DiskChanges, AReloadByItselfStartsTheHistoryAtTheReloadedFile)
{
    applyInCityEditor(9, 4321);
    saveThroughButton();
    changeOnDisk(diskEdit);
    ASSERT_TRUE(QTest::qWaitFor([&] { return storeBytes() == tablesOfFile(path); }, 3000));
    EXPECT_FALSE(action(QStringLiteral("UndoAction"))->isEnabled());
    applyInCityEditor(9, 1234);
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(storeBytes(), tablesOfFile(path));
}

// A program that writes over the file in place is seen after a rename over it too.
TEST_F(DiskChanges, AWriteInPlaceAfterARenameOverTheFileIsSeen)
{
    changeOnDisk(diskEdit);
    ASSERT_TRUE(QTest::qWaitFor([&] { return storeBytes() == tablesOfFile(path); }, 3000));
    QTest::qWait(300); // all the rename stirred up has long been seen
    QByteArray bytes = ReadBytes(path);
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(bytes, *tables);
    tables->forces.Money[3] = 98765;
    EncodeScenario(*tables, bytes);
    // Over the old bytes, not truncated first: the folder's watch sees no such write.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return map->Store().forces.Money[3] == 98765; }, 3000));
}

// Save As onto the open file is a save: it asks about a change on disk before writing.
TEST_F(DiskChanges, SaveAsOntoTheOpenFileAsksAboutAChangeOnDisk)
{
    applyInCityEditor(9, 4321);
    const QByteArray disk = changeOnDisk(diskEdit);
    map->setSaveAsChooser([&](QWidget*) { return path; });
    QString question;
    answers->answerQuestions = false;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        question = box->objectName();
        ClickAnswer(box, QStringLiteral("取消"));
    });
    action(QStringLiteral("SaveAsAction"))->trigger();
    answers->answerQuestions = true;
    EXPECT_EQ(question, QStringLiteral("ExternalChangeQuestion"));
    EXPECT_EQ(ReadBytes(path), disk);
}

// A file gone is said once in passing, but a save that cannot happen is never silent.
TEST_F(DiskChanges, AFileGoneIsSaidOnceInPassingAndAgainAtEverySave)
{
    applyInCityEditor(9, 4321);
    const QString away = dir.filePath(QStringLiteral("elsewhere.kqx"));
    ASSERT_EQ(std::rename(QFile::encodeName(path).constData(), QFile::encodeName(away).constData()),
              0);
    answerNext(QStringLiteral("FileGoneQuestion"), QStringLiteral("取消"));
    map->CheckFileOnDisk();
    map->CheckFileOnDisk();
    EXPECT_EQ(asked, 1);
    answerNext(QStringLiteral("FileGoneQuestion"), QStringLiteral("取消"));
    button(QStringLiteral("Button54"))->click();
    EXPECT_EQ(asked, 2);
}

// Declining a change on disk holds until the next save: the same change made again after it
// (the same import run once more) is asked about.
TEST_F(DiskChanges, AChangeDeclinedAndMadeAgainAfterASaveIsAskedAbout)
{
    applyInCityEditor(9, 4321);
    answerNext(QStringLiteral("ExternalChangeQuestion"), QStringLiteral("取消"));
    const QByteArray disk = changeOnDisk(diskEdit);
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked == 1; }, 3000));
    answerNext(QStringLiteral("ExternalChangeQuestion"), QStringLiteral("覆盖"));
    button(QStringLiteral("Button54"))->click();
    ASSERT_EQ(asked, 2);
    applyInCityEditor(9, 4000);
    answerNext(QStringLiteral("ExternalChangeQuestion"), QStringLiteral("取消"));
    const QString temp = dir.filePath(QStringLiteral("import.tmp"));
    WriteBytes(temp, disk);
    ASSERT_EQ(std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()),
              0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked == 3; }, 3000));
}

} // namespace
} // namespace veldor::test
