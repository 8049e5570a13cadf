#pragma once

#include <QString>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Tests that need another user's rights or a file system of their own run their body in a
// child process (POSIX systems only).
namespace veldor::test {

// Runs `body` with the rights of an ordinary user, so that file permissions bind as they do
// for the people who run the editor. As root the body runs in a child process that has
// dropped to uid/gid 65534; otherwise it runs here. Returns whether the body returned true;
// `message` receives what the body wrote to its argument.
bool RunUnprivileged(const std::function<bool(std::string&)>& body, std::string& message);

// Runs `body` in a child process as `uid`:`gid` with the supplementary `groups` (root only).
bool RunAsUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups,
               const std::function<bool(std::string&)>& body, std::string& message);

enum class ChildResult { Passed, Failed, Skipped };

// Runs `body` in a child process on a tmpfs of its own, mounted with `options` (e.g.
// "size=1m") on a fresh folder that the body receives. Skipped where the machine does not
// let this process mount one (not root, no mount namespaces).
ChildResult RunOnOwnTmpfs(const char* options,
                          const std::function<bool(const QString& dir, std::string&)>& body,
                          std::string& message);

} // namespace veldor::test
