// Writes the sample scenario to disk, for demos and for trying the editor without a game file.

#include "data/files/devicewrite.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariotables.h"
#include "data/version.h"
#include "tools/console/standardstreams.h"
#include "tools/sample/samplefindings.h"
#include "tools/sample/samplescenario.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "veldor-sample: " << message << Qt::endl;
    return 1;
}

// A new file is opened with NewOnly, so a file that appears meanwhile is not overwritten
// either; --force replaces an existing one through a temporary file in the same folder, except
// a device or a pipe, which is written into: replacing /dev/null would break the whole system.
bool writeFile(const QString& path, const QByteArray& bytes, bool force, QString& error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString reason;
    if (force && veldor::IsSpecialFile(path)) {
        if (veldor::WriteToDevice(path, bytes, reason))
            return true;
        error = QStringLiteral("无法写入“%1”：%2。").arg(shown, reason);
        return false;
    }
    QSaveFile replacement(path);
    QFile fresh(path);
    QFileDevice& file = force ? static_cast<QFileDevice&>(replacement) : fresh;
    const auto mode = force ? QIODevice::WriteOnly : QIODevice::WriteOnly | QIODevice::NewOnly;
    if (!file.open(mode)) {
        error = !force && QFile::exists(path)
                    ? QStringLiteral("“%1”已经存在；要覆盖它请加 --force。").arg(shown)
                    : QStringLiteral("无法创建“%1”：%2。").arg(shown, file.errorString());
        return false;
    }
    const bool written = file.write(bytes) == bytes.size();
    const bool done = force ? written && replacement.commit() : written && fresh.flush();
    if (!done) {
        error = QStringLiteral("无法写入“%1”：%2。").arg(shown, file.errorString());
        if (!force) {
            fresh.close();
            fresh.remove();
        }
        return false;
    }
    return true;
}

// "-o -": the scenario goes to standard output, for a pipe into veldor-sce or a file of the
// caller's choosing; nothing else may go there.
bool writeStandardOutput(const QByteArray& bytes, QString& error)
{
    QFile out;
    if (!out.open(fileno(stdout), QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
        !out.flush()) {
        error = QStringLiteral("无法写入标准输出：%1。").arg(out.errorString());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    veldor::PrepareStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veldor-sample"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("生成一个示例剧本文件：同一种子总是得到同样的字节。"));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("随机种子（默认 1）。"), QStringLiteral("N"),
                                        QStringLiteral("1"));
    const QCommandLineOption outputOption(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("输出文件（默认为当前目录下的 D_Sce_sample.kqx；- 为标准输出）。"),
        QStringLiteral("PATH"), QStringLiteral("D_Sce_sample.kqx"));
    const QCommandLineOption forceOption(QStringLiteral("force"),
                                         QStringLiteral("覆盖已存在的文件。"));
    const QCommandLineOption findingsOption(
        QStringLiteral("findings"),
        QStringLiteral("埋入几处“veldor-sce check”会报告的不一致，用于演示检查。"));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("显示版本号后退出。"));
    parser.addOptions({seedOption, outputOption, forceOption, findingsOption, versionOption});
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        // Qt puts the whole path it was started by into the usage line.
        QString help = parser.helpText();
        const int options = help.indexOf(QStringLiteral(" [options]"));
        if (options > 0 && options < help.indexOf('\n'))
            help.replace(0, options, QStringLiteral("Usage: veldor-sample"));
        QTextStream(stdout) << help;
        return 0;
    }
    if (parser.isSet(versionOption)) {
        QTextStream(stdout) << "veldor-sample " << QLatin1String(veldor::kVersion) << Qt::endl;
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(' ')));

    bool ok = false;
    const uint seed = parser.value(seedOption).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("种子“%1”不是 0 到 4294967295 之间的整数。")
                        .arg(parser.value(seedOption)));

    const QString path = parser.value(outputOption);
    QByteArray bytes = veldor::MakeSampleScenarioBytes(seed);
    if (parser.isSet(findingsOption)) {
        auto tables = std::make_unique<veldor::ScenarioTables>();
        veldor::DecodeScenario(bytes, *tables);
        veldor::PlantFindings(*tables);
        veldor::EncodeScenario(*tables, bytes);
    }
    QString error;
    if (path == QLatin1String("-"))
        return writeStandardOutput(bytes, error) ? 0 : fail(error);
    if (!writeFile(path, bytes, parser.isSet(forceOption), error))
        return fail(error);
    QTextStream(stdout) << QStringLiteral("已写入“%1”（种子 %2，%3 字节）。")
                               .arg(QDir::toNativeSeparators(path))
                               .arg(seed)
                               .arg(veldor::kSampleFileSize)
                        << Qt::endl;
    return 0;
}
