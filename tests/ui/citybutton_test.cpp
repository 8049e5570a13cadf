#include "mapfixture.h"

#include "data/gbk.h"
#include "data/nametables.h"
#include "ui/citymap.h"
#include "ui/contrast.h"

#include <QAbstractButton>
#include <QImage>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace veldor::test {
namespace {

TEST(Contrast, MatchesTheWcagFigures)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x777777), Qt::white), 4.48, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0xFFF800), QColor(0xEFEFEF)), 1.02, 0.01);
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::red, Qt::blue), ContrastRatio(Qt::blue, Qt::red));
}

// The button as the window paints it, over the map.
QImage rendered(QAbstractButton* button, qreal scale)
{
    QImage image(button->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    button->parentWidget()->render(&image, QPoint(), QRegion(button->geometry()));
    return image;
}

bool near(QRgb pixel, const QColor& color, int tolerance)
{
    return std::abs(qRed(pixel) - color.red()) <= tolerance &&
           std::abs(qGreen(pixel) - color.green()) <= tolerance &&
           std::abs(qBlue(pixel) - color.blue()) <= tolerance;
}

struct MarkReading
{
    int textPixels = 0;
    double contrast = 0; // of the text against its surround, the median over the ring
};

// Distance (in pixels, diagonal steps counting one) from each pixel to the nearest `in` one.
std::vector<int> distances(const std::vector<bool>& in, int w, int h)
{
    std::vector<int> d(in.size(), w + h);
    for (size_t i = 0; i < in.size(); ++i)
        if (in[i])
            d[i] = 0;
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                            continue;
                        int& here = d[size_t(y) * w + x];
                        const int there = d[size_t(ny) * w + nx] + 1;
                        if (there < here) {
                            here = there;
                            changed = true;
                        }
                    }
    }
    return d;
}

// Text pixels are those of the mark's own colour. What immediately surrounds the text is the
// ring of pixels just past its antialiased edge: `scale` + 1 to 2 * `scale` pixels away. The
// reading is the median contrast of that ring against the mark.
MarkReading readMark(const QImage& image, const QColor& mark, int scale)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<bool> text(size_t(w) * h);
    MarkReading reading;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (near(image.pixel(x, y), mark, 8)) {
                text[size_t(y) * w + x] = true;
                ++reading.textPixels;
            }
    const std::vector<int> away = distances(text, w, h);
    std::vector<double> ratios;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int d = away[size_t(y) * w + x];
            if (d > scale && d <= 2 * scale)
                ratios.push_back(ContrastRatio(QColor(image.pixel(x, y)), mark));
        }
    std::sort(ratios.begin(), ratios.end());
    if (!ratios.empty())
        reading.contrast = ratios[ratios.size() / 2];
    return reading;
}

class CityMarks : public MapWindow
{
protected:
    void SetUp() override
    {
        MapWindow::SetUp();
        for (int p = 0; p < kFirstSovereign + kForces; ++p)
            saved_.push_back(PrsnNames[p]);
        // Dense characters leave the least room between strokes.
        const char* names[] = {"龚", "薛", "霍", "魏", "鲍"};
        for (int f = 0; f < kForces; ++f)
            PrsnNames[kFirstSovereign + f] = ToGbk(QString::fromUtf8(names[f % 5]));
    }
    void TearDown() override
    {
        for (int p = 0; p < int(saved_.size()); ++p)
            PrsnNames[p] = saved_[size_t(p)];
        MapWindow::TearDown();
    }

    // Every mark at scale 1 and 2: the text still shows in its own colour, and reaches 3:1
    // against what surrounds it.
    void expectReadable(int city, const QColor& color)
    {
        QAbstractButton* button = cityButton(city);
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), color);
        for (const qreal scale : {1.0, 2.0}) {
            SCOPED_TRACE(scale);
            const MarkReading reading = readMark(rendered(button, scale), color, int(scale));
            EXPECT_GE(reading.textPixels, int(12 * scale * scale)) << "the colour is kept";
            EXPECT_GE(reading.contrast, 3.0);
        }
    }

    static constexpr int kFirstSovereign = 100;
    std::vector<QByteArray> saved_;
};

TEST_F(CityMarks, EveryForceColourReadsAtOneAndTwiceTheScale)
{
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 3, [](ScenarioTables& t) {
        for (int c = 0; c < kCities; ++c) {
            t.cities.Forc[c] = uint16_t(c);
            t.forces.King[c] = uint16_t(kFirstSovereign + c);
        }
    }));
    ASSERT_TRUE(answers->messages.isEmpty());
    for (int city = 0; city < kCities; ++city) {
        SCOPED_TRACE(city);
        expectReadable(city, ForceColor(uint16_t(city)));
    }
}

TEST_F(CityMarks, TheWhiteOfAnUnheldCityReads)
{
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 4,
                                    [](ScenarioTables& t) { t.cities.Forc[0] = kNone; }));
    ASSERT_EQ(cityButton(0)->text(), QStringLiteral("空"));
    expectReadable(0, Qt::white);
}

TEST_F(CityMarks, AMarkThatReadsOnTheStylesFaceKeepsIt)
{
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 5, [](ScenarioTables& t) {
        t.cities.Forc[0] = 0;
        t.forces.King[0] = kFirstSovereign;
    }));
    QAbstractButton* city = cityButton(0);
    const QImage ours[] = {rendered(city, 1), rendered(city, 2)};
    // A plain button in the same place, with everything the window gave the city's.
    QPushButton plain(city->text(), city->parentWidget());
    plain.setGeometry(city->geometry());
    plain.setFont(city->font());
    plain.setPalette(city->palette());
    plain.stackUnder(city);
    plain.show();
    city->hide();
    EXPECT_EQ(ours[0], rendered(&plain, 1));
    EXPECT_EQ(ours[1], rendered(&plain, 2));
}

} // namespace
} // namespace veldor::test
