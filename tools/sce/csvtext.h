#pragma once

#include "tools/sce/csv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veldor {

// The text of a CSV a spreadsheet program may have written: UTF-8 with or without a byte order
// mark, UTF-16 with one (Excel's "Unicode text"), or, where the bytes are not UTF-8, GBK as
// Chinese editions of such programs save it. A UTF-8 mark that was misread as "ï»¿" and saved
// as text is dropped, with a note for the user in `notes`. Refuses, with the place named,
// UTF-32, NUL characters and bytes that are invalid in the encoding found: dropping or
// replacing them would change values without a word.
bool DecodeCsvText(const QByteArray& bytes, QString& text, CsvError& error,
                   QStringList* notes = nullptr);

} // namespace veldor
