#include "tools/sce/scescenario.h"

#include "data/files/scenariofile.h"
#include "data/format/nametables.h"
#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/session/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/textfiles.h"

#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

namespace veldor {
namespace {

// The size check a scenario file gets when it is opened, for bytes that came down a pipe.
bool checkPipedScenario(const QByteArray& bytes, QString& error)
{
    if (bytes.size() >= layout::kMinFileSize)
        return true;
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    error =
        QStringLiteral("标准输入只有 %1 字节，剧本至少需要 %2 字节。")
            .arg(grouped.toString(qint64(bytes.size())), grouped.toString(layout::kMinFileSize));
    return false;
}

} // namespace

bool SceOpenScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context)
{
    QString error;
    if (IsStandardStream(path))
        error = QStringLiteral("要写回的剧本必须是文件，不能是标准输入（-）。");
    else if (store.Open(path, error))
        return true;
    SceFail(command, error, context);
    return false;
}

bool SceSave(const QString& command, ScenarioStore& store, SceContext& context, bool backUpFirst)
{
    QString error;
    QString warning;
    if (!(backUpFirst ? store.SaveWithBackup(error, &warning) : store.Save(error, &warning))) {
        SceFail(command, error, context);
        return false;
    }
    context.saved = true;
    // The backup's warning and the save's each take a line of their own.
    if (!warning.isEmpty())
        for (const QString& line : warning.split(u'\n'))
            context.err << "veldor-sce " << command << QStringLiteral(": 警告：") << line
                        << Qt::endl;
    return true;
}

bool SceReadScenario(const QString& command, const QString& path, ScenarioStore& store,
                     SceContext& context, qint64* size)
{
    if (!IsStandardStream(path)) {
        if (!SceOpenScenario(command, path, store, context))
            return false;
        if (size)
            *size = QFileInfo(path).size();
        return true;
    }
    QByteArray bytes;
    if (!SceReadScenarioBytes(command, path, bytes, context))
        return false;
    store.Clear();
    DecodeScenario(bytes, store);
    if (size)
        *size = bytes.size();
    return true;
}

bool SceReadScenarioBytes(const QString& command, const QString& path, QByteArray& bytes,
                          SceContext& context)
{
    QString error;
    const bool read = IsStandardStream(path) ? ReadStandardInput(context.in, bytes, error) &&
                                                   checkPipedScenario(bytes, error)
                                             : ReadScenarioFile(path, bytes, error);
    if (!read)
        SceFail(command, error, context);
    return read;
}

bool SceReadInput(const QString& command, const QString& path, QByteArray& bytes,
                  SceContext& context)
{
    QString error;
    const bool read = IsStandardStream(path)
                          ? ReadStandardInput(context.in, bytes, error)
                          : ReadWholeFile(path, bytes, error, kStandardInputLimit);
    if (!read)
        SceFail(command, error, context);
    return read;
}

void SceLoadNames(const QString& command, NameTables& names, SceContext& context)
{
    const QString warning = names.load(context.nameListDirs);
    if (!warning.isEmpty())
        context.err << "veldor-sce " << command << ": " << warning << Qt::endl;
}

} // namespace veldor
