// The open reads only the tables; the rest of the file is kept afterwards, and only while the
// file is still the one opened. Save As must never write a copy without those bytes.

#include "data/format/fielddiff.h"
#include "data/format/scenariocodec.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace veldor {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class KeptBytes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        file_ = folder_.add(QStringLiteral("D_Sce01.kqx"), 5);
        opened_ = ReadBytes(file_);
        QString error;
        ASSERT_TRUE(store_->Open(file_, error)) << error.toStdString();
        store_->cities.PingMin[7] = 7777;
    }

    // `bytes` with the store's tables written in, as Save As writes them.
    QByteArray withStore(QByteArray bytes) const
    {
        EncodeScenario(*store_, bytes);
        return bytes;
    }

    // The same file with another first byte, outside every table.
    static QByteArray otherOutside(QByteArray bytes)
    {
        bytes[0] = char(bytes[0] ^ 0x5A);
        return bytes;
    }

    void renameAway()
    {
        const QString away = folder_.path(QStringLiteral("away.kqx"));
        ASSERT_EQ(
            std::rename(QFile::encodeName(file_).constData(), QFile::encodeName(away).constData()),
            0);
    }

    test::ScenarioFolder folder_;
    QString file_;
    QString copy_ = folder_.path(QStringLiteral("D_Sce02.kqx"));
    QByteArray opened_;
    std::unique_ptr<ScenarioStore> store_ = std::make_unique<ScenarioStore>();
};

TEST_F(KeptBytes, KeptAsOpenedEvenWhenTheFileIsRenamedAwayLater)
{
    // Memory just freed holds other bytes, so that a byte the keep leaves out would show.
    {
        const QByteArray other(opened_.size(), char(0xEE));
    }
    ASSERT_TRUE(store_->File().KeepBytesOutsideTables());
    renameAway();
    QString error;
    ASSERT_TRUE(store_->SaveAs(copy_, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy_), withStore(opened_));
    EXPECT_EQ(store_->FileName(), copy_);
}

// A second file opened keeps nothing of the first: until its own keep, Save As takes its bytes
// from the second file itself.
TEST_F(KeptBytes, ASecondFileOpenedKeepsNothingOfTheFirst)
{
    ASSERT_TRUE(store_->File().KeepBytesOutsideTables());
    const QString second = folder_.add(QStringLiteral("D_Sce03.kqx"), 9);
    QString error;
    ASSERT_TRUE(store_->Open(second, error)) << error.toStdString();
    EXPECT_FALSE(store_->File().BytesOutsideTablesKept());
    EXPECT_TRUE(store_->File().FileBytes().isEmpty());
    ASSERT_TRUE(store_->SaveAs(copy_, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy_), withStore(ReadBytes(second)));
}

// The rest of the file is read into the room the open left around the tables.
TEST_F(KeptBytes, WhatIsKeptIsTheFileAsOpenedByteForByte)
{
    ASSERT_TRUE(store_->File().KeepBytesOutsideTables());
    EXPECT_EQ(store_->File().FileBytes(), opened_);
}

TEST_F(KeptBytes, AFileChangedInPlaceBeforeTheKeepIsNotKeptAndSaveAsTakesItNow)
{
    const QByteArray now = otherOutside(opened_);
    WriteBytes(file_, now);
    EXPECT_FALSE(store_->File().KeepBytesOutsideTables());
    QString error;
    ASSERT_TRUE(store_->SaveAs(copy_, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy_), withStore(now));
}

TEST_F(KeptBytes, AFileReplacedBeforeTheKeepIsNotKept)
{
    const QString other = folder_.addBytes(QStringLiteral("other.kqx"), opened_);
    // As a save replaces a file: another takes its name in one step.
    std::filesystem::rename(other.toStdU16String(), file_.toStdU16String());
    EXPECT_FALSE(store_->File().KeepBytesOutsideTables());
    EXPECT_FALSE(store_->File().BytesOutsideTablesKept());
}

TEST_F(KeptBytes, AFileGoneBeforeTheKeepRefusesSaveAsNamingBothFiles)
{
    ASSERT_TRUE(QFile::remove(file_));
    EXPECT_FALSE(store_->File().KeepBytesOutsideTables());
    QString error;
    EXPECT_FALSE(store_->SaveAs(copy_, error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(copy_))) << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(file_))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("已被删除或改名"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(copy_));
    EXPECT_EQ(store_->FileName(), file_);
    EXPECT_EQ(store_->cities.PingMin[7], 7777);
}

// Without the keep (as veldor-sce opens), Save As reads the file as it is then.
TEST_F(KeptBytes, WithoutTheKeepSaveAsCopiesTheFileAsItIsThen)
{
    QString error;
    ASSERT_TRUE(store_->SaveAs(copy_, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy_), withStore(opened_));
    EXPECT_EQ(ReadBytes(file_), opened_);
}

// A save reads the whole file under its lock: what it wrote is kept, keep or no keep.
TEST_F(KeptBytes, ASaveKeepsTheFileAsSavedForALaterSaveAs)
{
    const QByteArray now = otherOutside(opened_);
    WriteBytes(file_, now);
    QString error;
    ASSERT_TRUE(store_->Save(error)) << error.toStdString();
    EXPECT_TRUE(store_->File().BytesOutsideTablesKept());
    renameAway();
    store_->cities.PingMin[7] = 8888;
    ASSERT_TRUE(store_->SaveAs(copy_, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy_), withStore(now));
}

// What was kept of one file never reaches a copy of the next one opened.
TEST_F(KeptBytes, OpeningAnotherFileDropsWhatWasKeptOfTheFirst)
{
    ASSERT_TRUE(store_->File().KeepBytesOutsideTables());
    const QString second = folder_.add(QStringLiteral("D_Sce03.kqx"), 6);
    QString error;
    ASSERT_TRUE(store_->Open(second, error)) << error.toStdString();
    ASSERT_TRUE(store_->SaveAs(copy_, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(copy_), withStore(ReadBytes(second)));
}

// The open's tables are the whole file's: a reload finds nothing to change.
TEST_F(KeptBytes, TheTablesReadAloneAreThoseOfTheWholeFile)
{
    store_->cities.PingMin[7] = 0;
    QString error;
    ASSERT_TRUE(store_->Open(file_, error));
    auto whole = std::make_unique<ScenarioTables>();
    DecodeScenario(opened_, *whole);
    EXPECT_TRUE(SameTables(*store_, *whole));
    EXPECT_FALSE(store_->Modified());
}

} // namespace
} // namespace veldor
