#include "data/nametables.h"

#include "data/gbk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace veldor {

QByteArray PrsnNames[kPersons];
QByteArray FaceNames[kFaces];
QByteArray CityNames[kCities];

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Hands out the white-space separated words of one list. When the list runs out, the last
// word read (from this list or an earlier one) is handed out again.
class WordReader
{
public:
    void start(QByteArray contents)
    {
        contents_ = std::move(contents);
        pos_ = 0;
    }

    const QByteArray& next()
    {
        while (pos_ < contents_.size() && isSpace(contents_[pos_]))
            ++pos_;
        const int begin = pos_;
        while (pos_ < contents_.size() && !isSpace(contents_[pos_]))
            ++pos_;
        if (pos_ > begin)
            last_ = CutGbk(contents_.mid(begin, pos_ - begin), kMaxNameBytes);
        return last_;
    }

private:
    QByteArray contents_;
    int pos_ = 0;
    QByteArray last_;
};

QString findList(const QStringList& dirs, const QString& name)
{
    for (const QString& dir : dirs) {
        const QString path = QDir(dir).filePath(name);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

// Reads `count` words into `table`; false when the list cannot be found or read, in which case
// the table is left empty.
bool fillTable(WordReader& reader, const QStringList& dirs, const QString& name, QByteArray* table,
               int count)
{
    for (int i = 0; i < count; ++i)
        table[i].clear();
    QFile file(findList(dirs, name));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    reader.start(file.readAll());
    for (int i = 0; i < count; ++i)
        table[i] = reader.next();
    return true;
}

} // namespace

QStringList NameListDirs()
{
    QStringList dirs{QDir::currentPath()};
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        dirs << exeDir << QDir(exeDir).filePath(QStringLiteral("../share/veldor"));
    }
    return dirs;
}

QString LoadNameTables(const QStringList& dirs)
{
    WordReader reader;
    QStringList missing;
    if (!fillTable(reader, dirs, QStringLiteral("name.txt"), PrsnNames, kListedPersons))
        missing << QStringLiteral("name.txt");
    for (int i = kListedPersons; i < kPersons; ++i)
        PrsnNames[i] = ToGbk(QStringLiteral("新")) + QByteArray::number(i - kListedPersons + 1);
    if (!fillTable(reader, dirs, QStringLiteral("face.txt"), FaceNames, kFaces))
        missing << QStringLiteral("face.txt");
    if (!fillTable(reader, dirs, QStringLiteral("city.txt"), CityNames, kCities))
        missing << QStringLiteral("city.txt");
    if (missing.isEmpty())
        return {};
    QStringList shownDirs;
    for (const QString& dir : dirs)
        shownDirs << QDir::toNativeSeparators(QDir::cleanPath(dir));
    return QStringLiteral("找不到名单文件 %1（已查找：%2）。相应的名字将显示为空白。")
        .arg(missing.join(QStringLiteral("、")), shownDirs.join(QStringLiteral("；")));
}

} // namespace veldor
