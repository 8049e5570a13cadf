#pragma once

#include "data/rules/scenariochecks.h"
#include "ui/windows/form.h"

#include <functional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace veldor {

class ScenarioStore;

// The consistency check of the store (not the file), one row per finding in the check
// command's wording, grouped by kind with counts. Double-clicking a finding (or Enter on it)
// opens the editor that mends it on the record to change.
class TFCheck : public Form
{
    Q_OBJECT
public:
    // The editors a finding opens: on a city, with a force chosen, with a person found.
    struct Doors
    {
        std::function<void(int city)> city;
        std::function<void(int force)> force;
        std::function<void(int person)> person;
    };

    TFCheck(const ScenarioStore& store, Doors doors, QWidget* parent = nullptr);

    // Checks the store again and rebuilds the list, keeping the scroll position.
    void Refresh();
    void FormShow() override { Refresh(); }

    const std::vector<Finding>& Findings() const { return findings_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A double-click on a finding, or Enter on the current one.
    void openFinding(QTreeWidgetItem* item);
    void fitColumnToWidestRow();

    const ScenarioStore& store_;
    Doors doors_;
    std::vector<Finding> findings_;
    QTreeWidget* TreeView_Check = nullptr;
};

} // namespace veldor
