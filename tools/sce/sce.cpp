#include "tools/sce/sce.h"

#include "data/format/nametables.h"
#include "data/version.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"

#include <QFile>
#include <QIODevice>
#include <QTextStream>

#include <cstdio>

namespace veldor {
namespace {

void writeToolHelp(QTextStream& out)
{
    out << "Usage: veldor-sce COMMAND [options] FILE\n"
        << QStringLiteral("Veldor 剧本文件的命令行工具。\n\n命令：\n");
    for (const SceCommand& command : SceCommands())
        out << "  " << QString::fromLatin1(command.name).leftJustified(10)
            << QString::fromUtf8(command.summary) << '\n';
    out << QStringLiteral("\n每个命令的用法：veldor-sce COMMAND --help\n"
                          "要读的剧本或 CSV 写作 - 时读标准输入；-o - 写到标准输出。\n"
                          "版本号：veldor-sce --version\n");
}

// Output that never arrived is a failure of the whole command, whatever it found.
int checkedOutput(int code, const QString& command, int errorCode, SceContext& context)
{
    context.out.flush();
    if (context.out.status() == QTextStream::Ok)
        return code;
    const QIODevice* device = context.out.device();
    const QString reason = device ? device->errorString() : QStringLiteral("写入失败");
    context.err << "veldor-sce" << (command.isEmpty() ? QString() : ' ' + command) << ": "
                << (context.saved ? QStringLiteral("剧本已保存，但") : QString())
                << QStringLiteral("无法写入标准输出：%1。").arg(reason) << Qt::endl;
    return context.saved ? kSceSavedOutputLost : errorCode;
}

const SceCommand* findCommand(const QString& name)
{
    for (const SceCommand& command : SceCommands())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

} // namespace

int RunSce(const QStringList& args, SceContext& context)
{
    if (args.isEmpty()) {
        writeToolHelp(context.err);
        return kSceFailure;
    }
    const QString& first = args.front();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        writeToolHelp(context.out);
        return checkedOutput(kSceSuccess, {}, kSceFailure, context);
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        context.out << "veldor-sce " << QLatin1String(kVersion) << '\n';
        return checkedOutput(kSceSuccess, {}, kSceFailure, context);
    }
    const SceCommand* command = findCommand(first);
    if (!command) {
        context.err << QStringLiteral("veldor-sce: 未知命令“%1”。").arg(first) << '\n';
        writeToolHelp(context.err);
        context.err.flush();
        return kSceFailure;
    }
    const int code = command->run(args.mid(1), context);
    const int checked = checkedOutput(code, first, command->errorCode, context);
    context.err.flush();
    return checked;
}

int RunSce(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QFile standardInput;
    SceContext context{out, err, NameListDirs()};
    if (standardInput.open(fileno(stdin), QIODevice::ReadOnly))
        context.in = &standardInput;
    return RunSce(args, context);
}

} // namespace veldor
