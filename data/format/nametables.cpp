#include "data/format/nametables.h"

#include "data/format/gbk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace veldor {

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

// What went wrong with the lists, gathered so that the user is told once.
struct ListProblems
{
    QStringList missing;    // bare names, found in none of the folders
    QStringList unreadable; // found, but could not be read: path and reason
};

// Reads `count` words into `table`. A list that cannot be found or read leaves the table empty
// and is noted in `problems`.
void fillTable(WordReader& reader, const QStringList& dirs, const QString& name, QByteArray* table,
               int count, ListProblems& problems)
{
    for (int i = 0; i < count; ++i)
        table[i].clear();
    const QString path = findList(dirs, name);
    if (path.isEmpty()) {
        problems.missing << name;
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problems.unreadable
            << QStringLiteral("“%1”：%2").arg(QDir::toNativeSeparators(path), file.errorString());
        return;
    }
    reader.start(file.readAll());
    for (int i = 0; i < count; ++i)
        table[i] = reader.next();
}

QString describe(const ListProblems& problems, const QStringList& dirs)
{
    QStringList lines;
    if (!problems.missing.isEmpty()) {
        QStringList shownDirs;
        for (const QString& dir : dirs)
            shownDirs << QDir::toNativeSeparators(QDir::cleanPath(dir));
        lines << QStringLiteral("找不到名单文件 %1（已查找：%2）。")
                     .arg(problems.missing.join(QStringLiteral("、")),
                          shownDirs.join(QStringLiteral("；")));
    }
    for (const QString& failure : problems.unreadable)
        lines << QStringLiteral("无法读取名单文件%1。").arg(failure);
    if (lines.isEmpty())
        return {};
    return lines.join(QLatin1Char('\n')) + QStringLiteral("\n相应的名字将显示为空白。");
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

QString NameTables::load(const QStringList& dirs)
{
    WordReader reader;
    ListProblems problems;
    fillTable(reader, dirs, QStringLiteral("name.txt"), persons_.data(), kListedPersons, problems);
    for (int i = kListedPersons; i < kPersons; ++i)
        persons_[size_t(i)] =
            ToGbk(QStringLiteral("新")) + QByteArray::number(i - kListedPersons + 1);
    fillTable(reader, dirs, QStringLiteral("face.txt"), faces_.data(), kFaces, problems);
    fillTable(reader, dirs, QStringLiteral("city.txt"), cities_.data(), kCities, problems);
    personTexts_ = {};
    return describe(problems, dirs);
}

const QString& NameTables::personText(int index) const
{
    std::optional<QString>& text = personTexts_[size_t(index)];
    if (!text)
        text = FromGbk(persons_[size_t(index)]);
    return *text;
}

} // namespace veldor
