#pragma once

#include <QByteArray>

#include <cstdint>

namespace veldor {

class NameTables;

// Builders of the fixed-width list texts. All widths are GBK byte counts: a Chinese character
// is two bytes, as wide as two blanks in the lists' fixed-pitch font.

// The person's name padded with blanks to 8 bytes (never cut); "空" and six blanks for an
// index of 800 or more.
QByteArray PrsnNameText(const NameTables& names, uint16_t index);

// The city's name padded to 5 bytes; "空" and three blanks for an index of 50 or more.
QByteArray CityNameText(const NameTables& names, uint16_t index);

// The value in decimal, right-aligned to 3 characters (longer numbers whole).
QByteArray NumberText(uint16_t value);

// Standing labels of the person editor's rows (7 bytes each).
QByteArray DegreeLabel(uint16_t degree);

// Standing labels of the city editor's rows: 8 bytes for 0, 2, 3, 4, "!!!!!!!" for 1, 7 bytes
// otherwise, so that they end in one column after their differently wide force texts.
QByteArray CityDegreeLabel(uint16_t degree);

// Force column of a person without a force: 9 bytes in the city editor, 8 in the person editor.
QByteArray CityNoForceText();
QByteArray PrsnNoForceText();

} // namespace veldor
