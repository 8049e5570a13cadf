#include "tempscenario.h"

#include "support/scenariofiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldor::test {

ScenarioFolder::ScenarioFolder()
{
    EXPECT_TRUE(dir_.isValid());
    // Let an unprivileged child reach the folder; tests tighten it where they need to.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::WriteOther | QFile::ExeOther |
                                           QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup);
}

QString ScenarioFolder::path(const QString& name) const
{
    return dir_.filePath(name);
}

QString ScenarioFolder::add(const QString& name, uint32_t seed, qint64 size)
{
    return addBytes(name, RandomScenarioBytes(seed, size));
}

QString ScenarioFolder::addBytes(const QString& name, const QByteArray& bytes)
{
    const QString file = path(name);
    WriteBytes(file, bytes);
    return file;
}

QStringList ScenarioFolder::entries() const
{
    return QDir(dir_.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

bool RunUnprivileged(const std::function<bool(std::string&)>& body, std::string& message)
{
    if (::geteuid() != 0)
        return body(message);

    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string text;
        bool ok = false;
        if (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0)
            ok = body(text);
        else
            text = "could not drop root's rights";
        [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], text.data(), text.size());
        ::_exit(ok ? 0 : 1);
    }
    ::close(pipeFds[1]);
    message.clear();
    char buffer[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace veldor::test
