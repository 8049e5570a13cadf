#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace veldor::test {

// Scenario-sized bytes from a seeded generator: every named field and every kept byte random.
QByteArray RandomScenarioBytes(uint32_t seed, qint64 size = 720000);

// Writes `bytes` to `path` (a test's own temporary file); fails the test on error.
void WriteBytes(const QString& path, const QByteArray& bytes);

// The file's bytes, or an empty array when it cannot be read.
QByteArray ReadBytes(const QString& path);

} // namespace veldor::test
