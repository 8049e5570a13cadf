// Input that no spreadsheet writes and output that cannot be written: each is refused with
// its place or reason, in bounded memory, and leaves the scenario and its backup alone.

#include "cli/scescratch.h"
#include "data/format/scenariotables.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"
#include "tools/sce/sce.h"
#include "tools/sce/sceoutput.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <gtest/gtest.h>

// Pipes, full devices and symbolic links are POSIX matters.
#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace veldor::test {
namespace {

class HostileInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        original_ = MakeSampleScenarioBytes(14);
        scenario_ = scratch_.write("s.kqx", original_);
    }

    SceResult import(const QByteArray& csv)
    {
        return scratch_.run({"import", scenario_, scratch_.write("in.csv", csv)});
    }

    void expectUntouched(const char* what)
    {
        EXPECT_TRUE(ReadBytes(scenario_) == original_) << what;
        EXPECT_FALSE(scratch_.files().contains("s.kqx.bak")) << what;
    }

    SceScratch scratch_;
    QByteArray original_;
    QString scenario_;
};

TEST_F(HostileInput, CsvThatNoSpreadsheetWritesIsRefusedWithItsPlace)
{
    struct Case
    {
        QByteArray csv;
        const char* where;
        QString says;
    };
    const Case cases[] = {
        {QByteArray("index,WuLi\n5,5\0009\n", 17), "in.csv:2:2: ", "NUL"},
        // Not UTF-8, so GBK: 张 and then a lead byte with nothing after it.
        {"index,WuLi\n5,\xD5\xC5\xC8", "in.csv:2:2: ", "0xc8"},
        {"index,WuLi\n5,\xD5\xC5\xFF\xD5\xC5\n", "in.csv:2:2: ", "0xff"},
        {QByteArray("\xFF\xFEi\0n\0d", 7), "in.csv:1:1: ", "不是有效的 UTF-16"},
        {QByteArray("\x00\x00\xFE\xFF\0\0\0i", 8), "in.csv:1:1: ", "UTF-32"},
        // Its mark begins with that of UTF-16 little-endian.
        {QByteArray("\xFF\xFE\0\0i\0\0\0", 8), "in.csv:1:1: ", "UTF-32"},
        {"index,WuLi\r\n", "in.csv:1:1: ", "no rows"},
        // Line ends of old Macs only, a quoted name over two lines: the bad value is on line 4.
        {"index,name,WuLi\r5,\"1\r2\",5\r6,x,y\r", "in.csv:4:3: WuLi: ", "“y”"},
    };
    for (const Case& c : cases) {
        const SceResult result = import(c.csv);
        EXPECT_EQ(result.code, 1) << c.where;
        EXPECT_TRUE(result.err.contains(QLatin1String(c.where)) && result.err.contains(c.says))
            << c.where << "\n"
            << result.err.toStdString();
        expectUntouched(c.where);
    }
}

TEST_F(HostileInput, ThousandsOfProblemsAreCountedButOnlyAHundredListed)
{
    // 800 bad values of one column (one line), and 200 rows outside the table.
    QByteArray csv = "index,WuLi\n";
    for (int k = 0; k < 1000; ++k)
        csv += QByteArray::number(k) + ",x\n";
    const SceResult result = import(csv);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err.count("in.csv:"), 100);
    EXPECT_TRUE(result.err.contains("（共 1000 行）")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("另有 101 处")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("201 处错误")) << result.err.toStdString();
    expectUntouched("many problems");

    // Far more fields than any table has are refused as a whole.
    const SceResult flood = import("index,WuLi\n" + QByteArray(1100000, ','));
    EXPECT_EQ(flood.code, 1);
    EXPECT_TRUE(flood.err.contains("1000000")) << flood.err.toStdString();
}

TEST_F(HostileInput, OversizedInputsAreRefusedBeforeTheyAreRead)
{
    const QString tooLong = scratch_.write("long.csv", "index,WuLi\n");
    ASSERT_TRUE(QFile::resize(tooLong, (qint64(64) << 20) + 1));
    const SceResult endless = scratch_.run({"import", scenario_, tooLong});
    EXPECT_EQ(endless.code, 1);
    EXPECT_TRUE(endless.err.contains("long.csv") && endless.err.contains("67,108,864"))
        << endless.err.toStdString();
    expectUntouched("64 MiB");

    // A sparse 2 GB file: nothing is read, filled in or backed up.
    const qint64 huge = qint64(2) << 30;
    ASSERT_TRUE(QFile::resize(scenario_, huge));
    const QString csv = scratch_.write("in.csv", "index,WuLi\n5,1\n");
    for (const QStringList& args :
         {QStringList{"resave", scenario_}, QStringList{"import", scenario_, csv},
          QStringList{"info", scenario_}}) {
        const SceResult result = scratch_.run(args);
        EXPECT_EQ(result.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("2,147,483,648")) << result.err.toStdString();
    }
    EXPECT_EQ(QFileInfo(scenario_).size(), huge);
    EXPECT_FALSE(scratch_.files().contains("s.kqx.bak"));
}

TEST_F(HostileInput, AReadOnlyScenarioGetsNoBackupFromARefusedImport)
{
    ASSERT_TRUE(QFile::setPermissions(scenario_, QFile::ReadOwner | QFile::ReadGroup));
    const SceResult result = import("index,WuLi\n5,1\n");
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains("只读")) << result.err.toStdString();
    expectUntouched("read-only");
}

// A pipe or a device given for the CSV is refused before the scenario is locked or read: a FIFO
// without a writer would otherwise keep every other save of the scenario waiting for ever.
#ifndef _WIN32
TEST_F(HostileInput, InputThatIsNoRegularFileIsRefusedAtOnce)
{
    const QString fifo = scratch_.path("in.fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& input : {fifo, QStringLiteral("/dev/zero")}) {
        const SceResult result = scratch_.run({"import", scenario_, input});
        EXPECT_EQ(result.code, 1);
        EXPECT_TRUE(result.err.contains(input) && result.err.contains("不是普通文件"))
            << result.err.toStdString();
    }
    expectUntouched("fifo");
}

#endif

// What a hostile CSV puts in a value reaches the terminal escaped and shortened.
TEST_F(HostileInput, QuotedValuesAreEscapedAndShortened)
{
    const SceResult result =
        import("index,WuLi\n\x1b]0;owned\x07,\x1b[2J" + QByteArray(1 << 20, '9') + "\n");
    EXPECT_EQ(result.code, 1);
    EXPECT_FALSE(result.err.contains(QChar(0x1b)) || result.err.contains(QChar(0x07)));
    EXPECT_TRUE(result.err.contains("\\x1b]0;owned\\x07") && result.err.contains("\\x1b[2J"))
        << result.err.toStdString();
    EXPECT_LT(result.err.size(), 2000);
    EXPECT_TRUE(result.err.contains("1048580")) << "says how long the value was";
    const SceResult column = import("index,\x1b]0;owned\x07\n5,1\n");
    EXPECT_EQ(column.code, 1);
    EXPECT_TRUE(column.err.contains("\\x1b]0;owned\\x07")) << column.err.toStdString();
    expectUntouched("escaped");
    // The warning about a name that is not its record's quotes the name shortened too.
    const SceResult name = import("index,name,WuLi\n5," + QByteArray(1 << 20, 'x') + ",1\n");
    EXPECT_LT(name.err.size(), 2000) << name.err.left(200).toStdString();
}

// Output that is lost is an error, with the reason, on every command that writes it.
#ifndef _WIN32
TEST_F(HostileInput, OutputThatCannotBeWrittenIsAnError)
{
    const QString other = scratch_.write("other.kqx", EditedSampleBytes(14, [](ScenarioTables& t) {
                                             t.items.ItemOwner[3] =
                                                 uint16_t(t.items.ItemOwner[3] + 1);
                                         }));
    auto runTo = [&](int fd, const QStringList& args, int expected, const char* reason) {
        SceOutputDevice device(fd);
        QString errText;
        QTextStream out(&device);
        QTextStream err(&errText);
        SceContext context{out, err, {}};
        EXPECT_EQ(RunSce(args, context), expected) << args.join(' ').toStdString();
        err.flush();
        EXPECT_TRUE(errText.contains(QString::fromLocal8Bit(reason))) << errText.toStdString();
    };
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    runTo(full, {"dump", scenario_}, 1, std::strerror(ENOSPC));
    runTo(full, {"export", "--table", "items", scenario_}, 1, std::strerror(ENOSPC));
    runTo(full, {"diff", scenario_, other}, 2, std::strerror(ENOSPC));
    runTo(full, {"--help"}, 1, std::strerror(ENOSPC));
    // Lost after the save: not to be taken for "nothing written".
    const QString csv = scratch_.write("in.csv", "index,WuLi\n5,1\n");
    runTo(full, {"import", scenario_, csv}, 3, "剧本已保存");
    EXPECT_FALSE(ReadBytes(scenario_) == original_);
    ::close(full);

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    runTo(ends[1], {"info", scenario_}, 1, std::strerror(EPIPE));
    std::signal(SIGPIPE, previous);
    ::close(ends[1]);

    const SceResult toFile =
        scratch_.run({"export", "--table", "items", "-o", "/dev/full", scenario_});
    EXPECT_EQ(toFile.code, 1);
    EXPECT_TRUE(toFile.err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))))
        << toFile.err.toStdString();
}

// -o through a symlink writes the file it points to and leaves the link a link.
TEST_F(HostileInput, ExportThroughASymlinkKeepsTheLink)
{
    const QString target = scratch_.write("items.csv", "old");
    const QString link = scratch_.path("link.csv");
    ASSERT_TRUE(QFile::link(target, link));
    const SceResult result = scratch_.run({"export", "--table", "items", "-o", link, scenario_});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(ReadBytes(target).startsWith("index,"));
}
#endif

} // namespace
} // namespace veldor::test
