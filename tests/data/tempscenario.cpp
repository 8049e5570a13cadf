#include "tempscenario.h"

#include "support/scenariofiles.h"

#include <QDir>

#include <gtest/gtest.h>

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

} // namespace veldor::test
