#include "data/files/scenariofile.h"
#include "data/format/fieldlabels.h"
#include "data/format/nametables.h"
#include "data/format/recordlabel.h"
#include "data/format/tablecells.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scenariodiff.h"
#include "tools/sce/scescenario.h"
#include "tools/sce/textfiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTextStream>

#include <memory>

namespace veldor {
namespace {

const char* const kHelp =
    "比较两个剧本文件 A 与 B。\n"
    "逐一列出不同的命名字段：表、记录（及其名字）、字段、A 的值 → B 的值，例如\n"
    "“persons[12] 张三 TongShuai 80 → 95”；势力以其在 A 中的君主称呼。\n"
    "--labels zh 改用中文称呼与值的文字，例如“城市 濮阳：民心 65 → 90”、\n"
    "“武将 杜哲：城市 长安 → 濮阳”。\n"
    "命名字段以外（保留字节，以及兵法掩码中不代表任何兵法的第 31 位）只给出不同字节的个数。\n"
    "两个文件长度不同时，命名字段照常比较，保留字节在共同长度内逐字节比较，较长文件多出的\n"
    "字节全部计为不同，并报告两个长度。\n"
    "没有任何不同时不输出。\n"
    "退出码（与 diff 相同）：0 没有不同，1 有不同，2 出错（例如文件无法读取或不是剧本）。";

QString grouped(qint64 value)
{
    return QLocale(QLocale::English).toString(value);
}

void writeText(const ScenarioDifference& d, const ScenarioTables& tablesA, const NameTables& names,
               FieldLabels labels, QTextStream& out)
{
    // Differences come grouped by record: name each record once.
    const FieldDifference* previous = nullptr;
    QString label;
    // The listing goes out in pieces of many lines: line by line the stream cost more than the
    // comparison, and one text of the whole listing costs the memory of it twice over.
    constexpr qsizetype kPiece = 16384;
    QString listing;
    listing.reserve(kPiece + 256);
    for (const FieldDifference& f : d.fields) {
        if (listing.size() >= kPiece) {
            out << listing;
            listing.resize(0);
        }
        if (labels == FieldLabels::Chinese) {
            out << ChineseDifferenceLine(tablesA, names, f) << '\n';
            continue;
        }
        if (!previous || previous->table != f.table || previous->record != f.record)
            label = RecordLabel(tablesA, names, f.table, f.record);
        previous = &f;
        AppendDifferenceLine(listing, label, f);
        listing += u'\n';
    }
    out << listing;
    if (d.sizeA != d.sizeB)
        out << QStringLiteral("文件长度不同：A %1 字节，B %2 字节。\n")
                   .arg(grouped(d.sizeA), grouped(d.sizeB));
    if (d.keptBytes > 0)
        out << QStringLiteral("命名字段以外不同的字节：%1\n").arg(grouped(d.keptBytes));
}

void writeJson(const ScenarioDifference& d, const ScenarioTables& tablesA, const NameTables& names,
               const QString& pathA, const QString& pathB, QTextStream& out)
{
    QJsonArray fields;
    for (const FieldDifference& f : d.fields)
        fields.append(QJsonObject{
            {QStringLiteral("table"), QLatin1String(tableName(f.table))},
            {QStringLiteral("index"), f.record},
            {QStringLiteral("name"), RecordName(tablesA, names, f.table, f.record)},
            {QStringLiteral("field"), TableColumns(f.table)[size_t(f.column)].name},
            {QStringLiteral("a"), qint64(f.a)},
            {QStringLiteral("b"), qint64(f.b)},
        });
    const QJsonObject root{
        {QStringLiteral("a"), pathA},       {QStringLiteral("b"), pathB},
        {QStringLiteral("sizeA"), d.sizeA}, {QStringLiteral("sizeB"), d.sizeB},
        {QStringLiteral("fields"), fields}, {QStringLiteral("keptBytes"), d.keptBytes},
    };
    out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

} // namespace

int RunDiff(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("diff");
    SceCommandLine line(command, QString::fromUtf8(kHelp));
    line.addReportFormatOption();
    const QCommandLineOption labelsOption(
        QStringLiteral("labels"),
        QStringLiteral("文本格式的称呼：id（字段名，默认）或 zh（中文，"
                       "如“城市 濮阳：民心 65 → 90”）。"),
        QStringLiteral("LABELS"), QStringLiteral("id"));
    line.addOption(labelsOption);
    line.addFileArgument(QStringLiteral("A"), QStringLiteral("原来的剧本文件"));
    line.addFileArgument(QStringLiteral("B"), QStringLiteral("要与之比较的剧本文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode == kSceSuccess ? kSceSuccess : kSceTrouble;
    bool json = false;
    if (!line.reportAsJson(json, context))
        return kSceTrouble;
    const QString labels = line.parser().value(labelsOption);
    if (labels != QLatin1String("id") && labels != QLatin1String("zh")) {
        SceFail(command, QStringLiteral("未知称呼“%1”；可选 id、zh。").arg(labels), context);
        return kSceTrouble;
    }

    if (IsStandardStream(line.file(0)) && IsStandardStream(line.file(1))) {
        SceFail(command, QStringLiteral("A 与 B 不能都是标准输入（-）。"), context);
        return kSceTrouble;
    }
    QByteArray a, b;
    if (!SceReadScenarioBytes(command, line.file(0), a, context) ||
        !SceReadScenarioBytes(command, line.file(1), b, context))
        return kSceTrouble;
    NameTables names;
    SceLoadNames(command, names, context);
    auto tablesA = std::make_unique<ScenarioTables>();
    auto tablesB = std::make_unique<ScenarioTables>();
    const ScenarioDifference difference = DiffScenarios(a, b, *tablesA, *tablesB);
    if (json)
        writeJson(difference, *tablesA, names, QDir::toNativeSeparators(line.file(0)),
                  QDir::toNativeSeparators(line.file(1)), context.out);
    else
        writeText(difference, *tablesA, names,
                  labels == QLatin1String("zh") ? FieldLabels::Chinese : FieldLabels::Identifiers,
                  context.out);
    return difference.empty() ? kSceSuccess : kSceDiffers;
}

} // namespace veldor
