#include "tools/sce/scescenario.h"

#include "data/nametables.h"
#include "data/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommandline.h"

#include <QTextStream>

namespace veldor {

bool SceOpenScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context)
{
    QString error;
    if (store.Open(path, error))
        return true;
    SceFail(command, error, context);
    return false;
}

bool SceSave(const QString& command, const ScenarioStore& store, SceContext& context)
{
    QString error;
    QString warning;
    if (!store.Save(error, {}, &warning)) {
        SceFail(command, error, context);
        return false;
    }
    if (!warning.isEmpty())
        context.err << "veldor-sce " << command << QStringLiteral(": 警告：") << warning
                    << Qt::endl;
    return true;
}

void SceLoadNames(const QString& command, SceContext& context)
{
    const QString warning = LoadNameTables(context.nameListDirs);
    if (!warning.isEmpty())
        context.err << "veldor-sce " << command << ": " << warning << Qt::endl;
}

} // namespace veldor
