#include "tools/sce/importplan.h"

#include "data/tablecells.h"

#include <QHash>

namespace veldor {
namespace {

constexpr int kUnknownColumn = -1;
constexpr int kIndexColumn = -2;
constexpr int kNameColumn = -3;

QString widthText(CellWidth width)
{
    switch (width) {
    case CellWidth::U16:
        return QStringLiteral("16 位字段只收 0..65535（-1 表示 65535）");
    case CellWidth::I32:
        return QStringLiteral("32 位字段只收 -2147483648..2147483647");
    case CellWidth::Byte:
        return QStringLiteral("单字节字段只收 0..255");
    case CellWidth::Flag:
        return QStringLiteral("兵法只收 0 或 1");
    }
    return {};
}

bool fitsWidth(const QString& text, CellWidth width, int64_t& value)
{
    bool ok = false;
    value = QStringView(text).trimmed().toLongLong(&ok, 10);
    if (!ok)
        return false;
    if (width == CellWidth::U16 && value == -1)
        value = 65535;
    return value >= CellMinimum(width) && value <= CellMaximum(width);
}

int knownColumn(TableId table, const QString& name)
{
    if (name == QLatin1String("index"))
        return kIndexColumn;
    if (name == QLatin1String("name") && TableHasNames(table))
        return kNameColumn;
    return TableColumnIndex(table, name); // kUnknownColumn when absent
}

int knownCount(TableId table, const QStringList& header)
{
    int known = 0;
    for (const QString& name : header)
        known += knownColumn(table, name) != kUnknownColumn;
    return known;
}

class Planner
{
public:
    Planner(ImportPlan& plan, ImportProblems& problems) : plan_(plan), problems_(problems) {}

    void run(const std::vector<CsvRow>& rows, std::optional<TableId> table)
    {
        if (rows.empty()) {
            problem(1, 1, {}, QStringLiteral("文件是空的，连表头都没有"));
            return;
        }
        if (!chooseTable(rows.front(), table) || !readHeader(rows.front()))
            return;
        if (rows.size() == 1)
            problem(rows.front().line, 1, {},
                    QStringLiteral("只有表头，没有数据行（no rows）：没有可写回的值"));
        plan_.values.reserve((rows.size() - 1) * columns_.size());
        for (size_t r = 1; r < rows.size(); ++r)
            readRow(rows[r]);
    }

private:
    void problem(int line, int column, const QString& field, const QString& message)
    {
        problems_.add({line, column, field, message});
    }

    // Names that belong to several tables (Rank, Skill1...) leave the table open; the one that
    // knows every column of the header is meant.
    bool chooseTable(const CsvRow& header, std::optional<TableId> table)
    {
        if (table) {
            plan_.table = *table;
            return true;
        }
        std::vector<TableId> fitting;
        TableId closest = TableId::Persons;
        for (TableId candidate : AllTables()) {
            const int known = knownCount(candidate, header.fields);
            if (known == header.fields.size())
                fitting.push_back(candidate);
            if (known > knownCount(closest, header.fields))
                closest = candidate;
        }
        if (fitting.size() > 1) {
            QStringList names;
            for (TableId candidate : fitting)
                names << QString::fromLatin1(tableName(candidate));
            problem(header.line, 1, {},
                    QStringLiteral("从表头看不出是哪张表（%1 都有这些列），请用 --table 指定")
                        .arg(names.join(QStringLiteral("、"))));
            return false;
        }
        plan_.table = fitting.empty() ? closest : fitting.front();
        return true;
    }

    bool readHeader(const CsvRow& header)
    {
        const qsizetype before = problems_.count;
        QHash<QString, int> seen;
        for (int k = 0; k < header.fields.size(); ++k) {
            const QString& name = header.fields[k];
            const int column = knownColumn(plan_.table, name);
            if (column == kUnknownColumn)
                problem(header.line, k + 1, name,
                        QStringLiteral("未知的列：%1 表没有这个字段")
                            .arg(QLatin1String(tableName(plan_.table))));
            else if (seen.contains(name))
                problem(header.line, k + 1, name,
                        QStringLiteral("这一列与第 %1 列重复").arg(seen.value(name) + 1));
            seen.insert(name, k);
            columns_.push_back(column);
        }
        indexField_ = int(header.fields.indexOf(QStringLiteral("index")));
        if (indexField_ < 0)
            problem(header.line, 1, {},
                    QStringLiteral("缺少 index 列：没有它就不知道每行是哪条记录"));
        return problems_.count == before;
    }

    void readRow(const CsvRow& row)
    {
        if (row.fields.size() != qsizetype(columns_.size())) {
            problem(row.line, int(std::min<qsizetype>(row.fields.size(), columns_.size())) + 1, {},
                    QStringLiteral("这一行有 %1 个字段，表头有 %2 个")
                        .arg(row.fields.size())
                        .arg(columns_.size()));
            return;
        }
        const int record = readIndex(row);
        for (int k = 0; k < int(columns_.size()); ++k) {
            const int column = columns_[size_t(k)];
            if (column < 0)
                continue;
            const TableColumn& field = TableColumns(plan_.table)[size_t(column)];
            int64_t value = 0;
            if (!fitsWidth(row.fields[k], field.width, value))
                problem(
                    row.lines[size_t(k)], k + 1, field.name,
                    QStringLiteral("“%1”不合要求：%2").arg(row.fields[k], widthText(field.width)));
            else if (record >= 0)
                plan_.values.push_back({record, column, value});
        }
    }

    // The row's record, or -1 after reporting why there is none.
    int readIndex(const CsvRow& row)
    {
        const QString& text = row.fields[indexField_];
        const int line = row.lines[size_t(indexField_)];
        bool ok = false;
        const int record = QStringView(text).trimmed().toInt(&ok, 10);
        const int records = TableRecords(plan_.table);
        if (!ok || record < 0 || record >= records) {
            problem(line, indexField_ + 1, QStringLiteral("index"),
                    QStringLiteral("编号“%1”不对：%2 表的编号是 0..%3")
                        .arg(text, QLatin1String(tableName(plan_.table)))
                        .arg(records - 1));
            return -1;
        }
        if (lineOfRecord_.contains(record)) {
            problem(line, indexField_ + 1, QStringLiteral("index"),
                    QStringLiteral("编号 %1 重复：第 %2 行已经给过这条记录")
                        .arg(record)
                        .arg(lineOfRecord_.value(record)));
            return -1;
        }
        lineOfRecord_.insert(record, row.line);
        return record;
    }

    ImportPlan& plan_;
    ImportProblems& problems_;
    std::vector<int> columns_; // per CSV field: column of the table, or kIndexColumn/kNameColumn
    int indexField_ = -1;
    QHash<int, int> lineOfRecord_;
};

} // namespace

void ImportProblems::add(ImportProblem problem)
{
    if (qsizetype(listed.size()) < kListed)
        listed.push_back(std::move(problem));
    ++count;
}

bool PlanImport(const std::vector<CsvRow>& rows, std::optional<TableId> table, ImportPlan& plan,
                ImportProblems& problems)
{
    plan = ImportPlan{};
    problems = ImportProblems{};
    Planner(plan, problems).run(rows, table);
    if (!problems.empty())
        plan.values.clear();
    return problems.empty();
}

} // namespace veldor
