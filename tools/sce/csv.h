#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace veldor {

// Comma-separated values as RFC 4180 has them: fields with a comma, a quote, a line break or
// outer blanks are quoted, quotes inside doubled, records ended by CR LF.
QString CsvRecord(const QStringList& fields);

struct CsvRow
{
    int line = 0; // where the record starts, counted from 1
    QStringList fields;
    std::vector<int> lines; // where each field starts; a quoted field may span lines
};

struct CsvError
{
    int line = 0;
    int column = 0; // field number, counted from 1
    QString message;
};

// Splits `text` into records. Accepts LF as well as CR LF and skips empty lines; a quote that
// opens in the middle of a field or text after a closing quote is an error, because it means
// the file was not written as CSV and guessing would put values into the wrong columns.
bool ParseCsv(const QString& text, std::vector<CsvRow>& rows, CsvError& error);

} // namespace veldor
