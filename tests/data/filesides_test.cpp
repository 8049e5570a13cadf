// What every system's side of data/files must do alike: these run on Linux and, cross-built, on
// Windows (under wine here), where the calls beneath are entirely different.
#include "data/files/devicewrite.h"
#include "data/files/filelock.h"
#include "data/files/scenariobackup.h"
#include "data/files/scenariofile.h"
#include "data/files/scenariolock.h"
#include "data/files/systemerror.h"
#include "data/files/systemfile.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace veldor {
namespace {

using test::ReadBytes;

bool addName(const QString& existing, const QString& name)
{
#ifdef _WIN32
    return ::CreateHardLinkW(reinterpret_cast<const wchar_t*>(name.utf16()),
                             reinterpret_cast<const wchar_t*>(existing.utf16()), nullptr);
#else
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(name).constData()) ==
           0;
#endif
}

bool setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(when, QFileDevice::FileModificationTime);
}

FileIdentity identityOf(const QString& path)
{
    FileStatus status;
    EXPECT_EQ(StatusOfPath(path, status), 0) << path.toStdString();
    return status.identity;
}

class FileSides : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(folder_.path(kFolder)));
        file_ = folder_.add(kFolder + QStringLiteral("/甲 剧本.kqx"), 3);
        opened_ = ReadBytes(file_);
        QString error;
        ASSERT_TRUE(store_->Open(file_, error)) << error.toStdString();
        store_->cities.PingMin[4] = 4321;
    }

    QByteArray edited() const
    {
        QByteArray bytes = opened_;
        EncodeScenario(*store_, bytes);
        return bytes;
    }

    QStringList entries() const
    {
        return QDir(folder_.path(kFolder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

    const QString kFolder = QStringLiteral("三国 剧本");
    test::ScenarioFolder folder_;
    QString file_;
    QByteArray opened_;
    std::unique_ptr<ScenarioStore> store_ = std::make_unique<ScenarioStore>();
};

TEST_F(FileSides, ASaveReplacesTheFileUnderAChineseNameAndLeavesNothingElse)
{
    const FileIdentity before = identityOf(file_);
    QString error;
    ASSERT_TRUE(store_->Save(error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(file_), edited());
    // A new file took the name: the old one, still whole, was what any reader had open.
    const FileIdentity after = identityOf(file_);
    EXPECT_FALSE(after.device == before.device && after.file == before.file);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("甲 剧本.kqx")});
}

TEST_F(FileSides, TheFirstSaveBacksUpTheFileAsItWasAndAgainOverAnOldBackup)
{
    const QString backup = ScenarioBackupPath(file_);
    test::WriteBytes(backup, QByteArray("an old backup"));
    QString error;
    ASSERT_TRUE(store_->SaveWithBackup(error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(backup), opened_);
    EXPECT_EQ(ReadBytes(file_), edited());
}

TEST_F(FileSides, SaveAsMakesANewFileAndReplacesAnOldOne)
{
    const QString fresh = folder_.path(kFolder + QStringLiteral("/乙.kqx"));
    const QString old = folder_.add(kFolder + QStringLiteral("/丙.kqx"), 9);
    QString error;
    ASSERT_TRUE(store_->SaveAs(fresh, error)) << error.toStdString();
    ASSERT_TRUE(store_->SaveAs(old, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(fresh), edited());
    EXPECT_EQ(ReadBytes(old), edited());
}

TEST_F(FileSides, AFileWithSeveralNamesIsWrittenInPlaceUnderAllOfThem)
{
    const QString second = folder_.path(kFolder + QStringLiteral("/另一个名字.kqx"));
    ASSERT_TRUE(addName(file_, second));
    QString error;
    ASSERT_TRUE(store_->Save(error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(file_), edited());
    EXPECT_EQ(ReadBytes(second), edited());
    FileStatus status;
    ASSERT_EQ(StatusOfPath(file_, status), 0);
    EXPECT_EQ(status.links, 2u);
}

TEST_F(FileSides, AReadOnlyFileIsRefusedAndLeftAsItWas)
{
    ASSERT_TRUE(QFile::setPermissions(file_, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup |
                                                 QFile::ReadOther));
    QString error;
    EXPECT_FALSE(store_->Save(error));
    EXPECT_TRUE(error.contains(QStringLiteral("文件是只读的"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file_))) << error.toStdString();
    EXPECT_EQ(ReadBytes(file_), opened_);
    QFile::setPermissions(file_, QFile::ReadOwner | QFile::WriteOwner);
}

#ifdef _WIN32
// The game, say, has the file open and lets nobody else at it: the save fails and says why.
TEST_F(FileSides, AFileHeldOpenWithoutSharingIsNotReplacedAndTheReasonIsGiven)
{
    const HANDLE held = ::CreateFileW(reinterpret_cast<const wchar_t*>(file_.utf16()), GENERIC_READ,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    QString error;
    EXPECT_FALSE(store_->Save(error));
    ::CloseHandle(held);
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file_))) << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("Windows 错误"))) << error.toStdString();
    EXPECT_EQ(ReadBytes(file_), opened_);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("甲 剧本.kqx")});
}
#endif

TEST_F(FileSides, StaleTemporariesOfASaveGoAndEverythingElseStays)
{
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QString stale = folder_.path(kFolder + QStringLiteral("/.veldor-save-Ab12Cd"));
    const QString unlike = folder_.path(kFolder + QStringLiteral("/.veldor-save-Ab12"));
    const QString newer = folder_.path(kFolder + QStringLiteral("/.veldor-save-Zz99Yy"));
    for (const QString& name : {stale, unlike, newer})
        test::WriteBytes(name, QByteArray("left"));
    ASSERT_TRUE(setModified(stale, hourAgo));
    ASSERT_TRUE(setModified(unlike, hourAgo));
    // Made after the save began: another save's, still at work.
    ASSERT_TRUE(setModified(newer, hourAgo.addSecs(7200)));
    QString error;
    ASSERT_TRUE(store_->Save(error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(unlike));
    EXPECT_TRUE(QFile::exists(newer));
}

TEST_F(FileSides, TheIdentityTellsAWriteInPlaceEvenWithItsTimeSetBack)
{
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    ASSERT_TRUE(setModified(file_, hourAgo));
    const FileIdentity before = identityOf(file_);
    EXPECT_EQ(identityOf(file_), before);
    EXPECT_EQ(before.size, opened_.size());
    {
        QFile file(file_);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(10);
        file.write("x", 1);
    }
    EXPECT_NE(identityOf(file_), before);
    // A program that puts the modification time back cannot put back the change time.
    ASSERT_TRUE(setModified(file_, hourAgo));
    EXPECT_EQ(identityOf(file_).modifiedNs, before.modifiedNs);
    EXPECT_NE(identityOf(file_), before);
}

TEST_F(FileSides, AMissingFileOrFolderIsNotFound)
{
    for (const QString& path : {folder_.path(kFolder + QStringLiteral("/无.kqx")),
                                folder_.path(QStringLiteral("无此文件夹/无.kqx"))}) {
        QByteArray tables;
        FileIdentity identity;
        QString error;
        EXPECT_FALSE(ReadScenarioTables(path, tables, identity, error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("找不到剧本文件"))) << error.toStdString();
    }
}

TEST_F(FileSides, ReadingAtAnOffsetStopsAtTheEnd)
{
    int fd = -1;
    ASSERT_EQ(OpenForReading(file_, fd), 0);
    QByteArray tail(100, '\0');
    int error = 0;
    EXPECT_EQ(ReadAt(fd, tail.data(), 100, opened_.size() - 40, error), 40);
    EXPECT_EQ(tail.left(40), opened_.right(40));
    CloseFile(fd);
}

TEST(FileLock, KeepsOutAnotherHolderUntilReleasedAndScenarioLockWaitsThenGivesUp)
{
    test::ScenarioFolder folder;
    const QString path = QFileInfo(folder.add(QStringLiteral("锁.kqx"))).canonicalFilePath();
    intptr_t held = -1;
    int reason = 0;
    ASSERT_EQ(TryLockFile(path, held, reason), LockAttempt::Locked);
    // Another holder: another thread, as a Windows mutex is its holding thread's.
    std::thread([&] {
        intptr_t other = -1;
        EXPECT_EQ(TryLockFile(path, other, reason), LockAttempt::Busy);
        ScenarioLock lock(path, 100);
        QString error;
        EXPECT_FALSE(lock.Acquire(error));
        EXPECT_TRUE(error.contains(QStringLiteral("正由另一个程序写入"))) << error.toStdString();
    }).join();
    ReleaseFileLock(held);
    std::thread([&] {
        intptr_t other = -1;
        EXPECT_EQ(TryLockFile(path, other, reason), LockAttempt::Locked);
        ReleaseFileLock(other);
    }).join();
}

TEST(DeviceWrite, TheNullDeviceIsWrittenAsItIsAndAFileIsNoDevice)
{
#ifdef _WIN32
    const QString device = QStringLiteral("NUL");
#else
    const QString device = QStringLiteral("/dev/null");
#endif
    EXPECT_TRUE(IsSpecialFile(device));
    QString reason;
    EXPECT_TRUE(WriteToDevice(device, QByteArray("gone"), reason)) << reason.toStdString();
    test::ScenarioFolder folder;
    EXPECT_FALSE(IsSpecialFile(folder.add(QStringLiteral("a.kqx"))));
    EXPECT_FALSE(IsSpecialFile(folder.path(QStringLiteral("none"))));
}

TEST(SystemReason, IsTheSystemsOwnSentenceWithoutItsFullStop)
{
#ifdef _WIN32
    const QString reason = SystemReason(WindowsError(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(reason.contains(QStringLiteral("Windows 错误"))) << reason.toStdString();
    EXPECT_FALSE(reason.endsWith(QLatin1Char('.')) || reason.endsWith(QLatin1Char('\n')));
    EXPECT_TRUE(IsMissingFileError(WindowsError(ERROR_PATH_NOT_FOUND)));
    EXPECT_FALSE(IsMissingFileError(WindowsError(ERROR_ACCESS_DENIED)));
#endif
    EXPECT_EQ(SystemReason(ENOSPC), QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_TRUE(IsMissingFileError(ENOENT));
}

} // namespace
} // namespace veldor
