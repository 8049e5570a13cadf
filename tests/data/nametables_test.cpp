// Reading the three name lists: counts, word splitting, long words, short and missing lists.

#include "data/format/gbk.h"
#include "data/format/nametables.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace veldor {
namespace {

QByteArray gbk(const char* utf8)
{
    return ToGbk(QString::fromUtf8(utf8));
}

// Words w0 w1 ... w(count-1) with `prefix`, one per line.
QByteArray words(const char* prefix, int count, const char* separator = "\n")
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += prefix + QByteArray::number(i) + separator;
    return text;
}

class NameLists : public ::testing::Test
{
protected:
    void put(const QString& name, const QByteArray& contents, QTemporaryDir* dir = nullptr)
    {
        QFile file((dir ? *dir : dir_).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(contents), contents.size());
    }
    void putAll(const QByteArray& names, const QByteArray& faces, const QByteArray& cities)
    {
        put(QStringLiteral("name.txt"), names);
        put(QStringLiteral("face.txt"), faces);
        put(QStringLiteral("city.txt"), cities);
    }
    QString load() { return tables.load({dir_.path()}); }

    QTemporaryDir dir_;
    NameTables tables;
};

TEST_F(NameLists, ExactCountsAndGeneratedNames)
{
    putAll(words("p", 702), words("f", 686), words("c", 50));
    EXPECT_TRUE(load().isEmpty());
    EXPECT_EQ(tables.person(0), "p0");
    EXPECT_EQ(tables.person(701), "p701");
    EXPECT_EQ(tables.person(702), QByteArray("\xD0\xC2"
                                             "1"));
    EXPECT_EQ(tables.person(703), gbk("新2"));
    EXPECT_EQ(tables.person(799), gbk("新98"));
    EXPECT_EQ(tables.face(0), "f0");
    EXPECT_EQ(tables.face(685), "f685");
    EXPECT_EQ(tables.city(49), "c49");
}

TEST_F(NameLists, ExtraWordsAreIgnoredAndEachListStartsAfresh)
{
    putAll(words("p", 703), words("f", 700), words("c", 60));
    load();
    EXPECT_EQ(tables.person(701), "p701");
    EXPECT_EQ(tables.person(702), gbk("新1"));
    EXPECT_EQ(tables.face(0), "f0");
    EXPECT_EQ(tables.city(0), "c0");
    EXPECT_EQ(tables.city(49), "c49");
}

TEST_F(NameLists, AnyWhiteSpaceSeparatesWordsAndLinesDoNotMatter)
{
    const QByteArray chinese = gbk("张飞 关羽\r\n刘\n备");
    putAll("  a b\t\tc\r\nd\v\fe\n\n" + chinese, words("f", 686), words("c", 50));
    load();
    const QByteArray expected[] = {"a",         "b",         "c",       "d",      "e",
                                   gbk("张飞"), gbk("关羽"), gbk("刘"), gbk("备")};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(tables.person(i), expected[i]) << i;
}

TEST_F(NameLists, LongWordsAreCutToFifteenBytesAtACharacterBoundary)
{
    const QByteArray ascii20 = "abcdefghijklmnopqrst";
    const QByteArray eightHan = gbk("一二三四五六七八");           // 16 bytes
    const QByteArray oddThenHan = "a" + gbk("一二三四五六七八");   // 17 bytes
    const QByteArray hanAtTheCut = "abcdefghijklmn" + gbk("中文"); // 14 + 4
    const QByteArray exactly15 = "a" + gbk("一二三四五六七");      // 15 bytes
    putAll(ascii20 + " " + eightHan + " " + oddThenHan + " " + hanAtTheCut + " " + exactly15,
           words("f", 686), words("c", 50));
    load();
    // The rest of a cut word is dropped, not read as the next name.
    EXPECT_EQ(tables.person(0), "abcdefghijklmno");
    EXPECT_EQ(tables.person(1), gbk("一二三四五六七"));
    EXPECT_EQ(tables.person(2), "a" + gbk("一二三四五六七"));
    EXPECT_EQ(tables.person(3), "abcdefghijklmn");
    EXPECT_EQ(tables.person(4), exactly15);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(FromGbk(tables.person(i)).contains(QChar::ReplacementCharacter)) << i;
}

TEST_F(NameLists, ShortListsRepeatTheLastWordAcrossLists)
{
    putAll("x y z", "", "c0 c1");
    load();
    EXPECT_EQ(tables.person(2), "z");
    EXPECT_EQ(tables.person(3), "z");
    EXPECT_EQ(tables.person(701), "z");
    EXPECT_EQ(tables.person(702), gbk("新1"));
    EXPECT_EQ(tables.face(0), "z");
    EXPECT_EQ(tables.face(685), "z");
    EXPECT_EQ(tables.city(1), "c1");
    EXPECT_EQ(tables.city(49), "c1");
}

TEST_F(NameLists, NameListWithoutWordsGivesEmptyNamesEvenAfterAnEarlierLoad)
{
    putAll(words("p", 702), words("f", 686), words("c", 50));
    load();
    EXPECT_EQ(tables.personText(0), QStringLiteral("p0")); // decoded now, and kept
    put(QStringLiteral("name.txt"), " \r\n\t ");
    EXPECT_TRUE(load().isEmpty());
    EXPECT_TRUE(tables.person(0).isEmpty());
    EXPECT_TRUE(tables.personText(0).isEmpty());
    EXPECT_TRUE(tables.person(701).isEmpty());
    EXPECT_EQ(tables.person(799), gbk("新98"));
    EXPECT_EQ(tables.face(0), "f0");
}

TEST_F(NameLists, MissingListsLeaveEmptyTablesAndAreNamed)
{
    putAll(words("p", 702), words("f", 686), words("c", 50));
    load();
    QFile::remove(dir_.filePath(QStringLiteral("name.txt")));
    QFile::remove(dir_.filePath(QStringLiteral("city.txt")));
    const QString warning = load();
    EXPECT_TRUE(warning.contains(QStringLiteral("name.txt"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("city.txt"))) << warning.toStdString();
    EXPECT_FALSE(warning.contains(QStringLiteral("face.txt"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QDir::toNativeSeparators(dir_.path())));
    EXPECT_TRUE(tables.person(0).isEmpty());
    EXPECT_TRUE(tables.person(701).isEmpty());
    EXPECT_EQ(tables.person(702), gbk("新1"));
    EXPECT_EQ(tables.face(0), "f0");
    EXPECT_TRUE(tables.city(0).isEmpty());
    EXPECT_TRUE(tables.city(49).isEmpty());

    const QString none = tables.load({});
    EXPECT_TRUE(none.contains(QStringLiteral("face.txt")));
    EXPECT_TRUE(tables.face(685).isEmpty());
}

TEST_F(NameLists, AListThatIsFoundButCannotBeReadIsNotCalledMissing)
{
    putAll(words("p", 702), words("f", 686), words("c", 50));
    QFile::remove(dir_.filePath(QStringLiteral("face.txt")));
    // A folder in the list's place cannot be read, even by root.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("face.txt")));
    const QString warning = load();
    EXPECT_TRUE(
        warning.contains(QDir::toNativeSeparators(dir_.filePath(QStringLiteral("face.txt")))))
        << warning.toStdString();
    EXPECT_FALSE(warning.contains(QStringLiteral("找不到"))) << warning.toStdString();
    EXPECT_TRUE(tables.face(0).isEmpty());
    EXPECT_EQ(tables.city(0), "c0");
}

TEST_F(NameLists, FoldersAreSearchedInOrderPerList)
{
    QTemporaryDir second;
    put(QStringLiteral("name.txt"), "first");
    put(QStringLiteral("name.txt"), "second", &second);
    put(QStringLiteral("face.txt"), "face2", &second);
    put(QStringLiteral("city.txt"), "city2", &second);
    EXPECT_TRUE(tables.load({dir_.path(), second.path()}).isEmpty());
    EXPECT_EQ(tables.person(0), "first");
    EXPECT_EQ(tables.face(0), "face2");
    EXPECT_EQ(tables.city(0), "city2");

    tables.load({second.path(), dir_.path()});
    EXPECT_EQ(tables.person(0), "second");
}

TEST(NameListDirs, WorkingDirectoryComesFirst)
{
    const QStringList dirs = NameListDirs();
    ASSERT_FALSE(dirs.isEmpty());
    EXPECT_EQ(dirs.first(), QDir::currentPath());
}

TEST(Gbk, CutNeverSplitsACharacter)
{
    const QByteArray han = gbk("中文字");
    EXPECT_EQ(CutGbk(han, 6), han);
    EXPECT_EQ(CutGbk(han, 5), gbk("中文"));
    EXPECT_EQ(CutGbk("ab" + han, 3), "ab");
    EXPECT_EQ(CutGbk(han, 0), "");
    // A lone lead byte at the end counts as one byte and is kept if it fits.
    EXPECT_EQ(CutGbk("ab\x81", 3), "ab\x81");
    EXPECT_EQ(FromGbk(gbk("张飞")), QStringLiteral("张飞"));
}

} // namespace
} // namespace veldor
