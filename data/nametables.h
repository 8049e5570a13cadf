#pragma once

#include "data/indices.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veldor {

// Display names, GBK bytes, filled once at start-up and read-only afterwards.
extern QByteArray PrsnNames[kPersons];
extern QByteArray FaceNames[kFaces];
extern QByteArray CityNames[kCities];

// Persons from this index on are not covered by name.txt; their names are generated.
constexpr int kListedPersons = 702;

// The longest word a list may hold; longer words are cut at a character boundary.
constexpr int kMaxNameBytes = 15;

// The folders searched for each list, in order: the working directory, the executable's
// folder, and the installed data folder beside it.
QStringList NameListDirs();

// Fills the three tables from name.txt, face.txt and city.txt, each taken from the first of
// `dirs` that has it. A list that is missing or cannot be read leaves its table empty; the
// returned warning names every such file and, for one that was found, why it could not be read
// (empty when all were read). A list with too few words repeats the last word read, across
// lists, as the game's own reader does.
QString LoadNameTables(const QStringList& dirs = NameListDirs());

} // namespace veldor
