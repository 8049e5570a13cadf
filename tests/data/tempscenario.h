#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace veldor::test {

// A test's own folder of scenario files, removed with it.
class ScenarioFolder
{
public:
    ScenarioFolder();

    QString path(const QString& name) const;
    // Writes random scenario bytes (or `bytes`) to `name` and returns the full path.
    QString add(const QString& name, uint32_t seed = 1, qint64 size = 720000);
    QString addBytes(const QString& name, const QByteArray& bytes);
    // Every name in the folder, hidden ones included: a save must leave no stray file.
    QStringList entries() const;

private:
    QTemporaryDir dir_;
};

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
