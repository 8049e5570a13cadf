#include "ui/mappicture.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

namespace veldor {
namespace {

TEST(MapPicture, TheBuiltInMapDecodesAtItsSize)
{
    QString error;
    const QImage map = MapPicture(error);
    ASSERT_FALSE(map.isNull()) << error.toStdString();
    EXPECT_EQ(map.size(), QSize(586, 526));
    EXPECT_FALSE(IconPicture().isNull());
}

TEST(MapPicture, MatchesQtsOwnDecoder)
{
    QFile file(QStringLiteral(":/map.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QString error;
    const QImage ours = DecodeJpeg(bytes, error);
    const QImage qts = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB888);
    if (qts.isNull())
        GTEST_SKIP() << "no JPEG plugin";
    EXPECT_EQ(ours, qts);
}

TEST(MapPicture, BrokenDataReportsInsteadOfEndingTheProgram)
{
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("not a picture at all"), QByteArray(4096, '\xFF'),
          QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11)}) {
        QString error;
        EXPECT_TRUE(DecodeJpeg(bytes, error).isNull());
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(MapPicture, ATruncatedPictureStillGivesAnImage)
{
    QFile file(QStringLiteral(":/map.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString error;
    const QImage half = DecodeJpeg(file.readAll().left(20000), error);
    EXPECT_EQ(half.size(), QSize(586, 526));
}

} // namespace
} // namespace veldor
