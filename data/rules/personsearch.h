#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace veldor {

class NameTables;

// What the editors' find field looks for: persons whose name contains the text, or whose
// number (the record index, as `persons[N]` names it) equals it.
class PersonSearch
{
public:
    // Looks names up in `names`, which must outlive the search.
    PersonSearch(const QString& text, const NameTables& names);

    bool isEmpty() const { return text_.isEmpty(); }
    bool matches(uint16_t person) const;

    // The first matching row met walking `rows` rows from `from` in `step` (+1 or -1), wrapping
    // around once; -1 when no row matches. `personAt` says whom a row shows.
    int findRow(int rows, int from, int step,
                const std::function<uint16_t(int row)>& personAt) const;

    // Where `row` stands among the matching rows (1 for the first, 0 when it does not match),
    // and how many rows match.
    struct Count
    {
        int at;
        int total;
    };
    Count countMatches(int rows, int row, const std::function<uint16_t(int row)>& personAt) const;

private:
    const NameTables* names_;
    QString text_;
    int number_ = -1;
};

} // namespace veldor
