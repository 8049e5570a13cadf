#include "mapfixture.h"

#include "support/scenariofiles.h"

#include "data/format/scenariocodec.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>

namespace veldor::test {

QByteArray TablesBytes(const ScenarioTables& tables)
{
    return QByteArray(reinterpret_cast<const char*>(&tables), sizeof(ScenarioTables));
}

void MapWindow::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    windows = CreateWindows();
    map.reset(windows.FMap);
    map->setFileChooser([this](QWidget*) {
        ++dialogRuns;
        return choice;
    });
    map->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map.get()));
    answers = std::make_unique<ModalAnswer>();
}

void MapWindow::TearDown()
{
    answers.reset();
    map.reset();
}

QString MapWindow::writeScenario(const QString& name, uint32_t seed,
                                 const std::function<void(ScenarioTables&)>& edit)
{
    QByteArray bytes = RandomScenarioBytes(seed);
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(bytes, *tables);
    if (edit)
        edit(*tables);
    EncodeScenario(*tables, bytes);
    const QString path = dir.filePath(name);
    WriteBytes(path, bytes);
    return path;
}

void MapWindow::openThroughDialog(const QString& path)
{
    choice = path;
    map->findChild<QAction*>(QStringLiteral("O1"))->trigger();
}

void MapWindow::saveThroughButton()
{
    answers = std::make_unique<ModalAnswer>();
    button(QStringLiteral("Button54"))->click();
    EXPECT_TRUE(answers->messages.isEmpty()) << answers->messages.join(u'\n').toStdString();
}

QAbstractButton* MapWindow::button(const QString& name) const
{
    auto* found = map->findChild<QAbstractButton*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

QAbstractButton* MapWindow::cityButton(int city) const
{
    return button(QStringLiteral("Button%1").arg(city + 1));
}

QByteArray MapWindow::storeBytes() const
{
    return TablesBytes(map->Store());
}

QByteArray MapWindow::tablesOfFile(const QString& path)
{
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(ReadBytes(path), *tables);
    // The store starts from the cleared state; the read overwrites every field the clear sets.
    return TablesBytes(*tables);
}

} // namespace veldor::test
