#include "data/recordlabel.h"
#include "data/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scenariochecks.h"
#include "tools/sce/scescenario.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <memory>

namespace veldor {
namespace {

const char* const kHelp =
    "检查剧本中游戏会出错的不一致之处，每项发现一行，写明涉及的记录：\n"
    "  sovereign-outside-own-land   君主所在的城市不属于他的势力\n"
    "  sovereign-of-several-forces  一人同时是两个以上势力的君主\n"
    "  force-without-city           有君主却没有城市的势力\n"
    "  several-strategists          一个势力的人物中有不止一名军师\n"
    "  sovereign-standing           君主的身份既不是“君主”也不是“军团长”\n"
    "  sovereign-without-force      身份为“君主”却不统领任何势力的人物\n"
    "  city-of-empty-force          属于空势力槽的城市\n"
    "  bad-corps-owner              军团归属（Metro）是空势力槽或不是势力\n"
    "  place-outside-holder-land    占据者并不拥有其所在地区城市的据点\n"
    "  value-above-maximum          ShouYi、ShouHuo、NaiJiu 大于各自的上限\n"
    "势力的君主（King）是人物时才算有人占据；人物所属的势力是其所在城市的势力。\n"
    "文本格式每行为“种类: 说明”；没有发现时不输出。\n"
    "退出码：0 没有发现，1 有发现，2 出错（例如文件无法读取或不是剧本）。";

QJsonObject findingJson(const ScenarioTables& tables, const Finding& finding)
{
    QJsonArray records;
    for (const RecordRef& ref : finding.records)
        records.append(QJsonObject{
            {QStringLiteral("table"), QLatin1String(tableName(ref.table))},
            {QStringLiteral("index"), ref.index},
            {QStringLiteral("name"), RecordName(tables, ref.table, ref.index)},
        });
    return QJsonObject{{QStringLiteral("kind"), finding.kind},
                       {QStringLiteral("message"), finding.message},
                       {QStringLiteral("records"), records}};
}

} // namespace

int RunCheck(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("check");
    SceCommandLine line(command, QString::fromUtf8(kHelp));
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
    SceLoadNames(command, context);
    const std::vector<Finding> findings = CheckScenario(*store);
    if (json) {
        QJsonArray list;
        for (const Finding& finding : findings)
            list.append(findingJson(*store, finding));
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
