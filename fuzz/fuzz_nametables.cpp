// NameTables::load against a reference reader written from the documented rules. The input is
// split at its first two NUL bytes into name.txt, face.txt and city.txt; a list whose part is
// missing is left out, so the missing-file path is fuzzed too.

#include "data/format/gbk.h"
#include "data/format/nametables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray cut(const QByteArray& word)
{
    int end = 0;
    while (end < word.size()) {
        const bool pair = uint8_t(word[end]) >= 0x81 && end + 1 < word.size();
        const int next = end + (pair ? 2 : 1);
        if (next > veldor::kMaxNameBytes)
            break;
        end = next;
    }
    return word.left(end);
}

// Fills `count` entries from `list`; an absent list gives empty entries and leaves `last`.
std::vector<QByteArray> readList(const std::optional<QByteArray>& list, int count, QByteArray& last)
{
    if (!list)
        return std::vector<QByteArray>(size_t(count));
    std::vector<QByteArray> entries;
    qsizetype pos = 0;
    while (int(entries.size()) < count) {
        while (pos < list->size() && isSpace(list->at(pos)))
            ++pos;
        const qsizetype begin = pos;
        while (pos < list->size() && !isSpace(list->at(pos)))
            ++pos;
        if (pos > begin)
            last = cut(list->mid(begin, pos - begin));
        entries.push_back(last);
    }
    return entries;
}

template <class Entry> void check(Entry entry, const std::vector<QByteArray>& expected)
{
    for (size_t i = 0; i < expected.size(); ++i)
        if (entry(int(i)) != expected[i])
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const char* const names[] = {"name.txt", "face.txt", "city.txt"};

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    std::optional<QByteArray> lists[3];
    qsizetype pos = 0;
    for (int l = 0; l < 3 && pos <= input.size(); ++l) {
        qsizetype end = l < 2 ? input.indexOf('\0', pos) : input.size();
        if (end < 0)
            end = input.size();
        lists[l] = input.mid(pos, end - pos);
        pos = end + 1;
    }
    for (int l = 0; l < 3; ++l) {
        QFile file(dir.filePath(QString::fromLatin1(names[l])));
        if (!lists[l]) {
            file.remove();
            continue;
        }
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(*lists[l]) != lists[l]->size())
            std::abort();
    }

    veldor::NameTables tables;
    const QString warning = tables.load({dir.path()});
    if (warning.isEmpty() != (lists[0] && lists[1] && lists[2]))
        std::abort();

    QByteArray last;
    check([&](int i) { return tables.person(i); },
          readList(lists[0], veldor::kListedPersons, last));
    check([&](int i) { return tables.face(i); }, readList(lists[1], veldor::kFaces, last));
    check([&](int i) { return tables.city(i); }, readList(lists[2], veldor::kCities, last));
    for (int i = veldor::kListedPersons; i < veldor::kPersons; ++i)
        if (veldor::FromGbk(tables.person(i)) !=
            QStringLiteral("新") + QString::number(i - veldor::kListedPersons + 1))
            std::abort();
    return 0;
}
