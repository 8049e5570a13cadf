#include "tools/sce/scecommandline.h"

#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scenariojson.h"

#include <QTextStream>

namespace veldor {

SceCommandLine::SceCommandLine(const QString& command, const QString& description)
    : command_(command)
{
    parser_.setApplicationDescription(description);
    parser_.addHelpOption();
}

void SceCommandLine::addFileArgument(const QString& name, const QString& description)
{
    parser_.addPositionalArgument(name, description);
    fileNames_ << name;
}

void SceCommandLine::addOptionalArgument(const QString& name, const QString& description)
{
    parser_.addPositionalArgument(name, description, QLatin1Char('[') + name + QLatin1Char(']'));
    ++optionalArguments_;
}

void SceCommandLine::addReportFormatOption()
{
    parser_.addOption(QCommandLineOption(QStringLiteral("format"),
                                         QStringLiteral("text（默认）或 json。"),
                                         QStringLiteral("FORMAT"), QStringLiteral("text")));
}

void SceCommandLine::addTableOption(const QString& description)
{
    parser_.addOption(
        QCommandLineOption(QStringLiteral("table"), description, QStringLiteral("NAME")));
}

bool SceCommandLine::reportAsJson(bool& json, SceContext& context) const
{
    const QString format = parser_.value(QStringLiteral("format"));
    json = format == QLatin1String("json");
    if (json || format == QLatin1String("text"))
        return true;
    SceFail(command_, QStringLiteral("未知格式“%1”；可选 text、json。").arg(format), context);
    return false;
}

bool SceCommandLine::table(std::optional<TableId>& table, SceContext& context) const
{
    table.reset();
    if (!parser_.isSet(QStringLiteral("table")))
        return true;
    const QString name = parser_.value(QStringLiteral("table"));
    table = TableIdFromName(name);
    if (table)
        return true;
    SceFail(
        command_,
        QStringLiteral("没有名为“%1”的表；可选 persons、cities、forces、items、places。").arg(name),
        context);
    return false;
}

bool SceCommandLine::parse(const QStringList& args, SceContext& context, int& exitCode)
{
    exitCode = kSceFailure;
    if (!parser_.parse(QStringList{QStringLiteral("veldor-sce")} + args)) {
        SceFail(command_, parser_.errorText(), context);
        return false;
    }
    if (parser_.isSet(QStringLiteral("help"))) {
        context.out << helpText();
        exitCode = kSceSuccess;
        return false;
    }
    const QStringList given = parser_.positionalArguments();
    if (given.size() < fileNames_.size()) {
        SceFail(command_,
                QStringLiteral("缺少参数 %1（用法见 veldor-sce %2 --help）。")
                    .arg(fileNames_.mid(given.size()).join(' '), command_),
                context);
        return false;
    }
    const qsizetype allowed = fileNames_.size() + optionalArguments_;
    if (given.size() > allowed) {
        SceFail(command_, QStringLiteral("多余的参数：%1。").arg(given.mid(allowed).join(' ')),
                context);
        return false;
    }
    return true;
}

// Qt names the running executable in the usage line; a test binary or a renamed copy should
// still show the command as it is typed.
QString SceCommandLine::helpText() const
{
    QString text = parser_.helpText();
    const int lineEnd = text.indexOf('\n');
    const int options = text.indexOf(QStringLiteral(" [options]"));
    if (lineEnd > 0 && options > 0 && options < lineEnd)
        text.replace(0, options, QStringLiteral("Usage: veldor-sce ") + command_);
    return text;
}

int SceFail(const QString& command, const QString& message, SceContext& context)
{
    context.err << "veldor-sce " << command << ": " << message << Qt::endl;
    return kSceFailure;
}

} // namespace veldor
