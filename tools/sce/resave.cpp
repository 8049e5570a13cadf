#include "data/files/scenariolock.h"
#include "data/session/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scescenario.h"

#include <memory>

namespace veldor {

int RunResave(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("resave");
    SceCommandLine line(command, QStringLiteral("读入剧本，再经由编辑器的保存把每个命名字段写回。"
                                                "未改动的剧本保存后应逐字节不变。"));
    line.addFileArgument(QStringLiteral("FILE"), QStringLiteral("剧本文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode;

    ScenarioLock lock(line.file(0));
    QString error;
    if (!lock.Acquire(error))
        return SceFail(command, error, context);
    auto store = std::make_unique<ScenarioStore>();
    if (!SceOpenScenario(command, line.file(0), *store, context))
        return kSceFailure;
    return SceSave(command, *store, context) ? kSceSuccess : kSceFailure;
}

} // namespace veldor
