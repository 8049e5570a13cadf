#include "tools/sce/csv.h"

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

std::vector<CsvRow> parsed(const QString& text)
{
    std::vector<CsvRow> rows;
    CsvError error;
    EXPECT_TRUE(ParseCsv(text, rows, error)) << error.message.toStdString();
    return rows;
}

TEST(Csv, AwkwardFieldsSurviveWriteAndRead)
{
    const QStringList awkward = {QStringLiteral("张三"),       QStringLiteral("a,b"),
                                 QStringLiteral("say \"hi\""), QStringLiteral("two\r\nlines"),
                                 QStringLiteral(" padded "),   QString(),
                                 QStringLiteral("-1")};
    const QString text = CsvRecord({QStringLiteral("x"), QStringLiteral("y")}) + CsvRecord(awkward);
    EXPECT_TRUE(text.startsWith(QStringLiteral("x,y\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"say \"\"hi\"\"\"")));
    const std::vector<CsvRow> rows = parsed(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].texts(), awkward);
    EXPECT_EQ(rows[1].line, 2);
    // The field after the one with a line break starts a line further down.
    EXPECT_EQ(rows[1].lines[4], 3);
}

TEST(Csv, AcceptsBareLineFeedsAndSkipsEmptyLines)
{
    const std::vector<CsvRow> rows = parsed(QStringLiteral("a,b\n\n1,2\r\n\r\n3,\n"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].texts(), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(rows[1].line, 3);
    EXPECT_EQ(rows[2].texts(), QStringList({QStringLiteral("3"), QString()}));
    EXPECT_EQ(rows[2].line, 5);
    EXPECT_EQ(parsed(QStringLiteral("a,b")).size(), 1u) << "last record without a line end";
}

TEST(Csv, MalformedQuotesAreRefusedWithTheirPlace)
{
    struct Case
    {
        const char* text;
        int line, column;
    };
    const Case cases[] = {
        {"a,b\n1,\"open\n2,3\n", 2, 2}, // never closed: reported where it opened
        {"a,b\n1,2\"x\n", 2, 2},        // quote inside a plain field
        {"a,b\n\"x\"y,2\n", 2, 1},      // text after the closing quote
        {"a,b\n1,\"x\ny\"z,3\n", 3, 2}, // ... on the field's second line
    };
    for (const Case& c : cases) {
        std::vector<CsvRow> rows;
        CsvError error;
        EXPECT_FALSE(ParseCsv(QString::fromUtf8(c.text), rows, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.column, c.column) << c.text;
        EXPECT_FALSE(error.message.isEmpty());
    }
}

} // namespace
} // namespace veldor::test
