#pragma once

#include "tools/sce/csv.h"

#include <QByteArray>
#include <QString>

namespace veldor {

// The text of a CSV a spreadsheet program may have written: UTF-8 with or without a byte order
// mark, or, where the bytes are not UTF-8, GBK as Chinese editions of such programs save it.
// Refuses, with the place named, UTF-16 and UTF-32 (told by their byte order marks), NUL bytes
// and bytes that are invalid in the encoding found: dropping or replacing them would change
// values without a word.
bool DecodeCsvText(const QByteArray& bytes, QString& text, CsvError& error);

} // namespace veldor
