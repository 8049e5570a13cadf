// Open, reload and save through the store: what reaches the disk, and what a refusal keeps.

#include "data/format/scenariolayout.h"
#include "data/format/skillmask.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <memory>
#ifndef _WIN32
#include "childprocess.h"

#include <sys/stat.h>
#endif

namespace veldor {
namespace {

using test::ReadBytes;
using test::ScenarioFolder;

// Heap-allocated (the tables are ~170 KB) and zeroed, padding included, so that two stores
// can be compared byte for byte.
std::unique_ptr<ScenarioStore> newStore()
{
    auto store = std::make_unique<ScenarioStore>();
    return store;
}

bool sameTables(const ScenarioTables& a, const ScenarioTables& b)
{
    return std::memcmp(&a, &b, sizeof(ScenarioTables)) == 0;
}

std::unique_ptr<ScenarioTables> snapshot(const ScenarioTables& tables)
{
    auto copy = std::make_unique<ScenarioTables>();
    std::memcpy(static_cast<void*>(copy.get()), &tables, sizeof(ScenarioTables));
    return copy;
}

// Offsets differing between two equally long byte arrays.
std::vector<qsizetype> differences(const QByteArray& a, const QByteArray& b)
{
    std::vector<qsizetype> at;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            at.push_back(i);
    return at;
}

TEST(Store, StartsClearedWithNoFile)
{
    auto store = newStore();
    EXPECT_FALSE(store->FileOpen());
    EXPECT_TRUE(store->FileName().isEmpty());
    for (int f = 0; f < kForces; ++f) {
        EXPECT_EQ(store->forces.King[f], kNone);
        EXPECT_EQ(store->forces.Money[f], 0);
    }
    EXPECT_EQ(store->persons.City[0], 0);
}

TEST(Store, SaveAndReloadWithoutAFileAnswerNoFileAndTouchNothing)
{
    auto store = newStore();
    store->cities.PingMin[0] = 5;
    QString error;
    EXPECT_FALSE(store->Save(error));
    EXPECT_EQ(error, QStringLiteral("你还没打开文件呢"));
    error.clear();
    EXPECT_FALSE(store->Reload(error));
    EXPECT_EQ(error, NoFileMessage());
    EXPECT_EQ(store->cities.PingMin[0], 5);
}

TEST(Store, UnchangedSaveIsByteIdenticalOnRandomFiles)
{
    ScenarioFolder folder;
    int masksWithBit31 = 0;
    for (uint32_t seed : {1u, 2u, 3u}) {
        const qint64 size = seed == 1 ? layout::kMinFileSize : 720000 + seed * 1000;
        const QString file = folder.add(QStringLiteral("D_Sce%1.kqx").arg(seed), seed, size);
        const QByteArray before = ReadBytes(file);
        for (int p = 0; p < kPersons; ++p)
            masksWithBit31 +=
                qFromLittleEndian<uint32_t>(before.constData() + 612528 + p * 134 + 114) >> 31;

        auto store = newStore();
        QString error;
        ASSERT_TRUE(store->Open(file, error)) << error.toStdString();
        ASSERT_TRUE(store->Save(error)) << error.toStdString();
        EXPECT_TRUE(ReadBytes(file) == before) << "seed " << seed;
    }
    EXPECT_GT(masksWithBit31, 100) << "the files should exercise bit 31";
}

TEST(Store, OneChangedFieldChangesOnlyItsOwnBytes)
{
    ScenarioFolder folder;
    const QString file = folder.add(QStringLiteral("D_Sce.kqx"), 4);
    const QByteArray before = ReadBytes(file);
    auto store = newStore();
    QString error;
    ASSERT_TRUE(store->Open(file, error));

    store->cities.ShouYi[3] = uint16_t(store->cities.ShouYi[3] ^ 0xA55A);
    ASSERT_TRUE(store->Save(error)) << error.toStdString();
    const QByteArray after = ReadBytes(file);
    EXPECT_EQ(differences(before, after), (std::vector<qsizetype>{570946, 570947}));
    EXPECT_EQ(qFromLittleEndian<uint16_t>(after.constData() + 570946), store->cities.ShouYi[3]);

    // A flag of person 799 changes the last mask's byte and nothing else.
    store->persons.Skill[799][8] = !store->persons.Skill[799][8];
    ASSERT_TRUE(store->Save(error));
    EXPECT_EQ(differences(after, ReadBytes(file)), (std::vector<qsizetype>{719709}));
}

TEST(Store, OutOfRangeIndicesAreReadAndWrittenBackAsTheyAre)
{
    QByteArray bytes(720000, '\0');
    const uint16_t odd[] = {50, 1000, 65535};
    for (int c = 0; c < 3; ++c)
        qToLittleEndian<uint16_t>(odd[c], bytes.data() + 570746 + c * 56 + 24);
    qToLittleEndian<uint16_t>(800, bytes.data() + 573550 + 18);   // King of force 0
    qToLittleEndian<uint16_t>(60000, bytes.data() + 612528 + 10); // City of person 0
    qToLittleEndian<uint16_t>(137, bytes.data() + 565146 + 0);    // PlaceForc of place 0
    ScenarioFolder folder;
    const QString file = folder.addBytes(QStringLiteral("odd.kqx"), bytes);

    auto store = newStore();
    QString error;
    ASSERT_TRUE(store->Open(file, error));
    EXPECT_EQ(store->cities.Forc[0], 50);
    EXPECT_EQ(store->cities.Forc[1], 1000);
    EXPECT_EQ(store->cities.Forc[2], 65535);
    EXPECT_EQ(store->forces.King[0], 800);
    EXPECT_EQ(store->persons.City[0], 60000);
    EXPECT_EQ(store->places.PlaceForc[0], 137);

    store->cities.PingMin[0] = 1; // some other change, so the save really writes
    ASSERT_TRUE(store->Save(error));
    const QByteArray after = ReadBytes(file);
    EXPECT_EQ(differences(bytes, after), (std::vector<qsizetype>{570746}));
}

TEST(Store, SavingTwiceWritesTheSameBytes)
{
    ScenarioFolder folder;
    const QString file = folder.add(QStringLiteral("twice.kqx"), 5);
    auto store = newStore();
    QString error;
    ASSERT_TRUE(store->Open(file, error));
    store->persons.WuLi[10] = 99;
    store->forces.Relation[3][4] = 7;
    ASSERT_TRUE(store->Save(error));
    const QByteArray first = ReadBytes(file);
    ReplaceOptions unsynced;
    unsynced.sync = false;
    store->File().SetReplaceOptions(unsynced);
    ASSERT_TRUE(store->Save(error));
    EXPECT_TRUE(ReadBytes(file) == first);
}

TEST(Store, ReloadDropsEveryChangeSinceTheLastSave)
{
    ScenarioFolder folder;
    const QString file = folder.add(QStringLiteral("reload.kqx"), 6);
    auto store = newStore();
    QString error;
    ASSERT_TRUE(store->Open(file, error));
    const auto read = snapshot(*store);

    store->persons.Faith[799][49] ^= 0xFF;
    store->forces.Money[0] += 1;
    store->forces.King[1] = kNone;
    store->places.PlaceCity[136] ^= 1;
    ASSERT_TRUE(store->Reload(error)) << error.toStdString();
    EXPECT_TRUE(sameTables(*store, *read));
    EXPECT_EQ(store->FileName(), file);
}

TEST(Store, OpeningASecondFileReplacesEveryArrayAndTheName)
{
    ScenarioFolder folder;
    const QString first = folder.add(QStringLiteral("a.kqx"), 7);
    const QString second = folder.add(QStringLiteral("b.kqx"), 8);
    auto fromSecond = newStore();
    QString error;
    ASSERT_TRUE(fromSecond->Open(second, error));

    auto store = newStore();
    ASSERT_TRUE(store->Open(first, error));
    ASSERT_TRUE(store->Open(second, error));
    EXPECT_EQ(store->FileName(), second);
    EXPECT_TRUE(sameTables(*store, *fromSecond));
}

// Each of these must be refused with the file named, the old name and tables kept.
class RefusedOpen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        good_ = folder_.add(QStringLiteral("good.kqx"), 9);
        QString error;
        ASSERT_TRUE(store_->Open(good_, error));
        store_->cities.MinXin[0] = 4242; // an applied, unsaved edit must survive too
        kept_ = snapshot(*store_);
    }

    void expectRefused(const QString& path, const QString& reasonPart)
    {
        QString error;
        EXPECT_FALSE(store_->Open(path, error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
        EXPECT_TRUE(error.contains(reasonPart)) << error.toStdString();
        EXPECT_EQ(store_->FileName(), good_);
        EXPECT_TRUE(sameTables(*store_, *kept_));
    }

    ScenarioFolder folder_;
    QString good_;
    std::unique_ptr<ScenarioStore> store_ = newStore();
    std::unique_ptr<ScenarioTables> kept_;
};

TEST_F(RefusedOpen, MissingFile)
{
    expectRefused(folder_.path(QStringLiteral("none.kqx")), QStringLiteral("找不到"));
}

TEST_F(RefusedOpen, Directory)
{
    const QString dir = folder_.path(QStringLiteral("D_Sce_dir.kqx"));
    ASSERT_TRUE(QDir().mkdir(dir));
    expectRefused(dir, QStringLiteral("不是普通文件"));
}

TEST_F(RefusedOpen, TooShortNamesBothSizes)
{
    const QString shortFile = folder_.add(QStringLiteral("short.kqx"), 1, 719711);
    expectRefused(shortFile, QStringLiteral("719,711"));
    expectRefused(shortFile, QStringLiteral("719,712"));
    expectRefused(folder_.addBytes(QStringLiteral("empty.kqx"), {}), QStringLiteral(" 0 "));
}

// Refused by its size alone: a terabyte (a sparse file) would not even fit in memory to be read.
TEST_F(RefusedOpen, HugeFileIsRefusedBeforeItIsRead)
{
    const QString huge = folder_.add(QStringLiteral("huge.kqx"), 1);
    ASSERT_TRUE(QFile::resize(huge, qint64(1) << 40));
    expectRefused(huge, QStringLiteral("不像剧本文件"));
}

// Pipes and other users' rights are POSIX matters.
#ifndef _WIN32
TEST_F(RefusedOpen, NamedPipeIsNoScenario)
{
    const QString fifo = folder_.path(QStringLiteral("pipe.kqx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    expectRefused(fifo, QStringLiteral("不是普通文件"));
}

TEST_F(RefusedOpen, UnreadableFile)
{
    const QString locked = folder_.add(QStringLiteral("locked.kqx"), 2);
    ASSERT_TRUE(QFile::setPermissions(locked, {}));
    std::string message;
    const bool opened = test::RunUnprivileged(
        [&](std::string& out) {
            ScenarioStore store;
            QString error;
            const bool ok = store.Open(locked, error);
            out = error.toStdString();
            return ok;
        },
        message);
    EXPECT_FALSE(opened);
    EXPECT_NE(message.find(locked.toStdString()), std::string::npos) << message;
    // The reason is the system's, in the words QFile gives it.
    EXPECT_NE(message.find(qt_error_string(EACCES).toStdString()), std::string::npos) << message;
}

#endif

TEST_F(RefusedOpen, FailedReloadKeepsTheStore)
{
    QFile::resize(good_, 1000);
    QString error;
    EXPECT_FALSE(store_->Reload(error));
    EXPECT_TRUE(error.contains(QStringLiteral("1,000"))) << error.toStdString();
    EXPECT_TRUE(sameTables(*store_, *kept_));
    EXPECT_EQ(store_->FileName(), good_);
}

} // namespace
} // namespace veldor
