#pragma once

#include "data/format/indices.h"
#include "data/session/packedchanges.h"

#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace veldor {

class NameTables;

// Which editor made a step; it names the step. DiskMerge is the step that took in what another
// program changed in the file.
enum class EditorKind { City, Force, Person, DiskMerge };

// The memory the steps may take before the oldest are dropped.
constexpr size_t kHistoryBudget = size_t(64) << 20;

// One Apply or OK that changed the store, kept as its field changes, not as a copy of tables.
struct HistoryStep
{
    QString title; // "城市修改：濮阳"
    PackedChanges changes;
    // The forces' sovereigns before the step: a force is called by its sovereign's name, and
    // the step may change or delete him.
    std::array<uint16_t, kForces> kingsBefore;
};

// The steps since a file was opened or reloaded, and how many of them are applied (the
// current position). Undo and redo replay a step's changes backwards or forwards onto the
// tables, so they restore exactly the values the step found or left.
class ScenarioHistory
{
public:
    // Steps are named after the records they change, in `names`, which must outlive the history.
    explicit ScenarioHistory(const NameTables& names);
    ~ScenarioHistory();

    // Drops every step; `tables` as they are now are where the next step starts.
    void Reset(const ScenarioTables& tables);
    // Records the change from the tables as the last step left them to `tables` as one step
    // named after `editor` and the records it changed, dropping the steps undone before it.
    // Returns false and records nothing when no field changed.
    bool Record(const ScenarioTables& tables, EditorKind editor);
    // The same for a change that names itself ("表格粘贴：12 个单元格").
    bool Record(const ScenarioTables& tables, const QString& title);

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    void Undo(ScenarioTables& tables);
    void Redo(ScenarioTables& tables);
    // Undoes step `index` and every step after it that is applied.
    void UndoThrough(size_t index, ScenarioTables& tables);
    // Redoes every undone step up to and including step `index`.
    void RedoThrough(size_t index, ScenarioTables& tables);
    // The step the next undo or redo would take; empty when there is none.
    QString UndoTitle() const;
    QString RedoTitle() const;

    // Once the steps take more than `bytes`, the oldest are dropped (never the newest one):
    // running out of memory would end the program with the user's work unsaved.
    void SetMemoryBudget(size_t bytes) { budget_ = bytes; }
    // How many of the oldest steps were dropped since the last Reset.
    size_t Dropped() const { return dropped_; }

    const std::vector<HistoryStep>& Steps() const { return steps_; }
    // Number of steps applied: steps [0, Position()) are in the tables, the rest undone.
    size_t Position() const { return position_; }
    // Bytes the steps take, as the containers hold them.
    size_t MemoryUse() const;

    // "武将 张三：统率 80 → 95": the step's changes as users read them (ChineseDifferenceLine),
    // forces named after their sovereigns before the step.
    QStringList StepLines(size_t index) const;

private:
    bool record(const ScenarioTables& tables,
                const std::function<QString(const FieldDifferences&)>& title);
    void keepWithinBudget();
    static size_t stepMemory(const HistoryStep& step);

    const NameTables& names_;
    std::vector<HistoryStep> steps_;
    size_t position_ = 0;
    size_t dropped_ = 0;
    size_t budget_ = kHistoryBudget;
    size_t stepsMemory_ = 0; // the sum of stepMemory over steps_
    // The tables as the applied steps leave them: the start of the next step.
    std::unique_ptr<ScenarioTables> current_;
};

} // namespace veldor
