#include "data/session/scenariostore.h"
#include "tools/sce/exporttable.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scescenario.h"
#include "tools/sce/textfiles.h"

#include <QTextStream>

#include <memory>

namespace veldor {
namespace {

const char* const kHelp =
    "把一张表导出为 CSV 或 JSON：每条记录一行，按编号排列；表头是文件格式中的字段名\n"
    "（index、name（人物与城市）、各字段；Relation0..Relation49、Faith0..Faith49、\n"
    "Skill1..Skill31 取 0 或 1），值与文件中存储的一致（年份也存为“年份 - 130”）。\n"
    "--headers zh 改用中文表头（编号、名字、统率……，见 veldor-sce fields）；--names 把选项\n"
    "与记录写成名字（身份“一般”、城市“濮阳”、“空”），重名的记录仍写数字。\n"
    "CSV 按 RFC 4180 写出（UTF-8，CR LF 换行）；--bom 在开头加上字节顺序标记，\n"
    "电子表格程序靠它认出 UTF-8，中文名字才不会变成乱码。\n"
    "导出的 CSV 修改后可用 veldor-sce import 写回。";

} // namespace

int RunExport(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("export");
    SceCommandLine line(command, QString::fromUtf8(kHelp));
    line.addTableOption(QStringLiteral("要导出的表：persons、cities、forces、items 或 places。"));
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("csv（默认）或 json。"),
                                          QStringLiteral("FORMAT"), QStringLiteral("csv"));
    const QCommandLineOption bomOption(
        QStringLiteral("bom"), QStringLiteral("在 CSV 开头写 UTF-8 字节顺序标记（JSON 不加）。"));
    const QCommandLineOption outOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("写入文件 OUT，而不是标准输出。"),
                                       QStringLiteral("OUT"));
    const QCommandLineOption namesOption(
        QStringLiteral("names"),
        QStringLiteral("选项与记录写名字（身份“一般”、城市“濮阳”）而不是数字；"
                       "重名的记录仍写数字。"));
    const QCommandLineOption headersOption(
        QStringLiteral("headers"), QStringLiteral("表头：id（字段名，默认）或 zh（中文名）。"),
        QStringLiteral("HEADERS"), QStringLiteral("id"));
    for (const QCommandLineOption& option :
         {formatOption, bomOption, outOption, namesOption, headersOption})
        line.addOption(option);
    line.addFileArgument(QStringLiteral("FILE"), QStringLiteral("剧本文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode;

    const QCommandLineParser& parser = line.parser();
    std::optional<TableId> table;
    if (!line.table(table, context))
        return kSceFailure;
    if (!table)
        return SceFail(command, QStringLiteral("请用 --table 指定要导出的表。"), context);
    const QString format = parser.value(formatOption);
    if (format != QLatin1String("csv") && format != QLatin1String("json"))
        return SceFail(command, QStringLiteral("未知格式“%1”；可选 csv、json。").arg(format),
                       context);
    const QString headers = parser.value(headersOption);
    if (headers != QLatin1String("id") && headers != QLatin1String("zh"))
        return SceFail(command, QStringLiteral("未知表头“%1”；可选 id、zh。").arg(headers),
                       context);
    ExportStyle style;
    style.names = parser.isSet(namesOption);
    style.chineseHeads = headers == QLatin1String("zh");
    // "-o -" is standard output, where the text goes without -o.
    QString outPath = parser.value(outOption);
    if (IsStandardStream(outPath))
        outPath.clear();
    if (!outPath.isEmpty() && SameFile(outPath, line.file(0)))
        return SceFail(command, QStringLiteral("输出文件就是剧本文件本身，不能覆盖它。"), context);

    auto store = std::make_unique<ScenarioStore>();
    if (!SceReadScenario(command, line.file(0), *store, context))
        return kSceFailure;
    SceLoadNames(command, store->Names(), context);
    QString text = format == QLatin1String("csv")
                       ? TableCsv(*store, store->Names(), *table, style)
                       : TableJson(*store, store->Names(), *table, style);
    if (parser.isSet(bomOption) && format == QLatin1String("csv"))
        text.prepend(QChar(0xFEFF));
    if (outPath.isEmpty()) {
        context.out << text;
        return kSceSuccess;
    }
    QString error;
    if (!WriteWholeFile(outPath, text.toUtf8(), error))
        return SceFail(command, error, context);
    return kSceSuccess;
}

} // namespace veldor
