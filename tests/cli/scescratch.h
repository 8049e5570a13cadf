#pragma once

#include "cli/sceharness.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>

namespace veldor {
struct ScenarioTables;
}

namespace veldor::test {

// A temporary folder for one test's files, and veldor-sce run against the known name lists.
class SceScratch
{
public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const;
    QStringList files() const; // every file in the folder, hidden ones included
    SceResult run(const QStringList& args, const QByteArray& input = {}) const
    {
        return RunSceCaptured(args, {names_.dir()}, input);
    }

private:
    QTemporaryDir dir_;
    KnownNameLists names_;
};

std::unique_ptr<ScenarioTables> DecodedTables(const QByteArray& bytes);

// The sample of `seed` as file bytes, with `edit` applied to its tables first.
QByteArray EditedSampleBytes(uint32_t seed, const std::function<void(ScenarioTables&)>& edit);

} // namespace veldor::test
