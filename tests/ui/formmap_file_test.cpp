#include "mapfixture.h"

#include "support/scenariofiles.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace veldor::test {
namespace {

using MapFile = MapWindow;

QColor textColor(const QAbstractButton* button)
{
    return button->palette().color(QPalette::ButtonText);
}

// A scenario whose first cities cover every way a button can be painted.
void paintCases(ScenarioTables& t)
{
    t.cities.Forc[0] = 3; // force without a sovereign
    t.forces.King[3] = kNone;
    t.cities.Forc[1] = kNone; // no force
    t.cities.Forc[2] = 60;    // past the table: no force either
    t.cities.Forc[3] = 7;     // generated name
    t.forces.King[7] = 750;
    t.cities.Forc[4] = 9; // named sovereign
    t.forces.King[9] = 10;
    t.cities.Forc[5] = 12; // ASCII names, set by the test
    t.forces.King[12] = 20;
    t.cities.Forc[6] = 13;
    t.forces.King[13] = 21;
    t.cities.Forc[7] = 49; // last force, sovereign index past the table
    t.forces.King[49] = 800;
}

TEST_F(MapFile, OpenSetsTitleAndPaintsEveryKindOfButton)
{
    map->Store().Names().setPerson(20, QByteArrayLiteral("Abc"));
    map->Store().Names().setPerson(21, QByteArrayLiteral("Z"));
    const QString path = writeScenario(QStringLiteral("D_Sce01.kqx"), 1, paintCases);
    openThroughDialog(path);

    EXPECT_TRUE(answers->messages.isEmpty()) << answers->messages.join(u'\n').toStdString();
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(map->windowTitle(), QStringLiteral("Veldor剧本修改器V1.0--Orlen制作--") + path);
    EXPECT_EQ(map->Store().FileName(), path);
    EXPECT_EQ(storeBytes(), tablesOfFile(path));

    struct Expected
    {
        QString text;
        QColor color;
    };
    const Expected expected[] = {
        {QStringLiteral("空"), QColor(0x906800)},
        {QStringLiteral("空"), Qt::white},
        {QStringLiteral("空"), Qt::white},
        {QStringLiteral("新"), QColor(0xFFF800)},
        {FromGbk(map->Store().Names().person(10)).left(1), QColor(0x009870)},
        {QStringLiteral("Ab"), QColor(0xC0A8E0)},
        {QStringLiteral("Z "), QColor(0x6F0040)},
        {QStringLiteral("空"), QColor(0xF0783F)},
    };
    for (int city = 0; city < 8; ++city) {
        SCOPED_TRACE(city);
        EXPECT_EQ(cityButton(city)->text(), expected[city].text);
        EXPECT_EQ(textColor(cityButton(city)), expected[city].color);
    }
    EXPECT_FALSE(expected[4].text.isEmpty());
    EXPECT_NE(expected[4].text, QStringLiteral("空"));
}

TEST_F(MapFile, ASecondOpenReplacesTitleAndStore)
{
    const QString first = writeScenario(QStringLiteral("D_Sce01.kqx"), 1);
    const QString second = writeScenario(QStringLiteral("D_Sce02.kqx"), 2);
    openThroughDialog(first);
    openThroughDialog(second);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(second));
    EXPECT_EQ(storeBytes(), tablesOfFile(second));
}

TEST_F(MapFile, CancellingTheDialogKeepsEverything)
{
    const QString path = writeScenario(QStringLiteral("D_Sce01.kqx"), 1, paintCases);
    openThroughDialog(path);
    map->Store().cities.Forc[0] = kNone; // an applied change must survive the cancel
    const QByteArray before = storeBytes();
    const QString caption = cityButton(0)->text();

    openThroughDialog(QString());
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(storeBytes(), before);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    EXPECT_EQ(map->Store().FileName(), path);
    EXPECT_EQ(cityButton(0)->text(), caption);
    EXPECT_TRUE(answers->messages.isEmpty());
}

TEST_F(MapFile, ReloadDropsAppliedChangesAndRepaints)
{
    const QString path = writeScenario(QStringLiteral("D_Sce01.kqx"), 1, paintCases);
    openThroughDialog(path);
    map->Store().cities.Forc[0] = kNone;
    map->Store().persons.WuLi[5] = 1234;
    map->RefreshCityMap();
    ASSERT_EQ(textColor(cityButton(0)), QColor(Qt::white));

    button(QStringLiteral("Button57"))->click();
    EXPECT_TRUE(answers->messages.isEmpty());
    EXPECT_EQ(storeBytes(), tablesOfFile(path));
    EXPECT_EQ(textColor(cityButton(0)), QColor(0x906800));
}

TEST_F(MapFile, SaveWritesExactlyTheStoreAndTwiceTheSame)
{
    const QString path = writeScenario(QStringLiteral("D_Sce01.kqx"), 1);
    openThroughDialog(path);
    const QByteArray original = ReadBytes(path);
    map->Store().cities.PingMin[4] = 424242;
    map->Store().forces.King[2] = 17;
    map->Store().persons.Faith[799][49] = 77;

    button(QStringLiteral("Button54"))->click();
    EXPECT_TRUE(answers->messages.isEmpty()) << answers->messages.join(u'\n').toStdString();
    const QByteArray saved = ReadBytes(path);
    EXPECT_EQ(saved.size(), original.size());
    EXPECT_EQ(tablesOfFile(path), storeBytes());

    map->findChild<QAction*>(QStringLiteral("S1"))->trigger();
    EXPECT_EQ(ReadBytes(path), saved);
}

// Each refusal is one message naming the file, and nothing else moves.
class MapRefusal : public MapWindow
{
protected:
    void SetUp() override
    {
        MapWindow::SetUp();
        good = writeScenario(QStringLiteral("D_Sce01.kqx"), 1, paintCases);
        openThroughDialog(good);
        map->Store().cities.Forc[0] = kNone; // applied, not saved
        map->RefreshCityMap();
        storeBefore = storeBytes();
        titleBefore = map->windowTitle();
        fileBefore = ReadBytes(good);
    }
    void expectOneMessageAndNothingChanged(const QString& named)
    {
        ASSERT_EQ(answers->messages.size(), 1);
        EXPECT_TRUE(answers->messages[0].contains(QDir::toNativeSeparators(named)))
            << answers->messages[0].toStdString();
        EXPECT_EQ(storeBytes(), storeBefore);
        EXPECT_EQ(map->windowTitle(), titleBefore);
        EXPECT_EQ(map->Store().FileName(), good);
        EXPECT_EQ(textColor(cityButton(0)), QColor(Qt::white));
    }
    QString good;
    QByteArray storeBefore;
    QString titleBefore;
    QByteArray fileBefore;
};

TEST_F(MapRefusal, OpenOfAMissingFile)
{
    const QString missing = dir.filePath(QStringLiteral("D_Sce99.kqx"));
    openThroughDialog(missing);
    expectOneMessageAndNothingChanged(missing);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(MapRefusal, OpenOfAFileTooShort)
{
    const QString shortFile = dir.filePath(QStringLiteral("D_Sce98.kqx"));
    WriteBytes(shortFile, QByteArray(719711, 'x'));
    openThroughDialog(shortFile);
    expectOneMessageAndNothingChanged(shortFile);
    EXPECT_TRUE(answers->messages[0].contains(QStringLiteral("719711")) ||
                answers->messages[0].contains(QStringLiteral("719,711")))
        << "the message gives the size found";
    EXPECT_EQ(ReadBytes(shortFile).size(), 719711);
}

TEST_F(MapRefusal, OpenOfAFolder)
{
    openThroughDialog(dir.path());
    expectOneMessageAndNothingChanged(dir.path());
}

TEST_F(MapRefusal, ReloadOfAFileThatWentAway)
{
    ASSERT_TRUE(QFile::remove(good));
    button(QStringLiteral("Button57"))->click();
    expectOneMessageAndNothingChanged(good);
}

TEST_F(MapRefusal, SaveOfAFileThatWentAwayCreatesNothing)
{
    ASSERT_TRUE(QFile::remove(good));
    button(QStringLiteral("Button54"))->click();
    // Said in the question that offers Save As; declined, it leaves everything as it was.
    EXPECT_EQ(answers->questions, QStringList{QStringLiteral("FileGoneQuestion")});
    EXPECT_TRUE(answers->messages.isEmpty());
    EXPECT_EQ(storeBytes(), storeBefore);
    EXPECT_EQ(map->windowTitle(), titleBefore);
    EXPECT_FALSE(QFile::exists(good));
}

TEST_F(MapRefusal, SaveOverAFileThatShrankLeavesItAlone)
{
    WriteBytes(good, fileBefore.left(1000));
    map->findChild<QAction*>(QStringLiteral("S1"))->trigger();
    expectOneMessageAndNothingChanged(good);
    EXPECT_EQ(ReadBytes(good), fileBefore.left(1000));
}

TEST_F(MapFile, DroppingAFileOpensItLikeTheDialog)
{
    const QString path = writeScenario(QStringLiteral("dropped.bin"), 3, paintCases);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &drop);
    QTRY_COMPARE(map->Store().FileName(), path);
    EXPECT_EQ(dialogRuns, 0);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    EXPECT_EQ(cityButton(3)->text(), QStringLiteral("新"));
}

TEST_F(MapFile, DropsOfSeveralFilesOrNonFilesAreRefused)
{
    QMimeData two;
    two.setUrls(
        {QUrl::fromLocalFile(QStringLiteral("/a")), QUrl::fromLocalFile(QStringLiteral("/b"))});
    QDragEnterEvent enterTwo(QPoint(10, 10), Qt::CopyAction, &two, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &enterTwo);
    EXPECT_FALSE(enterTwo.isAccepted());

    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/D_Sce01.kqx"))});
    QDragEnterEvent enterWeb(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, {});
    QApplication::sendEvent(map.get(), &enterWeb);
    EXPECT_FALSE(enterWeb.isAccepted());
}

} // namespace
} // namespace veldor::test
