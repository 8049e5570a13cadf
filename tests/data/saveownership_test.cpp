// What a save and a backup keep of the file besides its bytes: owner, group, every mode bit,
// its other names, and where the backup goes. The owner cases need root and a second user.

#include "childprocess.h"
#include "data/files/replaceoptions.h"
#include "data/files/scenariobackup.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "support/testdisk.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace veldor {
namespace {

using test::ReadBytes;
using test::ScenarioFolder;

struct stat statOf(const QString& path)
{
    struct stat st = {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

void setOwnerAndMode(const QString& path, uid_t uid, gid_t gid, mode_t mode)
{
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), uid, gid), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

struct OpenedScenario
{
    explicit OpenedScenario(ScenarioFolder& folder, const QString& name = "own.kqx")
        : file(folder.add(name, 41))
    {
        QString error;
        EXPECT_TRUE(store->Open(file, error)) << error.toStdString();
        store->forces.Money[2] = store->forces.Money[2] + 1;
    }

    QString file;
    std::unique_ptr<ScenarioStore> store = std::make_unique<ScenarioStore>();
};

TEST(SaveOwnership, RootKeepsAnotherUsersOwnerGroupAndEveryModeBit)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    ScenarioFolder folder;
    OpenedScenario s(folder);
    for (mode_t mode : {mode_t(0600), mode_t(06750), mode_t(01604)}) {
        setOwnerAndMode(s.file, 1000, 60, mode);
        QString error, warning;
        ASSERT_TRUE(s.store->Save(error, &warning)) << error.toStdString();
        const struct stat st = statOf(s.file);
        EXPECT_EQ(st.st_uid, 1000u);
        EXPECT_EQ(st.st_gid, 60u);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
    }
}

TEST(SaveOwnership, AGroupMemberKeepsTheGroupAndIsToldTheOwnerChanged)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    ScenarioFolder folder;
    OpenedScenario s(folder);
    setOwnerAndMode(s.file, 4242, 4343, 0660);
    std::string message;
    const bool saved = test::RunAsUser(
        65534, 65534, {4343},
        [&](std::string& out) {
            QString error, warning;
            const bool ok = s.store->Save(error, &warning);
            out = (error + warning).toStdString();
            return ok && warning.contains("4242:4343");
        },
        message);
    EXPECT_TRUE(saved) << message;
    const struct stat st = statOf(s.file);
    EXPECT_EQ(st.st_gid, 4343u);
    EXPECT_EQ(st.st_mode & 07777, 0660u);
}

TEST(SaveOwnership, AModeWithoutWritePermissionIsRefusedForRootToo)
{
    ScenarioFolder folder;
    OpenedScenario s(folder);
    const QByteArray before = ReadBytes(s.file);
    ASSERT_EQ(::chmod(QFile::encodeName(s.file).constData(), 0444), 0);
    QString error;
    EXPECT_FALSE(s.store->Save(error));
    EXPECT_TRUE(error.contains(s.file)) << error.toStdString();
    EXPECT_TRUE(ReadBytes(s.file) == before);
    EXPECT_EQ(statOf(s.file).st_mode & 07777, 0444u);
}

TEST(SaveOwnership, AFileWithSeveralNamesKeepsThemAll)
{
    ScenarioFolder folder;
    OpenedScenario s(folder);
    const QString second = folder.path("second-name.kqx");
    ASSERT_EQ(::link(QFile::encodeName(s.file).constData(), QFile::encodeName(second).constData()),
              0);
    const ino_t inode = statOf(s.file).st_ino;
    QString error;
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
    EXPECT_EQ(statOf(s.file).st_ino, inode);
    EXPECT_EQ(statOf(s.file).st_nlink, 2u);
    EXPECT_TRUE(ReadBytes(second) == ReadBytes(s.file));
    EXPECT_EQ(folder.entries(), QStringList({"own.kqx", "second-name.kqx"}));
}

TEST(ScenarioBackup, TakesTheScenariosModeAndOwnerAndGoesBesideTheRealFile)
{
    ScenarioFolder real, elsewhere;
    const QString file = real.add("real.kqx", 42);
    const QString link = elsewhere.path("link.kqx");
    ASSERT_TRUE(QFile::link(file, link));
    const bool root = ::geteuid() == 0;
    if (root)
        setOwnerAndMode(file, 1000, 60, 0600);
    else
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0600), 0);
    test::WriteBytes(real.path("real.kqx.bak"), "an older backup");
    ASSERT_EQ(::chmod(QFile::encodeName(real.path("real.kqx.bak")).constData(), 0644), 0);

    QString error;
    ASSERT_TRUE(WriteScenarioBackup(link, error)) << error.toStdString();
    const QString backup = real.path("real.kqx.bak");
    EXPECT_TRUE(ReadBytes(backup) == ReadBytes(file));
    EXPECT_EQ(statOf(backup).st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(statOf(backup).st_uid, 1000u);
        EXPECT_EQ(statOf(backup).st_gid, 60u);
    }
    EXPECT_EQ(elsewhere.entries(), QStringList{"link.kqx"});
    EXPECT_EQ(real.entries(), QStringList({"real.kqx", "real.kqx.bak"}));
}

TEST(ScenarioBackup, WritesNothingWhereTheSaveWouldBeRefusedOrTheWriteFails)
{
    ScenarioFolder folder;
    const QString file = folder.add("x.kqx", 43);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    QString error;
    EXPECT_FALSE(WriteScenarioBackup(file, error));
    EXPECT_TRUE(error.contains(file)) << error.toStdString();
    EXPECT_EQ(folder.entries(), QStringList{"x.kqx"});

    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0);
    test::WriteBytes(folder.path("x.kqx.bak"), "older");
    ReplaceOptions failing;
    test::TestDiskOf(failing).onStep = [](SaveStep step) {
        return step == SaveStep::Write ? ENOSPC : 0;
    };
    EXPECT_FALSE(WriteScenarioBackup(file, error, failing));
    EXPECT_TRUE(error.contains(folder.path("x.kqx.bak"))) << error.toStdString();
    EXPECT_EQ(ReadBytes(folder.path("x.kqx.bak")), QByteArray("older"));
    EXPECT_EQ(folder.entries(), QStringList({"x.kqx", "x.kqx.bak"}));
}

// What a copy cannot keep is said, never silently lost: an owner the backup could not take,
// and the scenario's extended attributes (its ACLs among them) go with every new file.
TEST(ScenarioBackup, KeepsExtendedAttributesAndSaysWhatItCouldNotKeep)
{
    ScenarioFolder folder;
    OpenedScenario s(folder);
    const QByteArray file = QFile::encodeName(s.file);
    if (::setxattr(file.constData(), "user.veldor-test", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no user extended attributes here";
    QString error, warning;
    ASSERT_TRUE(s.store->SaveWithBackup(error, &warning)) << error.toStdString();
    EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
    for (const QString& path : {s.file, ScenarioBackupPath(s.file)}) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(QFile::encodeName(path).constData(), "user.veldor-test", value,
                             sizeof value),
                  4)
            << path.toStdString();
        EXPECT_STREQ(value, "kept");
    }

    if (::geteuid() != 0)
        return;
    setOwnerAndMode(s.file, 1000, 60, 0644);
    ReplaceOptions cannotChown;
    test::TestDiskOf(cannotChown).onStep = [](SaveStep step) {
        return step == SaveStep::Own ? EPERM : 0;
    };
    ASSERT_TRUE(WriteScenarioBackup(s.file, error, cannotChown, &warning)) << error.toStdString();
    EXPECT_TRUE(warning.contains("1000:60") && warning.contains(".bak")) << warning.toStdString();

    // The editor's first save says both: the backup's line first, then the scenario's.
    ASSERT_TRUE(s.store->Open(s.file, error)) << error.toStdString();
    s.store->File().SetReplaceOptions(cannotChown);
    ASSERT_EQ(s.store->SaveEdits(error, &warning), SaveOutcome::Saved) << error.toStdString();
    const QStringList lines = warning.split('\n');
    ASSERT_EQ(lines.size(), 2) << warning.toStdString();
    EXPECT_TRUE(lines[0].contains(".bak")) << warning.toStdString();
    EXPECT_FALSE(lines[1].contains(".bak")) << warning.toStdString();
}

} // namespace
} // namespace veldor
