#include "data/files/scenariolock.h"
#include "data/format/recordlabel.h"
#include "data/format/tablecells.h"
#include "data/session/scenariostore.h"
#include "tools/sce/changelisting.h"
#include "tools/sce/csv.h"
#include "tools/sce/csvtext.h"
#include "tools/sce/importplan.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scescenario.h"
#include "tools/sce/shownvalue.h"
#include "tools/sce/textfiles.h"

#include <QTextStream>

#include <memory>

namespace veldor {
namespace {

const char* const kHelp =
    "把一张表的 CSV（通常是 export 导出后改过的）写回剧本。\n"
    "CSV 可以只含部分列，但必须有 index（编号）列；每行按编号找到记录，name（名字）列不写回，\n"
    "与记录的名字不符时给出警告（表格可能只排序了部分列）。\n"
    "表头可以是字段名或中文名（TongShuai 或 统率），不分大小写、不计空格；以 # 开头的列跳过。\n"
    "分隔符（逗号、分号或制表符）由表头行判断；编码可以是 UTF-8、GBK 或带 BOM 的 UTF-16。\n"
    "值可以是整数，也可以是选项或记录的名字（身份“一般”、城市“濮阳”、“空”）。\n"
    "表由表头推断；几张表都可能时用 --table 指定。全是空字段的行跳过。\n"
    "写入之前先检查整个文件：未知的列（附最接近的列名）、重复的列、错误的编号、重复的行、\n"
    "不是整数的值、编辑器不允许的值（例如“统率（TongShuai）须在 0..255 之间”；16 位字段的\n"
    "-1 表示 65535）都带行号和列号报告，同一列的同类问题只报第一处并给出行数；只要有一处\n"
    "错误就什么都不写。--allow-out-of-range "
    "让字段宽度以内、编辑器不允许的值照写。然后列出每处改动，例如“persons[12] 张三 TongShuai 80 → "
    "95”；\n"
    "除非用了 --dry-run，再把剧本先复制为 FILE.bak（--no-backup 则不复制），然后按编辑器的\n"
    "保存方式写回：先写临时文件再替换，命名字段以外的字节原样保留。没有改动时什么都不写。\n"
    "退出码：0 成功（包括没有改动），1 出错（剧本未改动），3 剧本已保存，但标准输出无法写入\n"
    "（改动清单可能不全）。";

void reportLine(const QString& shown, const ImportProblem& p, const QString& lead,
                SceContext& context)
{
    context.err << shown << ':' << p.line << ':' << p.column << ": " << lead;
    if (!p.field.isEmpty())
        context.err << ShownValue(p.field) << ": ";
    // Whatever part of the CSV a message quotes, the terminal is not to obey it.
    context.err << WithoutControls(p.message) << '\n';
}

void reportWarnings(const QString& csvPath, const std::vector<ImportProblem>& warnings,
                    SceContext& context)
{
    for (const ImportProblem& p : warnings)
        reportLine(ShownInput(csvPath), p, QStringLiteral("警告: "), context);
}

int reportProblems(const QString& csvPath, const ImportProblems& problems, SceContext& context)
{
    const QString shown = ShownInput(csvPath);
    for (const ImportProblem& p : problems.listed)
        reportLine(shown, p, QString(), context);
    const qsizetype unlisted = problems.count - qsizetype(problems.listed.size());
    if (unlisted > 0)
        context.err << QStringLiteral("……另有 %1 处错误未列出。\n").arg(unlisted);
    context.err
        << QStringLiteral("veldor-sce import: %1 处错误，剧本未作任何改动。").arg(problems.count)
        << Qt::endl;
    return kSceFailure;
}

// Puts the plan's values into the tables and lists every cell that changes; returns how many.
int applyPlan(const ImportPlan& plan, ScenarioStore& store, QTextStream& out)
{
    const std::vector<TableColumn>& columns = TableColumns(plan.table);
    int changes = 0;
    int labelled = -1; // a row's values come together: name each record once
    QByteArray label;
    // Encoded when first listed: most imports touch a few columns of a wide table.
    std::vector<QByteArray> fields(columns.size());
    // Not line by line through the stream: it would build a locale for every number.
    ChangeListing listing(out);
    for (const CellValue& v : plan.values) {
        const TableColumn& column = columns[size_t(v.column)];
        const int64_t old = ReadColumnCell(store, column, v.record);
        if (old == v.value)
            continue;
        if (v.record != labelled)
            label = listing.encode(RecordLabel(store, store.Names(), plan.table, v.record));
        labelled = v.record;
        QByteArray& field = fields[size_t(v.column)];
        if (field.isEmpty())
            field = listing.encode(column.name);
        listing.add(label, field, old, v.value);
        WriteColumnCell(store, column, v.record, v.value);
        ++changes;
    }
    listing.flush();
    return changes;
}

bool readPlan(const QString& csvPath, const QByteArray& bytes, std::optional<TableId> table,
              const ScenarioStore& store, const ImportOptions& options, ImportPlan& plan,
              SceContext& context)
{
    QString text;
    CsvError csvError;
    QStringList notes;
    if (!DecodeCsvText(bytes, text, csvError, &notes)) {
        reportProblems(csvPath,
                       ImportProblems{{{csvError.line, csvError.column, {}, csvError.message}}, 1},
                       context);
        return false;
    }
    for (const QString& note : notes)
        reportWarnings(csvPath, {{1, 1, {}, note}}, context);
    std::vector<CsvRow> rows;
    ImportProblems problems;
    if (!ParseCsv(text, rows, csvError, DetectCsvSeparator(text)))
        problems.add({csvError.line, csvError.column, {}, csvError.message});
    else
        PlanImport(rows, table, store, store.Names(), options, plan, problems);
    if (problems.empty()) {
        reportWarnings(csvPath, plan.warnings, context);
        return true;
    }
    reportProblems(csvPath, problems, context);
    return false;
}

} // namespace

int RunImport(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("import");
    SceCommandLine line(command, QString::fromUtf8(kHelp));
    const QCommandLineOption dryRunOption(QStringLiteral("dry-run"),
                                          QStringLiteral("只列出改动，不写任何文件。"));
    const QCommandLineOption noBackupOption(QStringLiteral("no-backup"),
                                            QStringLiteral("写回前不复制 FILE.bak。"));
    const QCommandLineOption allowOption(
        QStringLiteral("allow-out-of-range"),
        QStringLiteral("编辑器不允许的值（例如统率 300）也照写，每列给一行警告。"));
    const QCommandLineOption namesOption(
        QStringLiteral("names"),
        QStringLiteral("值可以是名字（身份“一般”、城市“濮阳”）；不给也照样认得。"));
    for (const QCommandLineOption& option :
         {dryRunOption, noBackupOption, allowOption, namesOption})
        line.addOption(option);
    line.addTableOption(QStringLiteral("CSV 所属的表（表头看不出时才需要）。"));
    line.addFileArgument(QStringLiteral("FILE"), QStringLiteral("剧本文件"));
    line.addFileArgument(QStringLiteral("CSV"), QStringLiteral("一张表的 CSV 文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode;

    std::optional<TableId> table;
    if (!line.table(table, context))
        return kSceFailure;
    // Read before the lock is taken: input that is slow to come (a terminal, a pipe) must not
    // keep every other save of the scenario waiting.
    QByteArray csvBytes;
    if (!SceReadInput(command, line.file(1), csvBytes, context))
        return kSceFailure;
    // Held from the read to the save, so that a second import waits and then builds on this
    // one's result instead of overwriting it.
    ScenarioLock lock(line.file(0));
    QString error;
    if (!lock.Acquire(error))
        return SceFail(command, error, context);
    auto store = std::make_unique<ScenarioStore>();
    if (!SceOpenScenario(command, line.file(0), *store, context))
        return kSceFailure;
    SceLoadNames(command, store->Names(), context);
    ImportPlan plan;
    ImportOptions options;
    options.allowOutOfRange = line.parser().isSet(allowOption);
    const bool planned = readPlan(line.file(1), csvBytes, table, *store, options, plan, context);
    csvBytes = {};
    if (!planned)
        return kSceFailure;

    const int changes = applyPlan(plan, *store, context.out);
    if (changes == 0) {
        context.out << QStringLiteral("没有改动，剧本未写入。\n");
        return kSceSuccess;
    }
    if (line.parser().isSet(dryRunOption)) {
        context.out << QStringLiteral("%1 处改动（试运行，未写入任何文件）。\n").arg(changes);
        return kSceSuccess;
    }
    if (!SceSave(command, *store, context, !line.parser().isSet(noBackupOption)))
        return kSceFailure;
    context.out << QStringLiteral("%1 处改动已写入。\n").arg(changes);
    return kSceSuccess;
}

} // namespace veldor
