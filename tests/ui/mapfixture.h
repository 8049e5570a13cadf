#pragma once

#include "modalanswer.h"

#include "data/scenariotables.h"
#include "ui/startup.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QAbstractButton;

namespace veldor {
class TFMap;
}

namespace veldor::test {

// The program's windows, built by its own start-up, with the main window shown, the open
// dialog answered by `choice` and every modal window answered by `answers`.
class MapWindow : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a scenario of random bytes, with `edit` applied to its tables, into the test's
    // folder; returns its path.
    QString writeScenario(const QString& name, uint32_t seed,
                          const std::function<void(ScenarioTables&)>& edit = {});
    // Opens `path` through the menu's open item and the answered dialog.
    void openThroughDialog(const QString& path);

    QAbstractButton* button(const QString& name) const;
    QAbstractButton* cityButton(int city) const;
    // The store's tables as bytes, for comparing whole snapshots.
    QByteArray storeBytes() const;
    // A file's tables decoded as the store would hold them.
    static QByteArray tablesOfFile(const QString& path);

    Windows windows;
    std::unique_ptr<TFMap> map;
    QString choice;
    int dialogRuns = 0;
    QTemporaryDir dir;
    std::unique_ptr<ModalAnswer> answers;
};

QByteArray TablesBytes(const ScenarioTables& tables);

} // namespace veldor::test
