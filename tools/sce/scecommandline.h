#pragma once

#include "data/format/scenariolayout.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace veldor {

struct SceContext;

// The parser of one subcommand: --help, its options and a fixed number of file arguments.
class SceCommandLine
{
public:
    SceCommandLine(const QString& command, const QString& description);

    void addOption(const QCommandLineOption& option) { parser_.addOption(option); }
    void addFileArgument(const QString& name, const QString& description);
    // An argument that may be left out; it comes after every file argument.
    void addOptionalArgument(const QString& name, const QString& description);
    // Adds --format text|json, text by default, for the commands that report what they find.
    void addReportFormatOption();
    // Adds --table NAME; `description` says what the table is for in this command.
    void addTableOption(const QString& description);

    // True when the command should go on. Otherwise `exitCode` says how to end: 0 after the
    // help was shown on out, 1 after a usage error was described on err.
    bool parse(const QStringList& args, SceContext& context, int& exitCode);

    const QCommandLineParser& parser() const { return parser_; }
    QString file(int k) const { return parser_.positionalArguments().value(k); }
    // After parse: whether --format asks for JSON. False after an unknown format was described
    // on err.
    bool reportAsJson(bool& json, SceContext& context) const;
    // After parse: the table --table names, left unset when the option is not given. False
    // after an unknown name was described on err.
    bool table(std::optional<TableId>& table, SceContext& context) const;

private:
    QString helpText() const;

    QString command_;
    QCommandLineParser parser_;
    QStringList fileNames_;
    int optionalArguments_ = 0;
};

// Writes "veldor-sce COMMAND: message" on err and returns the failure exit code.
int SceFail(const QString& command, const QString& message, SceContext& context);

} // namespace veldor
