#pragma once

#include "data/format/indices.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace veldor {

// Persons from this index on are not covered by name.txt; their names are generated.
constexpr int kListedPersons = 702;

// The longest word a list may hold; longer words are cut at a character boundary.
constexpr int kMaxNameBytes = 15;

// The folders searched for each list, in order: the working directory, the executable's
// folder, and the installed data folder beside it.
QStringList NameListDirs();

// The display names of persons, faces and cities, in GBK, as the name lists give them. The
// scenario file holds no names; whoever shows or reads names is handed the tables of the
// session they work for. Empty until loaded: a missing list shows as blank names.
class NameTables
{
public:
    // Fills the three tables from name.txt, face.txt and city.txt, each taken from the first
    // of `dirs` that has it. A list that is missing or cannot be read leaves its table empty;
    // the returned warning names every such file and, for one that was found, why it could not
    // be read (empty when all were read). A list with too few words repeats the last word
    // read, across lists, as the game's own reader does.
    QString load(const QStringList& dirs = NameListDirs());

    // Each index must lie inside its table.
    const QByteArray& person(int index) const { return persons_[size_t(index)]; }
    const QByteArray& face(int index) const { return faces_[size_t(index)]; }
    const QByteArray& city(int index) const { return cities_[size_t(index)]; }
    // A person's name decoded, made on first use and kept until the name changes: the find
    // field compares every person's name at each keystroke. Not for use from two threads.
    const QString& personText(int index) const;

    // For whoever needs names of their own (tests, generated samples).
    void setPerson(int index, const QByteArray& name)
    {
        persons_[size_t(index)] = name;
        personTexts_[size_t(index)].reset();
    }
    void setCity(int index, const QByteArray& name) { cities_[size_t(index)] = name; }

private:
    std::array<QByteArray, kPersons> persons_;
    mutable std::array<std::optional<QString>, kPersons> personTexts_;
    std::array<QByteArray, kFaces> faces_;
    std::array<QByteArray, kCities> cities_;
};

} // namespace veldor
