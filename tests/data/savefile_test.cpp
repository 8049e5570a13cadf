// How a save meets the disk: refusals that leave the file alone, the atomic replace, and the
// in-place fallback where the folder takes no new file.

#include "childprocess.h"
#include "data/files/scenariofile.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "support/testdisk.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldor {
namespace {

using test::ReadBytes;
using test::ScenarioFolder;

constexpr auto kEveryoneReadWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
constexpr auto kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                 QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// A store opened on a fresh random file, with one applied edit that a save must write.
struct OpenScenario
{
    explicit OpenScenario(const QString& name, uint32_t seed = 21)
    {
        file = folder.add(name, seed);
        before = ReadBytes(file);
        QString error;
        EXPECT_TRUE(store->Open(file, error)) << error.toStdString();
        store->cities.ShouYi[3] = uint16_t(store->cities.ShouYi[3] + 1);
    }

    ScenarioFolder folder;
    QString file;
    QByteArray before;
    std::unique_ptr<ScenarioStore> store = std::make_unique<ScenarioStore>();
};

using WriteCall = std::function<ssize_t(int, const void*, size_t)>;

// A disk with room for `room` more bytes.
WriteCall FillingDisk(qint64 room)
{
    auto left = std::make_shared<qint64>(room);
    return [left](int fd, const void* data, size_t size) -> ssize_t {
        if (*left == 0)
            return errno = ENOSPC, -1;
        const ssize_t n = ::write(fd, data, std::min<size_t>(size, size_t(*left)));
        if (n > 0)
            *left -= n;
        return n;
    };
}

uint16_t shouYi3(const QByteArray& bytes)
{
    return qFromLittleEndian<uint16_t>(bytes.constData() + 570946);
}

TEST(Save, ShrunkFileIsRefusedAndLeftAsItIs)
{
    OpenScenario s(QStringLiteral("shrunk.kqx"));
    ASSERT_TRUE(QFile::resize(s.file, 600000));
    QString error;
    EXPECT_FALSE(s.store->Save(error));
    EXPECT_TRUE(error.contains(s.file)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("600,000"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("719,712"))) << error.toStdString();
    EXPECT_TRUE(ReadBytes(s.file) == s.before.left(600000));
    EXPECT_EQ(s.folder.entries(), QStringList{QStringLiteral("shrunk.kqx")});
}

TEST(Save, KeepsTheLengthTheFileHasNowAndItsTail)
{
    OpenScenario s(QStringLiteral("grown.kqx"));
    QByteArray grown = s.before + QByteArray(5000, '\x5A');
    test::WriteBytes(s.file, grown);
    QString error;
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
    const QByteArray after = ReadBytes(s.file);
    ASSERT_EQ(after.size(), grown.size());
    EXPECT_TRUE(after.mid(720000) == grown.mid(720000));
    EXPECT_EQ(shouYi3(after), s.store->cities.ShouYi[3]);

    // Shorter than at open but still long enough: saved at its new length.
    ASSERT_TRUE(QFile::resize(s.file, layout::kMinFileSize));
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(s.file).size(), layout::kMinFileSize);
}

TEST(Save, DeletedFileIsNotCreatedAgain)
{
    OpenScenario s(QStringLiteral("gone.kqx"));
    ASSERT_TRUE(QFile::remove(s.file));
    QString error;
    EXPECT_FALSE(s.store->Save(error));
    EXPECT_TRUE(error.contains(s.file)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(s.file));
    EXPECT_TRUE(s.folder.entries().isEmpty()) << s.folder.entries().join(' ').toStdString();
}

TEST(Save, FileReplacedByAFolderIsRefused)
{
    OpenScenario s(QStringLiteral("swapped.kqx"));
    ASSERT_TRUE(QFile::remove(s.file));
    ASSERT_TRUE(QDir().mkdir(s.file));
    QString error;
    EXPECT_FALSE(s.store->Save(error));
    EXPECT_TRUE(QFileInfo(s.file).isDir());
}

TEST(Save, FailedWriteLeavesTheOriginalAndNamesTheReason)
{
    OpenScenario s(QStringLiteral("failing.kqx"));
    struct Case
    {
        WriteCall write;
        int reason;
    };
    const Case failures[] = {
        {[](int, const void*, size_t) -> ssize_t { return errno = EIO, -1; }, EIO},
        // A disk that fills up half way: a short write, then ENOSPC, as the kernel reports it.
        {FillingDisk(360000), ENOSPC},
    };
    for (const Case& failure : failures) {
        for (bool sync : {true, false}) {
            ReplaceOptions options;
            options.sync = sync;
            test::TestDiskOf(options).onWrite = failure.write;
            QString error;
            EXPECT_FALSE(test::SaveWith(*s.store, options, error));
            EXPECT_TRUE(error.contains(s.file)) << error.toStdString();
            EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(failure.reason))))
                << error.toStdString();
            EXPECT_TRUE(ReadBytes(s.file) == s.before);
            EXPECT_EQ(s.folder.entries(), QStringList{QStringLiteral("failing.kqx")});
        }
    }
}

TEST(Save, WithoutSyncWritesTheSameBytes)
{
    OpenScenario s(QStringLiteral("nosync.kqx"));
    ReplaceOptions unsynced;
    unsynced.sync = false;
    QString error;
    ASSERT_TRUE(test::SaveWith(*s.store, unsynced, error));
    const QByteArray unsyncedBytes = ReadBytes(s.file);
    ASSERT_TRUE(s.store->Save(error));
    EXPECT_TRUE(ReadBytes(s.file) == unsyncedBytes);
    EXPECT_EQ(shouYi3(unsyncedBytes), s.store->cities.ShouYi[3]);
}

TEST(Save, ThroughASymlinkReplacesItsTargetAndKeepsTheLink)
{
    ScenarioFolder elsewhere;
    OpenScenario s(QStringLiteral("real.kqx"));
    const QString link = elsewhere.path(QStringLiteral("link.kqx"));
    ASSERT_TRUE(QFile::link(s.file, link));
    QString error;
    ASSERT_TRUE(s.store->Open(link, error));
    s.store->cities.ShouYi[3] = 12345;
    ASSERT_TRUE(s.store->Save(error)) << error.toStdString();

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), s.file);
    EXPECT_EQ(shouYi3(ReadBytes(s.file)), 12345);
    // So does a direct replace, which resolves the link itself.
    QByteArray bytes = ReadBytes(s.file);
    qToLittleEndian<uint16_t>(54321, bytes.data() + 570946);
    ASSERT_TRUE(ReplaceScenarioFile(link, QString(), bytes, error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(shouYi3(ReadBytes(s.file)), 54321);
    EXPECT_EQ(elsewhere.entries(), QStringList{QStringLiteral("link.kqx")});
    EXPECT_EQ(s.folder.entries(), QStringList{QStringLiteral("real.kqx")});
}

TEST(Save, KeepsThePermissions)
{
    OpenScenario s(QStringLiteral("perms.kqx"));
    for (mode_t mode : {mode_t(0640), mode_t(0604), mode_t(0666)}) {
        ASSERT_EQ(::chmod(QFile::encodeName(s.file).constData(), mode), 0);
        QString error;
        ASSERT_TRUE(s.store->Save(error)) << error.toStdString();
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(s.file).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

TEST(Save, DirectReplaceRefusesAnotherLengthAndAMissingFile)
{
    ScenarioFolder folder;
    const QString file = folder.add(QStringLiteral("direct.kqx"), 22);
    const QByteArray before = ReadBytes(file);
    QString error;
    EXPECT_FALSE(ReplaceScenarioFile(file, QString(), before + "x", error));
    EXPECT_TRUE(error.contains(file));
    EXPECT_FALSE(ReplaceScenarioFile(file, QString(), before.left(before.size() - 1), error));
    EXPECT_TRUE(ReadBytes(file) == before);
    // A file too short to be a scenario is refused even with bytes of its own length.
    ASSERT_TRUE(QFile::resize(file, 600000));
    EXPECT_FALSE(ReplaceScenarioFile(file, QString(), before.left(600000), error));
    EXPECT_TRUE(error.contains(QStringLiteral("719,712"))) << error.toStdString();
    EXPECT_TRUE(ReadBytes(file) == before.left(600000));

    const QString missing = folder.path(QStringLiteral("missing.kqx"));
    EXPECT_FALSE(ReplaceScenarioFile(missing, QString(), before, error));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("direct.kqx")});
}

// The cases below need the rights of an ordinary user: root may write anything.

TEST(SaveUnprivileged, ReadOnlyFileIsRefusedAndLeftAsItIs)
{
    OpenScenario s(QStringLiteral("readonly.kqx"));
    ASSERT_TRUE(
        QFile::setPermissions(s.file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    std::string message;
    const bool saved = test::RunUnprivileged(
        [&](std::string& out) {
            QString error;
            const bool ok = s.store->Save(error);
            out = error.toStdString();
            return ok;
        },
        message);
    EXPECT_FALSE(saved);
    EXPECT_NE(message.find(s.file.toStdString()), std::string::npos) << message;
    EXPECT_TRUE(ReadBytes(s.file) == s.before);
    EXPECT_EQ(s.folder.entries(), QStringList{QStringLiteral("readonly.kqx")});
}

TEST(SaveUnprivileged, UnreadableAtSaveTimeIsRefused)
{
    OpenScenario s(QStringLiteral("unreadable.kqx"));
    ASSERT_TRUE(QFile::setPermissions(s.file, kEveryoneReadWrite));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(s.file).constData(), 65534, 65534), 0);
    }
    std::string message;
    const bool saved = test::RunUnprivileged(
        [&](std::string& out) {
            // Opened while readable, then locked before the save.
            QString error;
            if (!s.store->Open(s.file, error)) {
                out = "open failed: " + error.toStdString();
                return true;
            }
            QFile::setPermissions(s.file, QFile::WriteOwner);
            const bool ok = s.store->Save(error);
            out = error.toStdString();
            return ok;
        },
        message);
    EXPECT_FALSE(saved) << message;
    EXPECT_NE(message.find(s.file.toStdString()), std::string::npos) << message;
    QFile::setPermissions(s.file, kEveryoneReadWrite);
    EXPECT_TRUE(ReadBytes(s.file) == s.before);
}

TEST(SaveUnprivileged, ReadOnlyFolderFallsBackToWritingInPlace)
{
    OpenScenario s(QStringLiteral("inplace.kqx"));
    // One field of each table: the in-place write must cover every table's range.
    s.store->places.PlaceCity[136] = uint16_t(s.store->places.PlaceCity[136] + 1);
    s.store->forces.Relation[49][48] = uint8_t(s.store->forces.Relation[49][48] + 1);
    s.store->items.ItemOwner[99] = uint16_t(s.store->items.ItemOwner[99] + 1);
    s.store->persons.Faith[799][49] = uint8_t(s.store->persons.Faith[799][49] + 1);
    ASSERT_TRUE(QFile::setPermissions(s.file, kEveryoneReadWrite));
    const QString folder = QFileInfo(s.file).absolutePath();
    ASSERT_TRUE(QFile::setPermissions(folder, kReadOnlyFolder));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(s.file).constData(), &st), 0);

    std::string message;
    const bool saved = test::RunUnprivileged(
        [&](std::string& out) {
            QString error;
            const bool ok = s.store->Save(error);
            out = error.toStdString();
            return ok;
        },
        message);
    EXPECT_TRUE(saved) << message;
    QByteArray expected = s.before;
    EncodeScenario(*s.store, expected);
    EXPECT_TRUE(ReadBytes(s.file) == expected);
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(s.file).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, st.st_ino) << "the file was written in place, not replaced";
    EXPECT_EQ(s.folder.entries(), QStringList{QStringLiteral("inplace.kqx")});

    // A failing disk in place is reported, never taken for success.
    const bool failed = test::RunUnprivileged(
        [&](std::string& out) {
            QString error;
            ReplaceOptions failing;
            test::TestDiskOf(failing).onWrite = [](int, const void*, size_t) -> ssize_t {
                return errno = EIO, -1;
            };
            const bool ok = test::SaveWith(*s.store, failing, error);
            out = error.toStdString();
            return ok;
        },
        message);
    EXPECT_FALSE(failed);
    EXPECT_NE(message.find(s.file.toStdString()), std::string::npos) << message;
    // Writing in place may have begun: the message must not promise an untouched file.
    EXPECT_EQ(message.find("文件保持原样"), std::string::npos) << message;
    QFile::setPermissions(folder, kReadOnlyFolder | QFile::WriteOwner);
}

// A file that cannot be looked at or written is reported with the system's reason, not taken
// for a missing or a read-only file.
TEST(Save, RefusalsNameTheSystemsReason)
{
    ScenarioFolder folder;
    const QString loop = folder.path("loop.kqx");
    ASSERT_TRUE(QFile::link(folder.path("other.kqx"), loop));
    ASSERT_TRUE(QFile::link(loop, folder.path("other.kqx")));
    auto store = std::make_unique<ScenarioStore>();
    QString error;
    EXPECT_FALSE(store->Open(loop, error));
    EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(ELOOP))))
        << error.toStdString();

    std::string message;
    const test::ChildResult result = test::RunOnOwnTmpfs(
        "size=4m",
        [](const QString& dir, std::string& out) {
            OpenScenario s(QStringLiteral("x.kqx"));
            const QString file = dir + "/x.kqx";
            test::WriteBytes(file, s.before);
            QString error;
            if (!s.store->Open(file, error) ||
                ::mount(nullptr, QFile::encodeName(dir).constData(), nullptr,
                        MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
                out = "could not set up: " + error.toStdString() + std::strerror(errno);
                return false;
            }
            s.store->cities.ShouYi[3] = uint16_t(s.store->cities.ShouYi[3] + 1);
            const bool saved = s.store->Save(error);
            out = error.toStdString();
            return !saved && error.contains(QString::fromLocal8Bit(std::strerror(EROFS)));
        },
        message);
    if (result == test::ChildResult::Skipped)
        GTEST_SKIP() << message;
    EXPECT_EQ(result, test::ChildResult::Passed) << message;
}

} // namespace
} // namespace veldor
