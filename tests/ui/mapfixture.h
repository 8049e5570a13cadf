#pragma once

#include "modalanswer.h"

#include "data/format/scenariotables.h"
#include "ui/app/startup.h"
#include "ui/windows/formmap.h"

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QAbstractButton;

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
    // Presses "保存修改" with every modal window answered; the save must show no message.
    void saveThroughButton();
    // Runs `work` once a window of type `Window` is the modal window. The poll stops first, so
    // `work` may run event loops of its own.
    template <class Window> void whenModal(std::function<void(Window*)> work)
    {
        auto* poll = new QTimer(map.get());
        poll->setInterval(2);
        QObject::connect(poll, &QTimer::timeout, [poll, work] {
            if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
                poll->deleteLater();
                poll->stop();
                work(window);
            }
        });
        poll->start();
    }

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
