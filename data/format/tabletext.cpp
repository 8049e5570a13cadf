#include "data/format/tabletext.h"

namespace veldor {
namespace {

// How many problems a refusal lists; the rest are counted.
constexpr int kListedProblems = 5;

QString unquoted(const QString& cell)
{
    if (cell.size() < 2 || !cell.startsWith(u'"') || !cell.endsWith(u'"'))
        return cell;
    QString inner = cell.mid(1, cell.size() - 2);
    return inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

QString quotedIfNeeded(const QString& cell)
{
    if (!cell.contains(u'\t') && !cell.contains(u'\n') && !cell.contains(u'"'))
        return cell;
    QString inner = cell;
    return u'"' + inner.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

bool isHeadsRow(const QStringList& cells, int column,
                const std::function<QString(int column)>& head)
{
    for (int k = 0; k < cells.size(); ++k)
        if (cells[k].trimmed() != head(column + k))
            return false;
    return true;
}

void addProblem(PastePlan& plan, const QString& problem)
{
    if (plan.refusals.size() < kListedProblems)
        plan.refusals << problem;
    ++plan.problems;
}

} // namespace

TextGrid ReadTabSeparated(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (plain.endsWith(u'\n'))
        plain.chop(1);
    TextGrid grid;
    if (plain.isEmpty())
        return grid;
    for (const QString& line : plain.split(u'\n')) {
        QStringList cells = line.split(u'\t');
        for (QString& cell : cells)
            cell = unquoted(cell);
        grid.push_back(cells);
    }
    return grid;
}

QString WriteTabSeparated(const TextGrid& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row)
            cells << quotedIfNeeded(cell);
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

PastePlan PlanPaste(const TextGrid& grid, int row, int column, int rows, int columns,
                    const std::function<QString(int column)>& head, const PasteReader& read)
{
    PastePlan plan;
    const size_t first = !grid.empty() && column + grid.front().size() <= columns &&
                                 isHeadsRow(grid.front(), column, head)
                             ? 1
                             : 0;
    const int height = int(grid.size() - first);
    int width = 0;
    for (size_t r = first; r < grid.size(); ++r)
        width = std::max(width, int(grid[r].size()));
    if (row + height > rows)
        addProblem(plan, QStringLiteral("粘贴的 %1 行超出表格：从所选行起只有 %2 行")
                             .arg(height)
                             .arg(rows - row));
    if (column + width > columns)
        addProblem(plan, QStringLiteral("粘贴的 %1 列超出表格：从所选列起只有 %2 列")
                             .arg(width)
                             .arg(columns - column));
    if (plan.problems > 0)
        return plan;
    for (size_t r = first; r < grid.size(); ++r) {
        for (int c = 0; c < grid[r].size(); ++c) {
            CellWrite write{row + int(r - first), column + c, 0};
            QString reason;
            ++plan.cells;
            switch (read(write.row, write.column, grid[r][c].trimmed(), write.value, reason)) {
            case PastedCell::Write:
                plan.writes.push_back(write);
                break;
            case PastedCell::Unchanged:
                break;
            case PastedCell::Refused:
                addProblem(plan, QStringLiteral("第 %1 行「%2」：%3")
                                     .arg(int(r) + 1)
                                     .arg(head(write.column), reason));
                break;
            }
        }
    }
    return plan;
}

} // namespace veldor
