#include "ui/widgets/mappicture.h"
#include "ui/widgets/rawpicture.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>

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

// The pixels built in are the assets as the program's decoders read them, to the pixel.
TEST(MapPicture, TheReadyMadePixelsAreTheAssetsDecoded)
{
    QString error;
    QFile jpeg(QStringLiteral(":/map.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    const QImage decoded = DecodeJpeg(jpeg.readAll(), error);
    EXPECT_EQ(MapPicture(error, 1), decoded.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(
        IconPicture(),
        QImage(QStringLiteral(":/icon.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST(RawPicture, GivesBackThePictureWhereverItsBytesLie)
{
    QImage picture(7, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            picture.setPixel(x, y, qRgba(x * 30, y * 80, 200, x * 36));
    const QByteArray bytes = RawPictureBytes(picture);
    const QImage expected = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // One byte off a word boundary, as a resource may lie.
    QByteArray shifted(1, '\0');
    shifted += bytes;
    for (const uchar* at : {reinterpret_cast<const uchar*>(bytes.constData()),
                            reinterpret_cast<const uchar*>(shifted.constData()) + 1})
        EXPECT_EQ(RawPicture(at, bytes.size()), expected);
}

TEST(RawPicture, RefusesBytesWhoseHeadDoesNotFit)
{
    const QByteArray bytes = RawPictureBytes(QImage(4, 4, QImage::Format_RGB32));
    const auto read = [](const QByteArray& b) {
        return RawPicture(reinterpret_cast<const uchar*>(b.constData()), b.size());
    };
    ASSERT_FALSE(read(bytes).isNull());
    EXPECT_TRUE(read(bytes.left(bytes.size() - 1)).isNull()) << "cut short";
    EXPECT_TRUE(read(bytes + '\0').isNull()) << "too long";
    EXPECT_TRUE(read(bytes.left(15)).isNull()) << "no whole head";
    QByteArray other = bytes;
    other[0] = 'X';
    EXPECT_TRUE(read(other).isNull()) << "another mark";
    other = bytes;
    other[12] = char(QImage::Format_RGB888);
    EXPECT_TRUE(read(other).isNull()) << "a format of another pixel size";
}

// The mean difference per channel between `small` and `big` shrunk by half, with `big` moved
// by (dx, dy) of its own pixels first.
double halvedDifference(const QImage& small, const QImage& big, int dx, int dy)
{
    const QImage halved = big.copy(dx, dy, big.width(), big.height())
                              .scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB888);
    const QImage same = small.convertToFormat(QImage::Format_RGB888);
    double total = 0;
    for (int y = 2; y < small.height() - 2; ++y)
        for (int x = 2 * 3; x < (small.width() - 2) * 3; ++x)
            total += std::abs(same.constScanLine(y)[x] - halved.constScanLine(y)[x]);
    return total / ((small.height() - 4) * (small.width() - 4) * 3);
}

TEST(MapPicture, TheDoubleSizeMapIsTheSameMapInTheSamePlace)
{
    QString error;
    const QImage small = MapPicture(error, 1);
    const QImage big = MapPicture(error, 2);
    ASSERT_FALSE(big.isNull()) << error.toStdString();
    EXPECT_EQ(big.size(), QSize(1172, 1052));

    const double inPlace = halvedDifference(small, big, 0, 0);
    EXPECT_LT(inPlace, 4.0) << "the same colours, lines and coasts";
    // Moved by half a window pixel or a whole one, either way, the two pictures agree
    // clearly less: the double-size one is centred on the same places.
    for (const QPoint shift : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1),
                               QPoint(2, 0), QPoint(-2, 0), QPoint(0, 2), QPoint(0, -2)}) {
        const double moved = halvedDifference(small, big, shift.x(), shift.y());
        EXPECT_GT(moved, 1.2 * inPlace) << shift.x() << ", " << shift.y();
    }
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
