#include "data/rules/personsearch.h"

#include "data/format/indices.h"
#include "data/format/nametables.h"

namespace veldor {

PersonSearch::PersonSearch(const QString& text, const NameTables& names)
    : names_(&names), text_(text.trimmed())
{
    bool isNumber = false;
    const int number = text_.toInt(&isNumber);
    if (isNumber && number >= 0 && number < kPersons)
        number_ = number;
}

bool PersonSearch::matches(uint16_t person) const
{
    if (text_.isEmpty() || person >= kPersons)
        return false;
    return person == number_ || names_->personText(person).contains(text_, Qt::CaseInsensitive);
}

int PersonSearch::findRow(int rows, int from, int step,
                          const std::function<uint16_t(int row)>& personAt) const
{
    if (text_.isEmpty() || rows <= 0)
        return -1;
    const int start = ((from % rows) + rows) % rows;
    for (int i = 0; i < rows; ++i) {
        const int row = ((start + step * i) % rows + rows) % rows;
        if (matches(personAt(row)))
            return row;
    }
    return -1;
}

PersonSearch::Count
PersonSearch::countMatches(int rows, int row,
                           const std::function<uint16_t(int row)>& personAt) const
{
    Count count{0, 0};
    for (int r = 0; r < rows; ++r) {
        if (!matches(personAt(r)))
            continue;
        ++count.total;
        if (r <= row)
            count.at = count.total;
    }
    if (row < 0 || row >= rows || !matches(personAt(row)))
        count.at = 0;
    return count;
}

} // namespace veldor
