#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <string>

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

} // namespace veldor::test
