// "-" for standard input and standard output, and --version, in veldor-sce and veldor-sample.

#include "cli/scescratch.h"
#include "data/version.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"
#include "tools/sce/textfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace veldor::test {
namespace {

class StandardStreams : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sample_ = MakeSampleScenarioBytes(4);
        scenario_ = scratch_.write(QStringLiteral("剧本.kqx"), sample_);
    }

    SceScratch scratch_;
    QByteArray sample_;
    QString scenario_;
};

TEST_F(StandardStreams, ReadingCommandsTakeTheScenarioFromStandardInput)
{
    const QList<QStringList> commands = {
        {"dump"},  {"dump", "--table", "cities"}, {"export", "--table", "persons"},
        {"check"}, {"check", "--format", "json"}, {"info"}};
    for (const QStringList& command : commands) {
        const SceResult fromFile = scratch_.run(command + QStringList{scenario_});
        const SceResult piped = scratch_.run(command + QStringList{"-"}, sample_);
        EXPECT_EQ(piped.code, fromFile.code) << command.join(' ').toStdString();
        EXPECT_EQ(piped.err, fromFile.err) << command.join(' ').toStdString();
        QString expected = fromFile.out;
        if (command.contains(QStringLiteral("info")))
            expected.replace(QStringLiteral("文件：") + scenario_,
                             QStringLiteral("文件：标准输入"));
        if (command.contains(QStringLiteral("json")))
            expected.replace('"' + scenario_ + '"', QStringLiteral("\"-\""));
        EXPECT_EQ(piped.out, expected) << command.join(' ').toStdString();
    }

    const QString other = scratch_.write(QStringLiteral("other.kqx"), MakeSampleScenarioBytes(5));
    const SceResult fromFiles = scratch_.run({"diff", scenario_, other});
    EXPECT_EQ(fromFiles.code, 1);
    for (const QStringList& pair : {QStringList{"-", other}, QStringList{scenario_, "-"}}) {
        const QByteArray input = pair[0] == "-" ? sample_ : ReadBytes(other);
        const SceResult piped = scratch_.run(QStringList{"diff"} + pair, input);
        EXPECT_EQ(piped.code, 1) << piped.err.toStdString();
        EXPECT_EQ(piped.out, fromFiles.out);
    }
}

TEST_F(StandardStreams, ImportReadsTheCsvFromStandardInputAndExportWritesToIt)
{
    // "-o -" is standard output: the same text as without -o, and no file named "-".
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch_.path(QString())));
    const SceResult dashed = scratch_.run({"export", scenario_, "--table", "cities", "-o", "-"});
    const bool dashFile = QFile::exists(QStringLiteral("-"));
    QDir::setCurrent(before);
    EXPECT_FALSE(dashFile);
    const SceResult plain = scratch_.run({"export", scenario_, "--table", "cities"});
    ASSERT_EQ(dashed.code, 0) << dashed.err.toStdString();
    EXPECT_EQ(dashed.out, plain.out);

    QStringList lines = plain.out.split(QStringLiteral("\r\n"));
    QStringList row = lines[4].split(',');
    const int column = int(lines[0].split(',').indexOf(QStringLiteral("MinXin")));
    row[column] = row[column] == QLatin1String("7") ? QStringLiteral("8") : QStringLiteral("7");
    lines[4] = row.join(',');
    const SceResult imported =
        scratch_.run({"import", scenario_, "-", "--no-backup"}, lines.join("\r\n").toUtf8());
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.contains(QStringLiteral("MinXin"))) << imported.out.toStdString();
    EXPECT_NE(ReadBytes(scenario_), sample_);

    // Problems in a piped CSV are placed as in a file, under the name of standard input.
    const SceResult bad = scratch_.run({"import", scenario_, "-"}, "index,MinXin\r\nx,1\r\n");
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.startsWith(QStringLiteral("标准输入:2:"))) << bad.err.toStdString();
}

TEST_F(StandardStreams, RefusesWhatStandardInputCannotBe)
{
    struct Case
    {
        QStringList args;
        QByteArray input;
        int code;
        QString message;
    };
    const QByteArray tooMuch(kStandardInputLimit + 1, 'x');
    const QList<Case> cases = {
        {{"resave", "-"}, sample_, 1, "要写回的剧本必须是文件"},
        {{"import", "-", scenario_}, sample_, 1, "要写回的剧本必须是文件"},
        {{"diff", "-", "-"}, sample_, 2, "A 与 B 不能都是标准输入"},
        {{"info", "-"}, sample_.left(1000), 1, "标准输入只有 1,000 字节"},
        {{"check", "-"}, {}, 2, "标准输入只有 0 字节"},
        {{"dump", "-"}, tooMuch, 1, "标准输入超过 64 MiB"},
        {{"import", scenario_, "-"}, tooMuch, 1, "标准输入超过 64 MiB"},
    };
    for (const Case& c : cases) {
        const SceResult result = scratch_.run(c.args, c.input);
        EXPECT_EQ(result.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(ReadBytes(scenario_), sample_);
}

struct ProgramRun
{
    int code = -1;
    QByteArray out;
    QString err;
};

ProgramRun finish(QProcess& process)
{
    ProgramRun run;
    if (!process.waitForFinished(20000))
        process.kill();
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(StandardStreamPrograms, SamplePipesIntoSceAndBothTellTheirVersion)
{
    QProcess sample, sce;
    sample.setStandardOutputProcess(&sce);
    sample.start(QStringLiteral(VELDOR_SAMPLE_PATH), {"--seed", "9", "-o", "-"});
    sce.start(QStringLiteral(VELDOR_SCE_PATH), {"dump", "--table", "forces", "-"});
    const ProgramRun written = finish(sample);
    const ProgramRun dumped = finish(sce);
    EXPECT_EQ(written.code, 0) << written.err.toStdString();
    ASSERT_EQ(dumped.code, 0) << dumped.err.toStdString();

    SceScratch scratch;
    const QString file = scratch.write(QStringLiteral("s.kqx"), MakeSampleScenarioBytes(9));
    const SceResult reference = scratch.run({"dump", "--table", "forces", file});
    EXPECT_EQ(QString::fromUtf8(dumped.out), reference.out);

    for (const char* program : {VELDOR_SAMPLE_PATH, VELDOR_SCE_PATH}) {
        QProcess version;
        version.start(QString::fromUtf8(program), {"--version"});
        const ProgramRun run = finish(version);
        EXPECT_EQ(run.code, 0) << program;
        EXPECT_EQ(run.out, QFileInfo(QString::fromUtf8(program)).fileName().toUtf8() + ' ' +
                               QByteArray(kVersion) + '\n');
    }
}

// A device or a pipe given to veldor-sample is written into, never replaced by a file, and a
// reader that goes away is reported.
TEST(StandardStreamPrograms, SampleWritesIntoDevicesAndReportsAClosedPipe)
{
    SceScratch scratch;
    if (::geteuid() == 0) {
        // A private null device: what --force used to turn into a regular file.
        const QString device = scratch.path("null");
        ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        QProcess sample;
        sample.start(QStringLiteral(VELDOR_SAMPLE_PATH), {"-o", device, "--force"});
        const ProgramRun run = finish(sample);
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
    QProcess shell;
    shell.start(QStringLiteral("bash"),
                {"-c", "set -o pipefail; \"$0\" -o - | true", QStringLiteral(VELDOR_SAMPLE_PATH)});
    const ProgramRun run = finish(shell);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QString::fromLocal8Bit(std::strerror(EPIPE))))
        << run.err.toStdString();
}

} // namespace
} // namespace veldor::test
