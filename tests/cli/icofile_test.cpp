// The Windows icon file: a directory Windows can read, each entry a PNG of its size.
#include "tools/icofile/icofile.h"

#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

namespace veldor {
namespace {

struct IcoEntry
{
    int width = 0;
    int height = 0;
    int planes = 0;
    int bitsPerPixel = 0;
    quint32 size = 0;
    quint32 offset = 0;
};

quint16 word(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

IcoEntry entryOf(const QByteArray& ico, int index)
{
    const int at = 6 + 16 * index;
    return {quint8(ico[at]),   quint8(ico[at + 1]), word(ico, at + 4),
            word(ico, at + 6), dword(ico, at + 8),  dword(ico, at + 12)};
}

QImage imageOf(const QByteArray& ico, const IcoEntry& entry)
{
    return QImage::fromData(ico.mid(entry.offset, entry.size), "PNG");
}

QImage solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TEST(IcoFile, DirectoryListsEverySizeAsA32BitPngPackedAfterIt)
{
    const QList<int> sizes{16, 48, 256};
    const QByteArray ico = MakeIcoFile(solid(256, 256, Qt::red), sizes);
    ASSERT_GE(ico.size(), 6 + 16 * 3);
    EXPECT_EQ(word(ico, 0), 0);
    EXPECT_EQ(word(ico, 2), 1);
    ASSERT_EQ(word(ico, 4), 3);
    quint32 expectedOffset = 6 + 16 * 3;
    for (int k = 0; k < sizes.size(); ++k) {
        SCOPED_TRACE(sizes[k]);
        const IcoEntry entry = entryOf(ico, k);
        // 256 does not fit the byte: the format writes it as 0.
        EXPECT_EQ(entry.width, sizes[k] % 256);
        EXPECT_EQ(entry.height, sizes[k] % 256);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitsPerPixel, 32);
        EXPECT_EQ(entry.offset, expectedOffset);
        expectedOffset += entry.size;
        const QImage image = imageOf(ico, entry);
        EXPECT_EQ(image.size(), QSize(sizes[k], sizes[k]));
        EXPECT_EQ(image.pixelColor(sizes[k] / 2, sizes[k] / 2), QColor(Qt::red));
    }
    EXPECT_EQ(quint32(ico.size()), expectedOffset);
}

TEST(IcoFile, PictureThatIsNotSquareIsCentredOnAClearSquare)
{
    const QByteArray ico = MakeIcoFile(solid(4, 2, Qt::blue), {4});
    const QImage image = imageOf(ico, entryOf(ico, 0));
    ASSERT_EQ(image.size(), QSize(4, 4));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(3, 1), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(0, 2), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(3, 3).alpha(), 0);
}

TEST(IcoFile, RefusesWhatWindowsCouldNotShow)
{
    EXPECT_TRUE(MakeIcoFile(QImage(), {16}).isEmpty());
    EXPECT_TRUE(MakeIcoFile(solid(8, 8, Qt::red), {}).isEmpty());
    EXPECT_TRUE(MakeIcoFile(solid(8, 8, Qt::red), {16, 0}).isEmpty());
    EXPECT_TRUE(MakeIcoFile(solid(8, 8, Qt::red), {257}).isEmpty());
}

TEST(IcoFile, DefaultSizesRunFromTheTitleBarsToLargeExplorerViews)
{
    const QByteArray ico = MakeIcoFile(solid(256, 256, Qt::green));
    ASSERT_EQ(word(ico, 4), IcoFileSizes().size());
    EXPECT_EQ(IcoFileSizes().front(), 16);
    EXPECT_EQ(IcoFileSizes().back(), 256);
    EXPECT_TRUE(IcoFileSizes().contains(32));
    EXPECT_TRUE(IcoFileSizes().contains(48));
}

} // namespace
} // namespace veldor
