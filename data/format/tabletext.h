#pragma once

#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace veldor {

// Cells as spreadsheets put them on the clipboard: one line per row, cells apart by tabs.
using TextGrid = std::vector<QStringList>;

// Reads clipboard text: CR LF or LF line ends, one final line end dropped, a cell in double
// quotes unquoted ("" inside is one quote).
TextGrid ReadTabSeparated(const QString& text);
// Writes rows the way ReadTabSeparated reads them, quoting only cells that need it.
QString WriteTabSeparated(const TextGrid& rows);

// What a pasted text means for one cell.
enum class PastedCell { Write, Unchanged, Refused };

// One cell a paste changes, at its place counted from the first row and column of the table
// as shown.
struct CellWrite
{
    int row;
    int column;
    int64_t value;
};

// A paste of a grid onto a table shown `rows` × `columns`, starting at (`row`, `column`).
struct PastePlan
{
    std::vector<CellWrite> writes;
    int cells = 0;        // cells the paste covers, the heads row not counted
    QStringList refusals; // the first problems; a plan with any is applied not at all
    int problems = 0;     // every problem found, of which `refusals` lists the first
};

// Reads one pasted text: Write with `value` the stored value, Unchanged for a text the cell
// already shows (a copied number or name column pasted back), Refused with `reason`.
using PasteReader = std::function<PastedCell(int row, int column, const QString& text,
                                             int64_t& value, QString& reason)>;

// A first row equal to the heads of the columns it lands on is the copied heads and skipped.
// A grid reaching past the last row or column is refused whole.
PastePlan PlanPaste(const TextGrid& grid, int row, int column, int rows, int columns,
                    const std::function<QString(int column)>& head, const PasteReader& read);

} // namespace veldor
