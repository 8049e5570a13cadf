#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace veldor {

// Comma-separated values as RFC 4180 has them: fields with a comma, a quote, a line break or
// outer blanks are quoted, quotes inside doubled, records ended by CR LF.
QString CsvRecord(const QStringList& fields);

// One record. Its fields are views into the text given to ParseCsv, so the rows must not
// outlive that text; a quoted field's text, quotes undone, is kept by the row itself. A string
// of its own for each of the 80,000 cells of an import was over half of the import's time.
struct CsvRow
{
    int line = 0; // where the record starts, counted from 1
    std::vector<QStringView> fields;
    std::vector<int> lines;      // where each field starts; a quoted field may span lines
    std::vector<QString> quoted; // what the quoted fields view

    QStringList texts() const; // the fields as strings of their own
};

struct CsvError
{
    int line = 0;
    int column = 0; // field number, counted from 1
    QString message;
};

// Where the end of `text` lies in a CSV: the line (every line end counted: CR LF, LF or CR)
// and the field of its record, both counted from 1.
void CsvPlaceAtEnd(const QString& text, int& line, int& column);

// The most fields a CSV may hold: the largest table has 800 records of a few hundred fields.
constexpr qsizetype kMaxCsvFields = 1000000;

// Splits `text` into records at `separator`. Accepts CR LF, LF and CR alone and skips empty lines;
// refuses a text of more than kMaxCsvFields fields; a quote that opens in the middle of a field or
// text after a closing quote is an error, because it means the file was not written as CSV and
// guessing would put values into the wrong columns.
bool ParseCsv(const QString& text, std::vector<CsvRow>& rows, CsvError& error,
              QChar separator = u',');

// The separator of a CSV as spreadsheets save it: whichever of comma, semicolon and tab occurs
// most often outside quotes in the head line; comma when none does.
QChar DetectCsvSeparator(const QString& text);

} // namespace veldor
