#include "data/format/fieldheads.h"

#include "data/format/fieldcatalogue.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace veldor {
namespace {

QHash<QString, int> looseColumns(TableId table)
{
    QHash<QString, int> columns;
    for (const CatalogueField& field : FieldCatalogue(table)) {
        columns.insert(LooseHead(field.identifier), field.column);
        columns.insert(LooseHead(field.name), field.column);
    }
    return columns;
}

int editDistance(const QString& a, const QString& b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min(
                {above + 1, row[size_t(j) - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

} // namespace

QString LooseHead(const QString& head)
{
    // Written in place, with ASCII folded by hand: a header is matched against every table's
    // columns, and appending character by character was most of choosing the table.
    QString loose(head.size(), Qt::Uninitialized);
    QChar* out = loose.data();
    for (const QChar c : head) {
        if (c.unicode() >= 0x80) {
            if (!c.isSpace())
                *out++ = c.toCaseFolded();
        } else if (c != u' ' && (c < u'\t' || c > u'\r')) {
            *out++ = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
        }
    }
    loose.truncate(out - loose.constData());
    return loose;
}

int LooseCatalogueColumn(TableId table, const QString& head)
{
    static const QHash<QString, int> columns[] = {
        looseColumns(TableId::Places), looseColumns(TableId::Cities), looseColumns(TableId::Forces),
        looseColumns(TableId::Items), looseColumns(TableId::Persons)};
    return columns[int(table)].value(LooseHead(head), -1);
}

QString NearestHead(const QString& head, const QStringList& candidates)
{
    const QString loose = LooseHead(head);
    QString nearest;
    int best = 0;
    for (const QString& candidate : candidates) {
        const int distance = editDistance(loose, LooseHead(candidate));
        if (nearest.isEmpty() || distance < best) {
            nearest = candidate;
            best = distance;
        }
    }
    // A slip changes a few characters; beyond a third of the head it is another word.
    const int nearEnough = std::max<int>(1, int(std::max(loose.size(), nearest.size())) / 3);
    return best <= nearEnough ? nearest : QString();
}

QStringList CatalogueHeads(TableId table)
{
    QStringList heads;
    for (const CatalogueField& field : FieldCatalogue(table))
        heads << field.identifier << field.name;
    return heads;
}

} // namespace veldor
