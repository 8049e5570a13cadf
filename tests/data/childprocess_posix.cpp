#include "childprocess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldor::test {

namespace {

constexpr int kSkippedExit = 77;

// Forks; the child runs `body` and exits with its code, handing back what it wrote to its
// argument. Returns the child's exit code, or -1 when it did not exit normally.
int runInChild(const std::function<int(std::string&)>& body, std::string& message)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string text;
        const int code = body(text);
        [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], text.data(), text.size());
        ::_exit(code);
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
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool RunAsUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups,
               const std::function<bool(std::string&)>& body, std::string& message)
{
    const int code = runInChild(
        [&](std::string& text) {
            if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(gid) != 0 ||
                ::setuid(uid) != 0) {
                text = "could not become the user";
                return 1;
            }
            return body(text) ? 0 : 1;
        },
        message);
    return code == 0;
}

bool RunUnprivileged(const std::function<bool(std::string&)>& body, std::string& message)
{
    if (::geteuid() != 0)
        return body(message);
    return RunAsUser(65534, 65534, {}, body, message);
}

ChildResult RunOnOwnTmpfs(const char* options,
                          const std::function<bool(const QString& dir, std::string&)>& body,
                          std::string& message)
{
    if (::geteuid() != 0) {
        message = "mounting a tmpfs needs root";
        return ChildResult::Skipped;
    }
    const int code = runInChild(
        [&](std::string& text) {
            char dir[] = "/tmp/veldor-tmpfs-XXXXXX";
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                !::mkdtemp(dir)) {
                text = std::string("no mount namespace: ") + std::strerror(errno);
                return kSkippedExit;
            }
            if (::mount("tmpfs", dir, "tmpfs", 0, options) != 0) {
                text = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
                ::rmdir(dir);
                return kSkippedExit;
            }
            const bool ok = body(QString::fromLocal8Bit(dir), text);
            ::umount(dir);
            ::rmdir(dir);
            return ok ? 0 : 1;
        },
        message);
    return code == kSkippedExit ? ChildResult::Skipped
           : code == 0          ? ChildResult::Passed
                                : ChildResult::Failed;
}

} // namespace veldor::test
