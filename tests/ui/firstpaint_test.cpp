#include "support/scenariofiles.h"

#include "ui/app/startup.h"
#include "ui/windows/formmap.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldor::test {
namespace {

// Whether the store had kept the bytes outside the tables when the window was first painted.
class KeptAtFirstPaint : public QObject
{
public:
    explicit KeptAtFirstPaint(TFMap* map) : map_(map) { map->installEventFilter(this); }
    bool painted = false;
    bool keptThen = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            keptThen = map_->Store().File().BytesOutsideTablesKept();
        }
        return false;
    }

private:
    TFMap* map_;
};

class MapStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        WriteBytes(path, RandomScenarioBytes(5));
    }
    // Runs the event loop until the store keeps the bytes outside the tables, for at most
    // a second.
    bool keptSoon()
    {
        QElapsedTimer waited;
        waited.start();
        while (!map->Store().File().BytesOutsideTablesKept() && waited.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return map->Store().File().BytesOutsideTablesKept();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("D_Sce01.kqx"));
    std::unique_ptr<TFMap> map{CreateWindows().FMap};
};

TEST_F(MapStart, AFileOpenedAsTheWindowShowsIsReadInFullOnlyAfterItsFirstPaint)
{
    const KeptAtFirstPaint watch(map.get());
    map->show();
    map->OpenScenarioFile(path);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map.get()));
    EXPECT_TRUE(keptSoon());
    EXPECT_TRUE(watch.painted);
    EXPECT_FALSE(watch.keptThen);
}

TEST_F(MapStart, AHiddenWindowDoesNotWaitForAPaint)
{
    map->OpenScenarioFile(path);
    EXPECT_TRUE(keptSoon());
}

} // namespace
} // namespace veldor::test
