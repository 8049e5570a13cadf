// A round trip through LibreOffice Calc as a user makes it: an export opened, saved as xlsx,
// and saved back as CSV with the UTF-8 filter, changes nothing. Skipped where Calc is missing.

#include "cli/scescratch.h"
#include "support/scenariofiles.h"
#include "tools/sample/samplescenario.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

// Comma, double quote, UTF-8, from line 1: the choices the guide gives.
const QString kCsvOptions = QStringLiteral("44,34,76,1");

bool convert(const QString& soffice, const QString& profile, const QString& to, const QString& file,
             const QString& outDir)
{
    QProcess calc;
    calc.start(soffice,
               {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:") + kCsvOptions,
                QStringLiteral("--convert-to"), to, QStringLiteral("--outdir"), outDir, file});
    return calc.waitForFinished(180000) && calc.exitCode() == 0;
}

TEST(LibreOfficeCalc, ExportThroughXlsxAndBackImportsUnchanged)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice Calc (soffice) is not installed";
    SceScratch scratch;
    const QByteArray original = MakeSampleScenarioBytes(22);
    const QString scenario = scratch.write(QStringLiteral("s.kqx"), original);
    const QString csv = scratch.path(QStringLiteral("persons.csv"));
    ASSERT_EQ(scratch
                  .run({"export", scenario, "--table", "persons", "--names", "--headers", "zh",
                        "-o", csv})
                  .code,
              0);
    const QString profile = scratch.path(QStringLiteral("profile"));
    const QString xlsxDir = scratch.path(QStringLiteral("xlsx"));
    const QString backDir = scratch.path(QStringLiteral("back"));
    ASSERT_TRUE(convert(soffice, profile, QStringLiteral("xlsx"), csv, xlsxDir));
    ASSERT_TRUE(convert(soffice, profile,
                        QStringLiteral("csv:Text - txt - csv (StarCalc):") + kCsvOptions,
                        QDir(xlsxDir).filePath(QStringLiteral("persons.xlsx")), backDir));

    const SceResult result =
        scratch.run({"import", scenario, QDir(backDir).filePath(QStringLiteral("persons.csv"))});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("没有改动，剧本未写入。\n")) << result.out.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    EXPECT_TRUE(ReadBytes(scenario) == original);
}

} // namespace
} // namespace veldor::test
