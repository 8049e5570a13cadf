#include "mapfixture.h"

#include "ui/widgets/deferredicons.h"

#include <QImage>
#include <QMenuBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace veldor::test {
namespace {

QImage pixelsOf(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

class DeferredIconFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(QColor(0x30, 0x70, 0xC0, 0x80));
        image.setPixelColor(3, 5, Qt::red);
        ASSERT_TRUE(image.save(path, "PNG"));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mark.png"));
};

TEST_F(DeferredIconFiles, AnIconMadeWhileDeferredReadsItsFileWhenDrawn)
{
    const int made = DeferredIcons::Made(), read = DeferredIcons::Read();
    QIcon icon;
    {
        const DeferredIcons deferred;
        icon.addFile(path);
    }
    EXPECT_EQ(DeferredIcons::Made(), made + 1);
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(DeferredIcons::Read(), read);
    EXPECT_EQ(pixelsOf(icon), pixelsOf(QIcon(path)));
    EXPECT_EQ(DeferredIcons::Read(), read + 1);
    EXPECT_EQ(DeferredIcons::Made(), made + 1) << "outside the scope icons are Qt's own";
}

TEST_F(DeferredIconFiles, AButtonTakesItsRealIconAsItIsShown)
{
    const int read = DeferredIcons::Read();
    QToolButton button;
    {
        const DeferredIcons deferred;
        button.setIcon(QIcon(path));
    }
    LoadIconWhenShown(&button, [this] { return QIcon(path); });
    button.show();
    EXPECT_EQ(pixelsOf(button.icon()), pixelsOf(QIcon(path)));
    EXPECT_EQ(DeferredIcons::Read(), read) << "the deferred icon was replaced unread";
}

using MapMenuBar = MapWindow;

TEST_F(MapMenuBar, ReadsNoIconUntilItsExtensionButtonShows)
{
    const int made = DeferredIcons::Made();
    TFMap another;
    EXPECT_EQ(DeferredIcons::Made(), made + 1);
    const int read = DeferredIcons::Read();
    // The fixture's window was built, shown and painted.
    auto* extension =
        map->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_NE(extension, nullptr);
    EXPECT_FALSE(extension->isVisible());
    EXPECT_FALSE(extension->icon().isNull());
    EXPECT_EQ(DeferredIcons::Read(), read);
    extension->show();
    const QIcon standard = map->menuBar()->style()->standardIcon(
        QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, map->menuBar());
    EXPECT_EQ(pixelsOf(extension->icon()), pixelsOf(standard));
    EXPECT_EQ(DeferredIcons::Read(), read);
}

} // namespace
} // namespace veldor::test
