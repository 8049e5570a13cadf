// Two writers of one scenario take turns; one that cannot get its turn says so.

#include "data/files/scenariolock.h"
#include "data/session/scenariostore.h"
#include "support/scenariofiles.h"
#include "tempscenario.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldor {
namespace {

// Another process holding the scenario's lock for `ms` milliseconds from construction on.
class OtherWriter
{
public:
    OtherWriter(const QString& path, int ms)
    {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
            ::flock(fd, LOCK_EX);
            [[maybe_unused]] const ssize_t n = ::write(ready[1], "x", 1);
            ::usleep(useconds_t(ms) * 1000);
            ::_exit(0);
        }
        char c;
        EXPECT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~OtherWriter()
    {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_;
};

TEST(ScenarioLock, ASaveWaitsForTheOtherWriterThenSavesOnTopOfItsWork)
{
    test::ScenarioFolder folder;
    const QString file = folder.add("locked.kqx", 51);
    auto store = std::make_unique<ScenarioStore>();
    QString error;
    ASSERT_TRUE(store->Open(file, error));
    store->persons.ZhiLi[3] = 77;
    OtherWriter other(file, 300);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(store->Save(error)) << error.toStdString();
    EXPECT_GE(timer.elapsed(), 250);
    auto reread = std::make_unique<ScenarioStore>();
    ASSERT_TRUE(reread->Open(file, error));
    EXPECT_EQ(reread->persons.ZhiLi[3], 77);
}

TEST(ScenarioLock, AWriterThatCannotGetItsTurnGivesUpWithAClearMessage)
{
    test::ScenarioFolder folder;
    const QString file = folder.add("busy.kqx", 52);
    OtherWriter other(file, 3000);
    ScenarioLock lock(file, 200);
    QString error;
    EXPECT_FALSE(lock.Acquire(error));
    EXPECT_TRUE(error.contains(file)) << error.toStdString();
    EXPECT_TRUE(error.contains("另一个程序")) << error.toStdString();

    // Within one process the lock is shared: an import's save runs under the import's lock.
    test::ScenarioFolder free;
    const QString mine = free.add("mine.kqx", 53);
    ScenarioLock outer(mine, 200);
    ScenarioLock inner(mine, 200);
    EXPECT_TRUE(outer.Acquire(error) && inner.Acquire(error)) << error.toStdString();
}

} // namespace
} // namespace veldor
