#include "data/format/fieldcatalogue.h"
#include "data/format/tablecells.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scenariojson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace veldor {
namespace {

const char* const kHelp =
    "列出各表（或 TABLE 一张表）的字段，即 export 与 import 的列：\n"
    "字段名、中文名（--headers zh 的表头）、允许的值（存储值；65535 表示“空”的字段另注）、\n"
    "编辑器如何显示（数值、数值 + 130 的年份、选项及其文字、武将/城市/势力名）。\n"
    "文本格式每个字段一行，以制表符分隔；--format json 给出同样的内容。";

const char* valuesName(FieldValues values)
{
    switch (values) {
    case FieldValues::Number:
        return "number";
    case FieldValues::Choice:
        return "choice";
    case FieldValues::Person:
        return "person";
    case FieldValues::City:
        return "city";
    case FieldValues::Force:
        return "force";
    case FieldValues::Flag:
        return "flag";
    }
    return "";
}

QJsonObject fieldJson(const CatalogueField& field)
{
    QJsonObject object{{QStringLiteral("identifier"), field.identifier},
                       {QStringLiteral("name"), field.name},
                       {QStringLiteral("values"), QLatin1String(valuesName(field.values))},
                       {QStringLiteral("minimum"), qint64(field.minimum)},
                       {QStringLiteral("maximum"), qint64(field.maximum)},
                       {QStringLiteral("shownOffset"), field.shownOffset}};
    if (field.hasNone) {
        object.insert(QStringLiteral("none"), int(kNone));
        object.insert(QStringLiteral("noneText"), field.noneText);
    }
    if (!field.choices.isEmpty())
        object.insert(QStringLiteral("choices"), QJsonArray::fromStringList(field.choices));
    return object;
}

void writeText(TableId table, QTextStream& out)
{
    out << tableName(table) << QStringLiteral("（") << TableChineseName(table)
        << QStringLiteral("，%1 条）\n").arg(TableRecords(table));
    for (const CatalogueField& field : FieldCatalogue(table))
        out << "  " << field.identifier << '\t' << field.name << '\t' << AllowedValuesText(field)
            << '\t' << ShownAsText(field) << '\n';
}

QJsonObject tableJson(TableId table)
{
    QJsonArray fields;
    for (const CatalogueField& field : FieldCatalogue(table))
        fields.append(fieldJson(field));
    return QJsonObject{{QStringLiteral("table"), QLatin1String(tableName(table))},
                       {QStringLiteral("name"), TableChineseName(table)},
                       {QStringLiteral("records"), TableRecords(table)},
                       {QStringLiteral("fields"), fields}};
}

} // namespace

int RunFields(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("fields");
    SceCommandLine line(command, QString::fromUtf8(kHelp));
    line.addReportFormatOption();
    line.addOptionalArgument(QStringLiteral("TABLE"),
                             QStringLiteral("persons、cities、forces、items 或 places"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode;
    bool json = false;
    if (!line.reportAsJson(json, context))
        return kSceFailure;
    std::vector<TableId> tables = AllTables();
    if (!line.file(0).isEmpty()) {
        const std::optional<TableId> table = TableIdFromName(line.file(0));
        if (!table)
            return SceFail(command,
                           QStringLiteral("没有名为“%1”的表；可选 persons、cities、forces、"
                                          "items、places。")
                               .arg(line.file(0)),
                           context);
        tables = {*table};
    }
    if (!json) {
        for (TableId table : tables)
            writeText(table, context.out);
        return kSceSuccess;
    }
    QJsonArray array;
    for (TableId table : tables)
        array.append(tableJson(table));
    context.out << QString::fromUtf8(
        QJsonDocument(QJsonObject{{QStringLiteral("tables"), array}}).toJson());
    return kSceSuccess;
}

} // namespace veldor
