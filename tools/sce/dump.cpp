#include "data/session/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scenariojson.h"
#include "tools/sce/scescenario.h"

#include <QTextStream>

#include <memory>

namespace veldor {

int RunDump(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("dump");
    SceCommandLine line(command,
                        QStringLiteral("以 JSON 输出剧本的全部命名字段，值与文件中存储的一致。"));
    line.addTableOption(QStringLiteral("只输出一张表：places、cities、forces、items 或 persons。"));
    line.addFileArgument(QStringLiteral("FILE"), QStringLiteral("剧本文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode;

    std::optional<TableId> only;
    if (!line.table(only, context))
        return kSceFailure;
    auto store = std::make_unique<ScenarioStore>();
    if (!SceReadScenario(command, line.file(0), *store, context))
        return kSceFailure;
    SceLoadNames(command, store->Names(), context);
    context.out << ScenarioJson(*store, store->Names(), only);
    return kSceSuccess;
}

} // namespace veldor
