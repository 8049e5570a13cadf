#include "data/format/recordlabel.h"
#include "data/rules/scenariochecks.h"
#include "data/session/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scescenario.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <memory>

namespace veldor {
namespace {

// The kinds are listed from the engine's own table, so that the help cannot miss one.
QString helpText()
{
    QString help =
        QStringLiteral("检查剧本中游戏会出错的不一致之处，每项发现一行，写明涉及的记录：\n");
    for (const FindingKind& kind : FindingKinds())
        help += QStringLiteral("  %1 %2\n")
                    .arg(QLatin1String(kind.id), -28)
                    .arg(QString::fromUtf8(kind.meaning));
    return help + QStringLiteral(
                      "势力的君主（King）是人物时才算有人占据；人物所属的势力是其所在城市的势力。\n"
                      "文本格式每行为“种类: 说明”；没有发现时不输出。\n"
                      "退出码：0 没有发现，1 有发现，2 出错（例如文件无法读取或不是剧本）。");
}

QJsonObject findingJson(const ScenarioTables& tables, const NameTables& names,
                        const Finding& finding)
{
    QJsonArray records;
    for (const RecordRef& ref : finding.records)
        records.append(QJsonObject{
            {QStringLiteral("table"), QLatin1String(tableName(ref.table))},
            {QStringLiteral("index"), ref.index},
            {QStringLiteral("name"), RecordName(tables, names, ref.table, ref.index)},
        });
    return QJsonObject{{QStringLiteral("kind"), finding.kind},
                       {QStringLiteral("message"), finding.message},
                       {QStringLiteral("records"), records}};
}

} // namespace

int RunCheck(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("check");
    SceCommandLine line(command, helpText());
    line.addReportFormatOption();
    line.addFileArgument(QStringLiteral("FILE"), QStringLiteral("剧本文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode == kSceSuccess ? kSceSuccess : kSceTrouble;
    bool json = false;
    if (!line.reportAsJson(json, context))
        return kSceTrouble;

    auto store = std::make_unique<ScenarioStore>();
    if (!SceReadScenario(command, line.file(0), *store, context))
        return kSceTrouble;
    SceLoadNames(command, store->Names(), context);
    const std::vector<Finding> findings = CheckScenario(*store, store->Names());
    if (json) {
        QJsonArray list;
        for (const Finding& finding : findings)
            list.append(findingJson(*store, store->Names(), finding));
        const QJsonObject root{{QStringLiteral("file"), QDir::toNativeSeparators(line.file(0))},
                               {QStringLiteral("findings"), list}};
        context.out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
    } else {
        for (const Finding& finding : findings)
            context.out << finding.kind << ": " << finding.message << '\n';
    }
    return findings.empty() ? kSceSuccess : kSceFindings;
}

} // namespace veldor
