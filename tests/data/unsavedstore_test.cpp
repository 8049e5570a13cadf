// What the store knows about unsaved changes, and the backup taken before the first save.

#include "data/files/scenariobackup.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace veldor {
namespace {

using test::ReadBytes;

mode_t modeOf(const QString& path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

class UnsavedStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = folder.add(QStringLiteral("D_Sce01.kqx"), 7);
        ::chmod(QFile::encodeName(path).constData(), 0640);
        QString error;
        ASSERT_TRUE(store->Open(path, error)) << error.toStdString();
    }
    QString backup() const { return path + QStringLiteral(".bak"); }

    test::ScenarioFolder folder;
    QString path;
    std::unique_ptr<ScenarioStore> store = std::make_unique<ScenarioStore>();
};

TEST_F(UnsavedStore, ModifiedComparesWithTheFileAsLastOpenedOrSaved)
{
    EXPECT_FALSE(store->Modified());
    const uint16_t old = store->persons.WuLi[8];
    store->persons.WuLi[8] = uint16_t(old + 1);
    EXPECT_TRUE(store->Modified());
    store->persons.WuLi[8] = old;
    EXPECT_FALSE(store->Modified()) << "changed back is not modified";

    store->forces.Skill[0][0] = !store->forces.Skill[0][0];
    QString error;
    ASSERT_TRUE(store->Save(error)) << error.toStdString();
    EXPECT_FALSE(store->Modified());
    store->forces.Skill[0][0] = !store->forces.Skill[0][0];
    EXPECT_TRUE(store->Modified()) << "the saved state is the new reference";
    ASSERT_TRUE(store->Reload(error));
    EXPECT_FALSE(store->Modified());
}

TEST_F(UnsavedStore, FirstSaveBacksUpTheFileAsItWasWithItsMode)
{
    const QByteArray original = ReadBytes(path);
    store->cities.PingMin[0] += 1;
    QString error;
    ASSERT_TRUE(store->SaveWithBackup(error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(backup()), original);
    EXPECT_EQ(modeOf(backup()), mode_t(0640));
    EXPECT_NE(ReadBytes(path), original);

    // Later saves keep the first backup; a reload takes a new one at the next save.
    const QByteArray firstSave = ReadBytes(path);
    store->cities.PingMin[0] += 1;
    ASSERT_TRUE(store->SaveWithBackup(error));
    EXPECT_EQ(ReadBytes(backup()), original);
    ASSERT_TRUE(store->Reload(error));
    store->cities.PingMin[0] += 1;
    const QByteArray beforeThird = ReadBytes(path);
    ASSERT_TRUE(store->SaveWithBackup(error));
    EXPECT_EQ(ReadBytes(backup()), beforeThird);
    EXPECT_NE(beforeThird, firstSave);
}

TEST_F(UnsavedStore, ABackupThatCannotBeWrittenStopsTheSave)
{
    ASSERT_TRUE(QDir().mkdir(backup()));
    const QByteArray original = ReadBytes(path);
    store->cities.PingMin[0] += 1;
    QString error;
    EXPECT_FALSE(store->SaveWithBackup(error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(backup()))) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(EISDIR))))
        << error.toStdString();
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_TRUE(store->Modified());
}

// A save that will be refused leaves no backup behind, whichever save it is.
TEST_F(UnsavedStore, AReadOnlyScenarioIsRefusedBeforeItIsBackedUp)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    store->cities.PingMin[0] += 1;
    QString error;
    EXPECT_FALSE(store->SaveWithBackup(error));
    EXPECT_EQ(store->SaveEdits(error), SaveOutcome::Failed);
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(backup()));
}

TEST_F(UnsavedStore, ALinkInTheBackupsPlaceIsNotFollowed)
{
    const QString elsewhere = folder.addBytes(QStringLiteral("notes.txt"), "keep me");
    ASSERT_TRUE(QFile::link(elsewhere, backup()));
    store->cities.PingMin[0] += 1;
    QString error;
    EXPECT_FALSE(store->SaveWithBackup(error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(backup()))) << error.toStdString();
    EXPECT_EQ(ReadBytes(elsewhere), QByteArray("keep me"));
}

} // namespace
} // namespace veldor
