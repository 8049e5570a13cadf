// What the store tells of a file changed by another program, and the merge of its changes.

#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/session/diskchanges.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>

namespace veldor {
namespace {

using test::ReadBytes;
using test::WriteBytes;

QByteArray withTables(QByteArray bytes, const std::function<void(ScenarioTables&)>& edit)
{
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(bytes, *tables);
    edit(*tables);
    EncodeScenario(*tables, bytes);
    return bytes;
}

struct OpenedStore
{
    OpenedStore() : file(folder.add(QStringLiteral("s.kqx"), 3))
    {
        QString error;
        EXPECT_TRUE(store->Open(file, error)) << error.toStdString();
    }
    test::ScenarioFolder folder;
    QString file;
    std::unique_ptr<ScenarioStore> store = std::make_unique<ScenarioStore>();
};

// Times and bytes outside the tables are no change; a table's value is.
TEST(DiskChanges, OnlyTheTablesCount)
{
    OpenedStore s;
    QByteArray bytes = ReadBytes(s.file);
    bytes[10] = char(bytes[10] ^ 1); // before the tables
    WriteBytes(s.file, bytes);
    EXPECT_EQ(CheckDisk(*s.store).state, DiskState::Unchanged);

    WriteBytes(s.file, withTables(bytes, [](ScenarioTables& t) { t.persons.WuLi[799] ^= 1; }));
    const DiskCheck check = CheckDisk(*s.store);
    ASSERT_EQ(check.state, DiskState::Changed);
    ASSERT_EQ(check.changes.size(), 1u);
    EXPECT_EQ(check.changes[0].record, 799);

    QFile::remove(s.file);
    EXPECT_EQ(CheckDisk(*s.store).state, DiskState::Gone);
}

// Another program's change outside the tables is no change to ask about, and the editor's save
// keeps it: the bytes around the tables are the file's as it is now, not as it was opened.
TEST(DiskChanges, TheEditorsSaveKeepsAChangeOutsideTheTables)
{
    OpenedStore s;
    s.store->cities.PingMin[4] = 4444;
    QByteArray disk = ReadBytes(s.file);
    disk[10] = char(disk[10] ^ 1);
    disk[disk.size() - 1] = char(disk[disk.size() - 1] ^ 1);
    WriteBytes(s.file, disk);
    QString error;
    EXPECT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    EXPECT_EQ(ReadBytes(s.file),
              withTables(disk, [](ScenarioTables& t) { t.cities.PingMin[4] = 4444; }));
}

TEST(DiskChanges, MergeTakesWhatTheUserLeftAloneAndKeepsTheUsersOwn)
{
    OpenedStore s;
    s.store->cities.PingMin[4] = 4444; // the user's alone
    s.store->cities.PingMin[5] = 5555; // both, differently
    s.store->forces.Money[1] = 1111;   // both, the same
    WriteBytes(s.file, withTables(ReadBytes(s.file), [](ScenarioTables& t) {
                   t.cities.PingMin[5] = -5;
                   t.forces.Money[1] = 1111;
                   t.persons.TongShuai[7] = uint16_t(t.persons.TongShuai[7] + 1);
               }));
    const QByteArray disk = ReadBytes(s.file);
    const DiskCheck check = CheckDisk(*s.store);
    ASSERT_EQ(check.state, DiskState::Changed);
    EXPECT_EQ(check.changes.size(), 3u);
    EXPECT_EQ(check.changedByUserToo, 2);
    EXPECT_EQ(MergeDiskChanges(*s.store, check), 1);
    EXPECT_EQ(s.store->cities.PingMin[4], 4444);
    EXPECT_EQ(s.store->cities.PingMin[5], 5555);
    EXPECT_EQ(s.store->forces.Money[1], 1111);
    EXPECT_EQ(s.store->persons.TongShuai[7], check.tables->persons.TongShuai[7]);
    // The file as merged from is now the file as last read: no second question, and a save
    // writes the merge.
    EXPECT_EQ(CheckDisk(*s.store).state, DiskState::Unchanged);
    EXPECT_TRUE(s.store->Modified());
    QString error;
    EXPECT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    EXPECT_EQ(ReadBytes(s.file), withTables(disk, [](ScenarioTables& t) {
                  t.cities.PingMin[4] = 4444;
                  t.cities.PingMin[5] = 5555;
              }));
}

TEST(DiskChanges, TheEditorsSaveRefusesToWriteOverAChangeUnlessTold)
{
    OpenedStore s;
    s.store->cities.PingMin[4] = 4444;
    const QByteArray disk =
        withTables(ReadBytes(s.file), [](ScenarioTables& t) { t.persons.WuLi[3] ^= 1; });
    WriteBytes(s.file, disk);
    QString error;
    EXPECT_EQ(s.store->SaveEdits(error), SaveOutcome::ChangedOnDisk);
    EXPECT_EQ(ReadBytes(s.file), disk);
    EXPECT_EQ(s.store->SaveEdits(error, nullptr, true), SaveOutcome::Saved);
    EXPECT_EQ(CheckDisk(*s.store).state, DiskState::Unchanged);
    EXPECT_FALSE(s.store->Modified()) << "the user's tables, the disk's change written over";
}

// The backup is the file before this program's first write over it: after taking in another
// program's change, that change is what a restore must give back.
TEST(DiskChanges, AfterAMergeTheNextSaveBacksUpTheFileAsTheOtherProgramLeftIt)
{
    OpenedStore s;
    s.store->cities.PingMin[4] = 4444;
    QString error;
    ASSERT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    s.store->cities.PingMin[4] = 4445;
    const QByteArray disk =
        withTables(ReadBytes(s.file), [](ScenarioTables& t) { t.persons.WuLi[3] ^= 1; });
    WriteBytes(s.file, disk);
    ASSERT_EQ(MergeDiskChanges(*s.store, CheckDisk(*s.store)), 1);
    ASSERT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    EXPECT_EQ(ReadBytes(s.file + QStringLiteral(".bak")), disk);
}

// A copy saved elsewhere, or another file opened, is a file of its own: its first save backs it
// up, whatever was backed up or answered for the file before.
TEST(DiskChanges, SaveAsOrOpenStartsTheBackupRuleAfresh)
{
    OpenedStore s;
    QString error;
    s.store->cities.PingMin[4] = 4444;
    ASSERT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    s.store->File().AllowSaveWithoutBackup();
    s.store->cities.PingMin[4] = 4445;
    const QString copy = s.folder.path(QStringLiteral("copy.kqx"));
    ASSERT_TRUE(s.store->SaveAs(copy, error)) << error.toStdString();
    const QByteArray saved = ReadBytes(copy);
    s.store->cities.PingMin[4] = 4446;
    ASSERT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy + QStringLiteral(".bak")), saved);

    s.store->File().AllowSaveWithoutBackup();
    ASSERT_TRUE(s.store->Open(s.file, error)) << error.toStdString();
    const QByteArray first = ReadBytes(s.file);
    s.store->cities.PingMin[4] = 4447;
    ASSERT_EQ(s.store->SaveEdits(error), SaveOutcome::Saved) << error.toStdString();
    EXPECT_EQ(ReadBytes(s.file + QStringLiteral(".bak")), first);
}

// The quick comparison of the tables' bytes reaches their very last one: the top byte of the
// last person's skill mask.
TEST(DiskChanges, TheLastPersonsLastSkillChangedOnDiskIsSeen)
{
    OpenedStore s;
    WriteBytes(s.file, withTables(ReadBytes(s.file), [](ScenarioTables& t) {
                   t.persons.Skill[kPersons - 1][kSkills - 1] =
                       !t.persons.Skill[kPersons - 1][kSkills - 1];
               }));
    const DiskCheck check = CheckDisk(*s.store);
    ASSERT_EQ(check.state, DiskState::Changed);
    EXPECT_EQ(check.changes.size(), 1u);
}

// The look compares the tables' bytes on disk with those last read, a piece at a time: every
// byte of the tables counts, across the pieces' edges too, and none outside them.
TEST(TablesOnDisk, EveryByteOfTheTablesCountsAndNoneOutside)
{
    OpenedStore s;
    const QByteArray opened = ReadBytes(s.file);
    QString error;
    EXPECT_EQ(s.store->File().CompareTablesOnDisk(error), TablesOnDisk::Same);
    const int64_t piece = int64_t(32) << 10;
    for (const int64_t at : {layout::kTablesBegin, layout::kTablesBegin + piece - 1,
                             layout::kTablesBegin + piece, layout::kMinFileSize - 1}) {
        QByteArray bytes = opened;
        bytes[qsizetype(at)] = char(bytes[qsizetype(at)] ^ 1);
        WriteBytes(s.file, bytes);
        EXPECT_EQ(s.store->File().CompareTablesOnDisk(error), TablesOnDisk::Different) << at;
    }
    for (const int64_t at : {layout::kTablesBegin - 1, layout::kMinFileSize}) {
        QByteArray bytes = opened;
        bytes[qsizetype(at)] = char(bytes[qsizetype(at)] ^ 1);
        WriteBytes(s.file, bytes);
        EXPECT_EQ(s.store->File().CompareTablesOnDisk(error), TablesOnDisk::Same) << at;
    }
}

TEST(TablesOnDisk, AFileTooShortGoneOrNeverOpenedIsUnreadableAndSaysWhy)
{
    OpenedStore s;
    WriteBytes(s.file, ReadBytes(s.file).left(qsizetype(layout::kMinFileSize - 1)));
    QString error;
    EXPECT_EQ(s.store->File().CompareTablesOnDisk(error), TablesOnDisk::Unreadable);
    EXPECT_TRUE(error.contains(QStringLiteral("剧本至少需要"))) << error.toStdString();
    QFile::remove(s.file);
    EXPECT_EQ(s.store->File().CompareTablesOnDisk(error), TablesOnDisk::Unreadable);
    EXPECT_TRUE(error.startsWith(QStringLiteral("找不到剧本文件"))) << error.toStdString();
    const ScenarioStore none;
    EXPECT_EQ(none.File().CompareTablesOnDisk(error), TablesOnDisk::Unreadable);
    EXPECT_EQ(error, NoFileMessage());
}

} // namespace
} // namespace veldor
