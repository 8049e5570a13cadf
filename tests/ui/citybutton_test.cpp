#include "mapfixture.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "ui/widgets/citybutton.h"
#include "ui/widgets/citymap.h"
#include "ui/widgets/contrast.h"

#include <QAbstractButton>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace veldor::test {
namespace {

TEST(Contrast, MatchesTheWcagFigures)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x777777), Qt::white), 4.48, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0xEFEFEF), QColor(0xFFF800)), 1.02, 0.01);
}

// The button as the window paints it, over the map.
QImage rendered(QWidget* button, qreal scale)
{
    QImage image(button->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    button->parentWidget()->render(&image, QPoint(), QRegion(button->geometry()));
    return image;
}

// The median contrast against `mark` of what immediately surrounds its text: the ring of
// pixels just past the antialiased edge, `scale` + 1 to 2 * `scale` pixels (diagonal steps
// counting one) from the nearest pixel of the mark's own colour.
double surroundContrast(const QImage& image, const QColor& mark, int scale, int& textPixels)
{
    const auto isText = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return std::max({std::abs(qRed(p) - mark.red()), std::abs(qGreen(p) - mark.green()),
                         std::abs(qBlue(p) - mark.blue())}) <= 8;
    };
    std::vector<double> ratios;
    textPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            int nearest = INT_MAX;
            for (int dy = -2 * scale; dy <= 2 * scale; ++dy)
                for (int dx = -2 * scale; dx <= 2 * scale; ++dx)
                    if (image.rect().contains(x + dx, y + dy) && isText(x + dx, y + dy))
                        nearest = std::min(nearest, std::max(std::abs(dx), std::abs(dy)));
            textPixels += nearest == 0;
            if (nearest > scale && nearest <= 2 * scale)
                ratios.push_back(ContrastRatio(QColor(image.pixel(x, y)), mark));
        }
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    return ratios.empty() ? 0 : ratios[ratios.size() / 2];
}

using CityMarks = MapWindow;

// Every force's colour and the white of an unheld city, at scale 1 and 2: the text still shows
// in its own colour and reaches 3:1 against what surrounds it. Dense characters leave the
// least room between strokes.
TEST_F(CityMarks, EveryColourReadsAtOneAndTwiceTheScale)
{
    for (int f = 0; f < 3; ++f)
        map->Store().Names().setPerson(100 + f, ToGbk(QString(QStringLiteral("龚薛霍")[f])));
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 3, [](ScenarioTables& t) {
        for (int c = 0; c < kCities; ++c) {
            t.cities.Forc[c] = uint16_t(c);
            t.forces.King[c] = uint16_t(100 + c % 3);
        }
    }));
    for (int city = 0; city <= kCities; ++city) {
        if (city == kCities) { // the white one
            map->Store().cities.Forc[0] = kNone;
            map->RefreshCityMap();
        }
        QAbstractButton* button = cityButton(city % kCities);
        const QColor mark = city < kCities ? ForceColor(uint16_t(city)) : QColor(Qt::white);
        ASSERT_EQ(button->palette().color(QPalette::ButtonText), mark);
        for (const int scale : {1, 2}) {
            SCOPED_TRACE(testing::Message() << mark.name().toStdString() << " at " << scale);
            int textPixels = 0;
            EXPECT_GE(surroundContrast(rendered(button, scale), mark, scale, textPixels), 3.0);
            EXPECT_GE(textPixels, 12 * scale * scale) << "the colour is kept";
        }
    }
}

// Where the colour reads on the style's face, the button is exactly a plain one.
TEST_F(CityMarks, AMarkThatReadsOnTheStylesFaceKeepsIt)
{
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 5,
                                    [](ScenarioTables& t) { t.cities.Forc[0] = 0; }));
    QAbstractButton* city = cityButton(0);
    const QImage ours[] = {rendered(city, 1), rendered(city, 2)};
    QPushButton plain(city->text(), city->parentWidget());
    plain.setGeometry(city->geometry());
    plain.setFont(city->font());
    plain.setPalette(city->palette());
    plain.show();
    city->hide();
    EXPECT_EQ(ours[0], rendered(&plain, 1));
    EXPECT_EQ(ours[1], rendered(&plain, 2));
}

// What a plain button shows with the face `city`'s mark calls for: what the city's button must
// show, whatever it keeps between paints.
void expectPaintedAsPlain(QAbstractButton* city)
{
    const QImage ours[] = {rendered(city, 1), rendered(city, 2)};
    QPushButton plain(city->text(), city->parentWidget());
    plain.setGeometry(city->geometry());
    plain.setFont(city->font());
    QPalette palette = city->palette();
    palette.setColor(QPalette::Button, CityButtonFace(palette.color(QPalette::ButtonText),
                                                      palette.color(QPalette::Button)));
    plain.setPalette(palette);
    plain.show();
    city->hide();
    EXPECT_EQ(ours[0], rendered(&plain, 1)) << city->text().toStdString();
    EXPECT_EQ(ours[1], rendered(&plain, 2)) << city->text().toStdString();
    city->show();
}

// A city changing hands between a colour that reads on the style's face and one that needs a
// face of its own, and back by undo: each time every face is the one its mark now calls for.
TEST_F(CityMarks, TheFaceFollowsTheMarkThroughEditsAndUndo)
{
    openThroughDialog(writeScenario(QStringLiteral("D_Sce01.kqx"), 7, [](ScenarioTables& t) {
        t.cities.Forc[0] = 0; // blue: the style's face
        t.cities.Forc[1] = 7; // yellow: a dark face
    }));
    expectPaintedAsPlain(cityButton(0));
    expectPaintedAsPlain(cityButton(1));
    map->Store().cities.Forc[0] = 7;
    map->Store().cities.Forc[1] = 0;
    map->EditorApplied(EditorKind::City);
    expectPaintedAsPlain(cityButton(0));
    expectPaintedAsPlain(cityButton(1));
    map->Undo();
    ASSERT_EQ(cityButton(0)->palette().color(QPalette::ButtonText), ForceColor(0));
    expectPaintedAsPlain(cityButton(0));
    expectPaintedAsPlain(cityButton(1));
}

} // namespace
} // namespace veldor::test
