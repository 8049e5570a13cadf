#include "mapfixture.h"

#include "ui/widgets/mapimage.h"
#include "ui/widgets/mappicture.h"

namespace veldor::test {
namespace {

using MapOnScreen = MapWindow;

// The picture made for the screen in use, cut to the control at its top-left corner, pixel
// for pixel; the suite also runs at a device pixel ratio of 2.
TEST_F(MapOnScreen, ImageShowsThePictureForItsScreenUnscaled)
{
    auto* image = map->findChild<MapImage*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    const int scale = MapPictureScale(image->devicePixelRatioF());
    EXPECT_EQ(scale, image->devicePixelRatioF() > 1 ? 2 : 1);
    EXPECT_EQ(image->pixmap().devicePixelRatio(), scale);
    EXPECT_EQ(image->pixmap().deviceIndependentSize(), QSizeF(586, 526));

    QString error;
    const QImage picture = MapPicture(error, scale);
    const QImage shown = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(585, 521) * scale);
    EXPECT_EQ(shown,
              picture.copy(0, 0, 585 * scale, 521 * scale).convertToFormat(QImage::Format_RGB32));
}

// A window moved to a screen of another kind draws from the picture made for it.
TEST(MapImageScale, APictureForAnotherScreenIsReplacedWhenPainted)
{
    MapImage image;
    image.resize(585, 521);
    const int here = MapPictureScale(image.devicePixelRatioF());
    const int other = here == 1 ? 2 : 1;
    QString error;
    image.setPicture(MapPicture(error, other), other);
    ASSERT_EQ(image.pixmap().devicePixelRatio(), other);
    image.grab();
    EXPECT_EQ(image.pixmap().devicePixelRatio(), here);
    EXPECT_EQ(image.pixmap().deviceIndependentSize(), QSizeF(586, 526));
}

// Desktops scaled to 125 % or 150 % draw from the sharp picture, not a blown-up 1x one.
TEST(MapImageScale, FractionalScalingDrawsFromTheSharpPicture)
{
    EXPECT_EQ(MapPictureScale(1.0), 1);
    for (qreal ratio : {1.25, 1.5, 2.0, 3.0})
        EXPECT_EQ(MapPictureScale(ratio), 2) << ratio;
}

} // namespace
} // namespace veldor::test
