#include "tools/sce/importplan.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/fieldheads.h"
#include "data/format/recordlabel.h"
#include "data/format/tablecells.h"
#include "tools/sce/shownvalue.h"

#include <QHash>

#include <map>
#include <memory>

namespace veldor {
namespace {

constexpr int kUnknownColumn = -1;
constexpr int kIndexColumn = -2;
constexpr int kNameColumn = -3;
constexpr int kSkippedColumn = -4;

const QString kIndexHeads[] = {QStringLiteral("index"), QStringLiteral("编号")};
const QString kNameHeads[] = {QStringLiteral("name"), QStringLiteral("名字")};

bool isOneOf(const QString& loose, const QString (&heads)[2])
{
    return loose == heads[0] || loose == heads[1];
}

int knownColumn(TableId table, const QString& head)
{
    const QString loose = LooseHead(head);
    if (loose.startsWith(u'#'))
        return kSkippedColumn;
    if (isOneOf(loose, kIndexHeads))
        return kIndexColumn;
    if (isOneOf(loose, kNameHeads) && TableHasNames(table))
        return kNameColumn;
    return LooseCatalogueColumn(table, head); // kUnknownColumn when absent
}

int knownCount(TableId table, const QStringList& header)
{
    int known = 0;
    for (const QString& name : header)
        known += knownColumn(table, name) != kUnknownColumn;
    return known;
}

// The usual cell, an optional minus and up to 18 ASCII digits, read straight from its
// characters; QString::toLongLong first converts every text to Latin-1 through the locale code,
// which was half of the planning. Anything else (a plus, more digits, a name) goes that way.
bool plainInteger(QStringView text, int64_t& value)
{
    const bool negative = !text.isEmpty() && text.front() == u'-';
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 18)
        return false;
    int64_t n = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c.unicode() - u'0');
    }
    value = negative ? -n : n;
    return true;
}

bool isBlank(const CsvRow& row)
{
    for (const QStringView field : row.fields)
        if (!field.trimmed().isEmpty())
            return false;
    return true;
}

// Problems of one kind in one CSV column are listed once, at their first place; the count of
// rows is added when the listing is done.
enum class Repeat { NotWhole, OutOfRange, Unallowed, NameMismatch };

class Planner
{
public:
    Planner(const ScenarioTables& tables, const NameTables& names, const ImportOptions& options,
            ImportPlan& plan, ImportProblems& problems)
        : tables_(tables), nameTables_(names), options_(options), plan_(plan), problems_(problems)
    {
    }

    void run(const std::vector<CsvRow>& rows, std::optional<TableId> table)
    {
        if (rows.empty()) {
            problem(1, 1, {}, QStringLiteral("文件是空的，连表头都没有"));
            return;
        }
        header_ = rows.front().texts();
        if (!chooseTable(rows.front(), table) || !readHeader(rows.front()))
            return;
        plan_.values.reserve((rows.size() - 1) * columns_.size());
        int dataRows = 0;
        for (size_t r = 1; r < rows.size(); ++r) {
            if (isBlank(rows[r]))
                continue;
            ++dataRows;
            readRow(rows[r]);
        }
        if (dataRows == 0)
            problem(rows.front().line, 1, {},
                    QStringLiteral("只有表头，没有数据行（no rows）：没有可写回的值"));
        finishRepeats();
    }

private:
    void problem(int line, int column, const QString& field, const QString& message)
    {
        problems_.add({line, column, field, message});
    }

    // Lists the first of a repeated problem; later ones only count.
    void repeated(Repeat kind, int line, int field, const QString& message, bool warning = false)
    {
        auto [it, first] = repeats_.try_emplace({field, kind}, Repeated{});
        ++it->second.rows;
        if (!first)
            return;
        const ImportProblem p{line, field + 1, header_[field], message};
        if (warning) {
            it->second.warning = int(plan_.warnings.size());
            plan_.warnings.push_back(p);
        } else if (problems_.listed.size() < size_t(ImportProblems::kListed)) {
            it->second.listed = int(problems_.listed.size());
            problems_.add(p);
        } else {
            problems_.add(p);
        }
    }

    void finishRepeats()
    {
        for (const auto& [key, r] : repeats_) {
            if (r.rows < 2)
                continue;
            const QString more = QStringLiteral("（共 %1 行）").arg(r.rows);
            if (r.warning >= 0)
                plan_.warnings[size_t(r.warning)].message += more;
            else if (r.listed >= 0)
                problems_.listed[size_t(r.listed)].message += more;
        }
    }

    // Names that belong to several tables (Rank, 所属势力, Skill1...) leave the table open; the
    // one that knows every column of the header is meant.
    bool chooseTable(const CsvRow& header, std::optional<TableId> table)
    {
        if (table) {
            plan_.table = *table;
            return true;
        }
        std::vector<TableId> fitting;
        TableId closest = TableId::Persons;
        int closestKnown = knownCount(closest, header_); // counted once per table
        for (TableId candidate : AllTables()) {
            const int known = knownCount(candidate, header_);
            if (known == header_.size())
                fitting.push_back(candidate);
            if (known > closestKnown) {
                closest = candidate;
                closestKnown = known;
            }
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

    void unknownHead(const CsvRow& header, int k)
    {
        const QString& name = header_[k];
        QString message = QStringLiteral("未知的列：%1 表没有这个字段")
                              .arg(QLatin1String(tableName(plan_.table)));
        const QString nearest = NearestHead(name, CatalogueHeads(plan_.table));
        if (!nearest.isEmpty())
            message += QStringLiteral("；是不是“%1”？").arg(nearest);
        problem(header.line, k + 1, name, message);
    }

    bool readHeader(const CsvRow& header)
    {
        const qsizetype before = problems_.count;
        QHash<int, int> seen; // column → CSV field
        for (int k = 0; k < header_.size(); ++k) {
            const int column = knownColumn(plan_.table, header_[k]);
            if (column == kUnknownColumn)
                unknownHead(header, k);
            else if (column != kSkippedColumn && seen.contains(column))
                problem(header.line, k + 1, header_[k],
                        QStringLiteral("这一列与第 %1 列重复").arg(seen.value(column) + 1));
            seen.insert(column, k);
            columns_.push_back(column);
            // Looked up once per column, not once per cell.
            fields_.push_back(column >= 0 ? &CatalogueEntry(plan_.table, column) : nullptr);
            cells_.push_back(column >= 0 ? &TableColumns(plan_.table)[size_t(column)] : nullptr);
            if (column == kIndexColumn)
                indexField_ = k;
            if (column == kNameColumn)
                nameField_ = k;
        }
        if (indexField_ < 0)
            problem(header.line, 1, {},
                    QStringLiteral("缺少 index（编号）列：没有它就不知道每行是哪条记录"));
        return problems_.count == before;
    }

    void readRow(const CsvRow& row)
    {
        if (row.fields.size() != columns_.size()) {
            problem(row.line, int(std::min(row.fields.size(), columns_.size())) + 1, {},
                    QStringLiteral("这一行有 %1 个字段，表头有 %2 个")
                        .arg(row.fields.size())
                        .arg(columns_.size()));
            return;
        }
        const int record = readIndex(row);
        if (record >= 0 && nameField_ >= 0)
            compareName(row, record);
        for (int k = 0; k < int(columns_.size()); ++k)
            if (columns_[size_t(k)] >= 0)
                readValue(row, k, record);
    }

    void readValue(const CsvRow& row, int k, int record)
    {
        const int column = columns_[size_t(k)];
        const CatalogueField& field = *fields_[size_t(k)];
        const TableColumn& cell = *cells_[size_t(k)];
        const CellWidth width = cell.width;
        const QStringView text = row.fields[size_t(k)].trimmed();
        const int line = row.lines[size_t(k)];
        int64_t value = 0;
        bool ok = plainInteger(text, value);
        if (!ok)
            value = text.toLongLong(&ok, 10);
        if (!ok) {
            const std::optional<int64_t> named = names().value(field, text.toString());
            if (!named) {
                repeated(Repeat::NotWhole, line, k,
                         QStringLiteral("“%1”不是整数（not a whole number）%2")
                             .arg(ShownValue(row.fields[size_t(k)].toString()), namesHint(field)));
                return;
            }
            value = *named;
        }
        if (width == CellWidth::U16 && value == -1)
            value = kNone;
        if (value < CellMinimum(width) || value > CellMaximum(width)) {
            repeated(Repeat::OutOfRange, line, k,
                     QStringLiteral("“%1”超出范围（out of range）：%2")
                         .arg(ShownValue(row.fields[size_t(k)].toString()),
                              AllowedValuesSentence(field)));
            return;
        }
        // A game file may hold such a value on purpose; giving it back unchanged writes nothing.
        const bool unchanged = record >= 0 && ReadColumnCell(tables_, cell, record) == value;
        if (!IsAllowedValue(field, value) && !unchanged) {
            const QString message = QStringLiteral("“%1”超出范围（out of range）：%2")
                                        .arg(ShownValue(row.fields[size_t(k)].toString()),
                                             AllowedValuesSentence(field));
            if (!options_.allowOutOfRange) {
                repeated(Repeat::OutOfRange, line, k, message);
                return;
            }
            repeated(Repeat::Unallowed, line, k,
                     message + QStringLiteral("；按 --allow-out-of-range 照写"), true);
        }
        if (record >= 0)
            plan_.values.push_back({record, column, value});
    }

    // Built at the first value that is not a number: a CSV of numbers never needs the names of
    // the records, and decoding all of them took a twentieth of such an import.
    const ValueNames& names()
    {
        if (!names_)
            names_ = std::make_unique<ValueNames>(tables_, nameTables_);
        return *names_;
    }

    static QString namesHint(const CatalogueField& field)
    {
        if (field.values == FieldValues::Number || field.values == FieldValues::Flag)
            return {};
        return QStringLiteral("，也不是%1的一个选项名").arg(field.name);
    }

    // A sort of some columns only puts rows under the wrong index: say so, without refusing.
    void compareName(const CsvRow& row, int record)
    {
        const QString given = row.fields[size_t(nameField_)].trimmed().toString();
        const QString own = RecordName(tables_, nameTables_, plan_.table, record).trimmed();
        if (given.isEmpty() || own.isEmpty() || given == own)
            return;
        repeated(Repeat::NameMismatch, row.lines[size_t(nameField_)], nameField_,
                 QStringLiteral("名字“%1”与编号 %2 的记录“%3”不符：表格是否只排序了部分列？")
                     .arg(ShownValue(given))
                     .arg(record)
                     .arg(own),
                 true);
    }

    // The row's record, or -1 after reporting why there is none.
    int readIndex(const CsvRow& row)
    {
        const QStringView text = row.fields[size_t(indexField_)];
        const int line = row.lines[size_t(indexField_)];
        bool ok = false;
        const int record = text.trimmed().toInt(&ok, 10);
        const int records = TableRecords(plan_.table);
        if (!ok || record < 0 || record >= records) {
            problem(line, indexField_ + 1, header_[indexField_],
                    QStringLiteral("编号“%1”不对：%2 表的编号是 0..%3")
                        .arg(ShownValue(text.toString()), QLatin1String(tableName(plan_.table)))
                        .arg(records - 1));
            return -1;
        }
        if (lineOfRecord_.contains(record)) {
            problem(line, indexField_ + 1, header_[indexField_],
                    QStringLiteral("编号 %1 重复：第 %2 行已经给过这条记录")
                        .arg(record)
                        .arg(lineOfRecord_.value(record)));
            return -1;
        }
        lineOfRecord_.insert(record, row.line);
        return record;
    }

    struct Repeated
    {
        int rows = 0;
        int listed = -1;  // into problems_.listed
        int warning = -1; // into plan_.warnings
    };

    const ScenarioTables& tables_;
    const NameTables& nameTables_;
    const ImportOptions& options_;
    ImportPlan& plan_;
    ImportProblems& problems_;
    std::unique_ptr<ValueNames> names_;
    QStringList header_;
    std::vector<int> columns_; // per CSV field: column of the table, or one of the k*Column
    // Per CSV field of a table column: its catalogue entry and its cells; null for the others.
    std::vector<const CatalogueField*> fields_;
    std::vector<const TableColumn*> cells_;
    int indexField_ = -1;
    int nameField_ = -1;
    QHash<int, int> lineOfRecord_;
    std::map<std::pair<int, Repeat>, Repeated> repeats_;
};

} // namespace

void ImportProblems::add(ImportProblem problem)
{
    if (qsizetype(listed.size()) < kListed)
        listed.push_back(std::move(problem));
    ++count;
}

bool PlanImport(const std::vector<CsvRow>& rows, std::optional<TableId> table,
                const ScenarioTables& tables, const NameTables& names, const ImportOptions& options,
                ImportPlan& plan, ImportProblems& problems)
{
    plan = ImportPlan{};
    problems = ImportProblems{};
    Planner(tables, names, options, plan, problems).run(rows, table);
    if (!problems.empty())
        plan.values.clear();
    return problems.empty();
}

} // namespace veldor
