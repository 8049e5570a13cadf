#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

} // namespace veldor::test
