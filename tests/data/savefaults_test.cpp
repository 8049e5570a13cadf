// Fault injection against the save: a failure at each step, a full disk and a folder out of
// inodes, a save killed at random moments, and the temporary files such a kill leaves.

#include "childprocess.h"
#include "data/files/replaceoptions.h"
#include "data/format/scenariocodec.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "support/testdisk.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldor {
namespace {

using test::ReadBytes;
using test::ScenarioFolder;

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

ino_t inodeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

struct EditedScenario
{
    explicit EditedScenario(const QString& folderPath, const QString& name = "s.kqx")
        : file(folderPath + '/' + name)
    {
        test::WriteBytes(file, test::RandomScenarioBytes(31));
        before = ReadBytes(file);
        QString error;
        EXPECT_TRUE(store->Open(file, error)) << error.toStdString();
        store->persons.WuLi[7] = uint8_t(store->persons.WuLi[7] + 1);
        expected = before;
        EncodeScenario(*store, expected);
    }

    QString file;
    QByteArray before, expected;
    std::unique_ptr<ScenarioStore> store = std::make_unique<ScenarioStore>();
};

ReplaceOptions failingAt(SaveStep step, int error)
{
    ReplaceOptions options;
    test::TestDiskOf(options).onStep = [step, error](SaveStep at) {
        return at == step ? error : 0;
    };
    return options;
}

TEST(SaveFaults, AFailureAtEachStepIsReportedWithItsReasonAndLeavesTheFile)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    for (SaveStep step :
         {SaveStep::CreateTemp, SaveStep::Write, SaveStep::Sync, SaveStep::Publish}) {
        QString error;
        EXPECT_FALSE(test::SaveWith(*s.store, failingAt(step, EIO), error)) << int(step);
        EXPECT_TRUE(error.contains(s.file)) << error.toStdString();
        EXPECT_TRUE(error.contains(reasonOf(EIO))) << error.toStdString();
        EXPECT_TRUE(ReadBytes(s.file) == s.before) << int(step);
        EXPECT_EQ(folder.entries(), QStringList{"s.kqx"}) << int(step);
    }
    // What could not be kept is said; the contents are saved all the same.
    for (SaveStep step : {SaveStep::Own, SaveStep::Mode}) {
        ASSERT_EQ(::chown(QFile::encodeName(s.file).constData(), 4242, 4343) == 0,
                  ::geteuid() == 0);
        QString error, warning;
        EXPECT_TRUE(test::SaveWith(*s.store, failingAt(step, EPERM), error, &warning))
            << error.toStdString();
        if (step == SaveStep::Mode || ::geteuid() == 0) {
            EXPECT_TRUE(warning.contains(reasonOf(EPERM))) << int(step) << warning.toStdString();
        }
        EXPECT_TRUE(ReadBytes(s.file) == s.expected);
        test::WriteBytes(s.file, s.before);
    }
    QString error, warning;
    EXPECT_TRUE(test::SaveWith(*s.store, failingAt(SaveStep::SyncFolder, EIO), error, &warning));
    EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
    EXPECT_TRUE(ReadBytes(s.file) == s.expected);
}

// A folder that takes no new file takes no backup: the editor's save says so, and once told to
// go on without one it writes the file in place and tries no backup again.
TEST(SaveFaults, AfterNoBackupTheSaveGoesOnWithoutOne)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    s.store->File().SetReplaceOptions(failingAt(SaveStep::CreateTemp, EACCES));
    QString error;
    EXPECT_EQ(s.store->SaveEdits(error), SaveOutcome::NoBackup);
    EXPECT_TRUE(ReadBytes(s.file) == s.before);
    s.store->File().AllowSaveWithoutBackup();
    EXPECT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    EXPECT_TRUE(ReadBytes(s.file) == s.expected);
    EXPECT_EQ(folder.entries(), QStringList{"s.kqx"});
}

// The disk is given to the file once and every kind of save writes to it: a save that wrote
// to the system's disk instead would pass every other test.
TEST(SaveFaults, EverySaveWritesToTheDiskTheFileWasGiven)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    s.store->File().SetReplaceOptions(failingAt(SaveStep::Write, ENOSPC));
    QString error;
    EXPECT_FALSE(s.store->Save(error));
    EXPECT_FALSE(s.store->SaveWithBackup(error));
    EXPECT_TRUE(error.contains(".bak")) << "the backup comes first: " << error.toStdString();
    EXPECT_EQ(s.store->SaveEdits(error), SaveOutcome::Failed);
    EXPECT_FALSE(s.store->SaveAs(folder.path("copy.kqx"), error));
    EXPECT_TRUE(error.contains(reasonOf(ENOSPC))) << error.toStdString();
    EXPECT_TRUE(ReadBytes(s.file) == s.before);
    EXPECT_EQ(folder.entries(), QStringList{"s.kqx"});
    EXPECT_TRUE(s.store->Modified());
}

TEST(SaveFaults, OnlyAFolderThatRefusesNewFilesSendsTheSaveInPlace)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    const ino_t inode = inodeOf(s.file);
    for (int noRoom : {ENOSPC, EDQUOT}) {
        QString error;
        EXPECT_FALSE(test::SaveWith(*s.store, failingAt(SaveStep::CreateTemp, noRoom), error));
        EXPECT_TRUE(error.contains(reasonOf(noRoom))) << error.toStdString();
        EXPECT_TRUE(ReadBytes(s.file) == s.before) << "never written in place for lack of room";
    }
    for (int refusal : {EACCES, EPERM, EROFS}) {
        test::WriteBytes(s.file, s.before);
        QString error;
        EXPECT_TRUE(test::SaveWith(*s.store, failingAt(SaveStep::CreateTemp, refusal), error));
        EXPECT_TRUE(ReadBytes(s.file) == s.expected) << refusal;
        EXPECT_EQ(inodeOf(s.file), inode);
    }
    // A sticky folder makes the new file but refuses it another owner's file's name.
    test::WriteBytes(s.file, s.before);
    QString refused;
    EXPECT_TRUE(test::SaveWith(*s.store, failingAt(SaveStep::Publish, EPERM), refused))
        << refused.toStdString();
    EXPECT_TRUE(ReadBytes(s.file) == s.expected);
    EXPECT_EQ(folder.entries(), QStringList{"s.kqx"}) << "the new file went again";
    // Writing in place fails with its reason too.
    ReplaceOptions inPlaceFailing = failingAt(SaveStep::CreateTemp, EACCES);
    test::TestDiskOf(inPlaceFailing).onWrite = [](int, const void*, size_t) -> ssize_t {
        return errno = EIO, -1;
    };
    QString error;
    EXPECT_FALSE(test::SaveWith(*s.store, inPlaceFailing, error));
    EXPECT_TRUE(error.contains(reasonOf(EIO))) << error.toStdString();
}

// A save that skipped the flush of the new file would pass every other test.
TEST(SaveFaults, TheNewFileIsSyncedBeforeItTakesTheNameAndTheFolderAfter)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    struct Synced
    {
        ino_t inode;
        ino_t namedThen; // what the scenario's name pointed at when it was synced
    };
    std::vector<Synced> synced;
    ReplaceOptions options;
    test::TestDiskOf(options).onFsync = [&](int fd) {
        struct stat st;
        ::fstat(fd, &st);
        synced.push_back({st.st_ino, inodeOf(s.file)});
        return ::fsync(fd);
    };
    QString error;
    ASSERT_TRUE(test::SaveWith(*s.store, options, error)) << error.toStdString();
    const ino_t saved = inodeOf(s.file);
    const ino_t folderInode = inodeOf(folder.path({}));
    ASSERT_EQ(synced.size(), 2u);
    EXPECT_EQ(synced[0].inode, saved);
    EXPECT_NE(synced[0].namedThen, saved) << "synced only after it replaced the old file";
    EXPECT_EQ(synced[1].inode, folderInode);

    synced.clear();
    options.sync = false;
    ASSERT_TRUE(test::SaveWith(*s.store, options, error));
    EXPECT_TRUE(synced.empty());

    // A file of several names is written in place, and flushed there.
    options.sync = true;
    ASSERT_EQ(::link(QFile::encodeName(s.file).constData(),
                     QFile::encodeName(folder.path("second.kqx")).constData()),
              0);
    s.store->persons.WuLi[7] = uint8_t(s.store->persons.WuLi[7] + 1);
    ASSERT_TRUE(test::SaveWith(*s.store, options, error)) << error.toStdString();
    ASSERT_EQ(synced.size(), 1u);
    EXPECT_EQ(synced[0].inode, inodeOf(s.file));
}

// Another save's clean-up spares a temporary file only while its save holds it locked.
TEST(SaveFaults, TheTemporaryFileIsLockedWhileItIsWritten)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    int locked = -1;
    ReplaceOptions options;
    test::TestDiskOf(options).onWrite = [&](int fd, const void* data, size_t size) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        const int other = ::open(self.constData(), O_RDONLY | O_CLOEXEC);
        if (other >= 0) {
            locked = ::flock(other, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
            ::close(other);
        }
        return ::write(fd, data, size);
    };
    QString error;
    ASSERT_TRUE(test::SaveWith(*s.store, options, error)) << error.toStdString();
    EXPECT_EQ(locked, 1);
}

// The fd of this process that holds the flock on `file`, or -1.
int lockHolder(const QString& file)
{
    const QByteArray inode = ':' + QByteArray::number(qulonglong(inodeOf(file))) + ' ';
    for (int fd = 0; fd < 1024; ++fd) {
        QFile info(QStringLiteral("/proc/self/fdinfo/%1").arg(fd));
        if (!info.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : info.readAll().split('\n'))
            if (line.startsWith("lock:") && line.contains("FLOCK") && line.contains(inode))
                return fd;
    }
    return -1;
}

// The backup and the save are one turn: the lock taken for the backup is the one the save
// still holds, so no other writer comes between them.
TEST(SaveFaults, TheScenarioStaysLockedFromTheBackupToTheSave)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    constexpr off_t kMark = 4321; // nobody reads through the lock's descriptor
    int steps = 0;
    bool sameLock = false;
    ReplaceOptions options;
    test::TestDiskOf(options).onStep = [&](SaveStep step) {
        if (step != SaveStep::CreateTemp)
            return 0;
        const int fd = lockHolder(s.file);
        if (++steps == 1 && fd >= 0)
            ::lseek(fd, kMark, SEEK_SET); // during the backup
        else if (fd >= 0)
            sameLock = ::lseek(fd, 0, SEEK_CUR) == kMark; // during the save
        return 0;
    };
    QString error;
    s.store->File().SetReplaceOptions(options);
    ASSERT_TRUE(s.store->SaveWithBackup(error)) << error.toStdString();
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(sameLock);
}

TEST(SaveFaults, AFullDiskOrNoFreeInodeFailsWithTheReasonAndNeverWritesInPlace)
{
    struct Case
    {
        const char* options;
        bool fillInodes;
    };
    for (const Case c : {Case{"size=1m", false}, Case{"size=4m,nr_inodes=8", true}}) {
        std::string message;
        const test::ChildResult result = test::RunOnOwnTmpfs(
            c.options,
            [&](const QString& dir, std::string& out) {
                EditedScenario s(dir);
                for (int k = 0; c.fillInodes && k < 100 &&
                                QFile(dir + "/f" + QString::number(k)).open(QIODevice::WriteOnly);
                     ++k) {
                }
                QString error;
                const bool saved = s.store->Save(error);
                out = error.toStdString();
                return !saved && error.contains(reasonOf(ENOSPC)) && ReadBytes(s.file) == s.before;
            },
            message);
        if (result == test::ChildResult::Skipped)
            GTEST_SKIP() << message;
        EXPECT_EQ(result, test::ChildResult::Passed) << c.options << ": " << message;
    }
}

TEST(SaveFaults, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFileAndNothingElse)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    QByteArray other = s.expected;
    s.store->persons.WuLi[7] = uint8_t(s.store->persons.WuLi[7] + 1);
    EncodeScenario(*s.store, other);
    const std::set<QByteArray> allowed = {s.before, s.expected, other};

    std::mt19937 random(14);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (uint8_t k = 0;; ++k) {
                s.store->persons.WuLi[7] = uint8_t(s.store->persons.WuLi[7] + (k % 2 ? 1 : -1));
                QString error;
                ReplaceOptions quick;
                quick.sync = false;
                test::SaveWith(*s.store, quick, error);
            }
        }
        ::usleep(useconds_t(random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_TRUE(allowed.count(ReadBytes(s.file))) << "round " << round;
    }
    // Whatever a kill left, the next save clears away (once it is older than that save).
    ::usleep(10000);
    QString error;
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
    EXPECT_EQ(folder.entries(), QStringList{"s.kqx"});
}

TEST(SaveFaults, TheNextSaveRemovesOnlyThisProgramsOwnStaleTemporaryFiles)
{
    ScenarioFolder folder;
    EditedScenario s(folder.path({}));
    auto make = [&](const QString& name) {
        test::WriteBytes(folder.path(name), "left over");
        const timespec old[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 60, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(folder.path(name)).constData(), old, 0);
    };
    for (const char* name : {".veldor-save-Ab12Cd", ".veldor-save-InUse1", ".veldor-save-long",
                             ".veldor-save-Ab1", "notes.veldor-save-Ab12Cd", ".veldor-save-Other1"})
        make(QString::fromLatin1(name));
    QFile::link(folder.path(".veldor-save-Ab12Cd"), folder.path(".veldor-save-Link12"));
    if (::geteuid() == 0)
        ::chown(QFile::encodeName(folder.path(".veldor-save-Other1")).constData(), 65534, 65534);
    // A save still running in another process holds its file locked.
    const int inUse = ::open(QFile::encodeName(folder.path(".veldor-save-InUse1")).constData(),
                             O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(inUse, LOCK_EX), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::pause();
        ::_exit(0);
    }
    ::close(inUse);

    QString error;
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    // Root's saves hand their file to the scenario's owner, so for root another owner's
    // unlocked file is no sign of a live save and goes too.
    QStringList kept = {".veldor-save-Ab1",  ".veldor-save-InUse1",      ".veldor-save-Link12",
                        ".veldor-save-long", "notes.veldor-save-Ab12Cd", "s.kqx"};
    EXPECT_EQ(folder.entries(), kept);

    // A file of several names is saved in place, and that save clears what a kill left too
    // (the holder of InUse1 is gone by now).
    make(QStringLiteral(".veldor-save-Stale1"));
    ASSERT_EQ(::link(QFile::encodeName(s.file).constData(),
                     QFile::encodeName(folder.path("second.kqx")).constData()),
              0);
    s.store->persons.WuLi[7] = uint8_t(s.store->persons.WuLi[7] + 1);
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
    kept.removeOne(".veldor-save-InUse1");
    kept.append("second.kqx");
    EXPECT_EQ(folder.entries(), kept);
}

} // namespace
} // namespace veldor
