#include "ui/widgets/buttoncaptions.h"
#include "ui/widgets/citybutton.h"
#include "ui/widgets/fonts.h"

#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace veldor::test {
namespace {

// The same mark twice, on like windows: drawn from the shared shaped lines and by the style.
class CaptionTwins : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cached = new CityButton(QString(), &cachedWindow, &captions);
        plain = new CityButton(QString(), &plainWindow);
        setAll(QStringLiteral("空"), QSize(20, 20));
    }
    void setAll(const QString& text, const QSize& size)
    {
        for (CityButton* button : {cached, plain}) {
            button->setText(text);
            button->setFont(SongFont(13, true));
            button->resize(size);
        }
    }
    static QImage painted(CityButton* button, qreal scale)
    {
        QImage image(button->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(QColor(0x8E, 0x7A, 0x55));
        button->render(&image);
        return image;
    }
    // Both twins painted alike at every scale; the number of scales drawn from the cache.
    int expectAlike(const char* what)
    {
        int fromCache = 0;
        for (const qreal scale : {1.0, 1.5, 2.0}) {
            const int before = captions.CachedDraws();
            EXPECT_EQ(painted(cached, scale), painted(plain, scale))
                << what << " \"" << qPrintable(cached->text()) << "\" at " << scale;
            fromCache += captions.CachedDraws() > before;
        }
        return fromCache;
    }

    ButtonCaptions captions;
    QWidget cachedWindow, plainWindow;
    CityButton* cached = nullptr;
    CityButton* plain = nullptr;
};

TEST_F(CaptionTwins, MarksAreTheStylesToThePixelInEverySizeAndState)
{
    for (const QString& text :
         {QStringLiteral("空"), QStringLiteral("鑫"), QStringLiteral("12"), QStringLiteral("Ab")})
        for (const QSize& size : {QSize(20, 20), QSize(19, 21), QSize(9, 9)}) {
            setAll(text, size);
            EXPECT_EQ(expectAlike("plain"), 3);
            for (CityButton* button : {cached, plain})
                button->setDown(true);
            EXPECT_EQ(expectAlike("pressed"), 3);
            for (CityButton* button : {cached, plain}) {
                button->setDown(false);
                button->setEnabled(false);
            }
            EXPECT_EQ(expectAlike("disabled"), 3);
            for (CityButton* button : {cached, plain})
                button->setEnabled(true);
        }
}

TEST_F(CaptionTwins, EachDistinctTextIsShapedOnce)
{
    QWidget window;
    std::vector<std::unique_ptr<CityButton>> buttons;
    for (const char* text : {"空", "李", "空", "空", "李", "空"}) {
        buttons.push_back(
            std::make_unique<CityButton>(QString::fromUtf8(text), &window, &captions));
        buttons.back()->setFont(SongFont(13, true));
        buttons.back()->resize(20, 20);
        painted(buttons.back().get(), 1);
    }
    EXPECT_EQ(captions.ShapedTexts(), 2);
    EXPECT_EQ(captions.CachedDraws(), 6);
}

TEST_F(CaptionTwins, MnemonicsSpacesAndEmptyTextsAreLeftToTheStyle)
{
    ASSERT_EQ(expectAlike("plain"), 3) << "the kind of button is trusted";
    for (const QString& text :
         {QStringLiteral("&A"), QStringLiteral("a b"), QStringLiteral("李 "), QString()}) {
        setAll(text, QSize(20, 20));
        EXPECT_EQ(expectAlike("left to the style"), 0);
    }
}

TEST_F(CaptionTwins, AnotherFontIsShapedAnew)
{
    expectAlike("bold");
    for (CityButton* button : {cached, plain})
        button->setFont(SongFont(15, false));
    EXPECT_EQ(expectAlike("regular, larger"), 3);
}

// A style whose labels sit a pixel lower than the common style's.
class LowerLabels : public QProxyStyle
{
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element != CE_PushButtonLabel)
            return QProxyStyle::drawControl(element, option, painter, widget);
        QStyleOptionButton lower = *qstyleoption_cast<const QStyleOptionButton*>(option);
        lower.rect.translate(0, 1);
        QProxyStyle::drawControl(element, &lower, painter, widget);
    }
};

TEST_F(CaptionTwins, AStyleThatDrawsLabelsOtherwiseKeepsItsOwnDrawing)
{
    LowerLabels style;
    for (CityButton* button : {cached, plain})
        button->setStyle(&style);
    EXPECT_EQ(expectAlike("lower"), 0);
}

} // namespace
} // namespace veldor::test
