#include "ui/widgets/numberedit.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using veldor::NumberEdit;

TEST(NumberEdit, CorrectsEveryChangeAndReportsTheValue)
{
    NumberEdit edit(100, 0);
    edit.setFallback(37);
    QSignalSpy edited(&edit, &NumberEdit::Edited);
    edit.setText(QStringLiteral("250"));
    EXPECT_EQ(edit.text(), QStringLiteral("100"));
    edit.setText(QStringLiteral("abc"));
    EXPECT_EQ(edit.text(), QStringLiteral("37"));
    edit.setText(QString());
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    ASSERT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.at(0).at(0).toInt(), 100);
    EXPECT_EQ(edited.at(1).at(0).toInt(), 37);
    EXPECT_EQ(edited.at(2).at(0).toInt(), 0);
    edit.setText(QStringLiteral("0")); // same text: nothing runs
    EXPECT_EQ(edited.count(), 3);
}

TEST(NumberEdit, TypedLettersFallBack)
{
    NumberEdit edit(100, 0);
    edit.setFallback(12);
    edit.setValue(12);
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
}
