#include "data/session/scenariohistory.h"

#include "data/format/fieldlabels.h"
#include "data/format/recordlabel.h"
#include "data/format/tablecells.h"

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <set>

namespace veldor {
namespace {

// More than this many forces in one step are counted, not named.
constexpr size_t kNamedForces = 3;

std::set<int> changedRecords(const FieldDifferences& changes, TableId table)
{
    std::set<int> records;
    for (const FieldDifference& d : changes)
        if (d.table == table)
            records.insert(d.record);
    return records;
}

QString forceTitle(const FieldDifferences& changes, const ScenarioTables& before,
                   const NameTables& names)
{
    const std::set<int> forces = changedRecords(changes, TableId::Forces);
    if (forces.empty())
        return QStringLiteral("%1 项").arg(changes.size());
    if (forces.size() > kNamedForces)
        return QStringLiteral("%1 个势力").arg(forces.size());
    QStringList kings;
    for (int force : forces)
        kings << RecordName(before, names, TableId::Forces, force);
    return kings.join(QStringLiteral("、"));
}

// Persons whose own fields changed, and those who gained or lost a treasure.
QString personTitle(const FieldDifferences& changes, const ScenarioTables& before,
                    const NameTables& names)
{
    std::set<int> persons = changedRecords(changes, TableId::Persons);
    for (const FieldDifference& d : changes)
        if (d.table == TableId::Items)
            for (int32_t owner : {d.a, d.b})
                if (isPerson(uint16_t(owner)))
                    persons.insert(owner);
    if (persons.size() == 1) {
        const QString name = RecordName(before, names, TableId::Persons, *persons.begin());
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("%1 人").arg(persons.size());
}

// The city editor writes one city's fields and moves persons into that city.
int editedCity(const FieldDifferences& changes)
{
    const std::set<int> cities = changedRecords(changes, TableId::Cities);
    if (!cities.empty())
        return *cities.begin();
    const int personCity = TableColumnIndex(TableId::Persons, QStringLiteral("City"));
    for (const FieldDifference& d : changes)
        if (d.table == TableId::Persons && d.column == personCity && d.b >= 0 && d.b < kCities)
            return d.b;
    return -1;
}

QString stepTitle(EditorKind editor, const FieldDifferences& changes, const ScenarioTables& before,
                  const NameTables& names)
{
    switch (editor) {
    case EditorKind::City:
        return QStringLiteral("城市修改：") +
               RecordName(before, names, TableId::Cities, editedCity(changes));
    case EditorKind::Force:
        return QStringLiteral("势力修改：") + forceTitle(changes, before, names);
    case EditorKind::Person:
        return QStringLiteral("武将修改：") + personTitle(changes, before, names);
    case EditorKind::DiskMerge:
        return QStringLiteral("合并外部修改：%1 项").arg(changes.size());
    }
    return {};
}

} // namespace

ScenarioHistory::ScenarioHistory(const NameTables& names)
    : names_(names), current_(std::make_unique<ScenarioTables>())
{
}

ScenarioHistory::~ScenarioHistory() = default;

void ScenarioHistory::Reset(const ScenarioTables& tables)
{
    steps_.clear();
    steps_.shrink_to_fit();
    position_ = 0;
    dropped_ = 0;
    stepsMemory_ = 0;
    std::memcpy(static_cast<void*>(current_.get()), &tables, sizeof(ScenarioTables));
}

bool ScenarioHistory::Record(const ScenarioTables& tables, EditorKind editor)
{
    return record(tables, [this, editor](const FieldDifferences& changes) {
        return stepTitle(editor, changes, *current_, names_);
    });
}

bool ScenarioHistory::Record(const ScenarioTables& tables, const QString& title)
{
    return record(tables, [&title](const FieldDifferences&) { return title; });
}

bool ScenarioHistory::record(const ScenarioTables& tables,
                             const std::function<QString(const FieldDifferences&)>& title)
{
    FieldDifferences changes = DiffTables(*current_, tables);
    if (changes.empty())
        return false;
    for (size_t k = position_; k < steps_.size(); ++k)
        stepsMemory_ -= stepMemory(steps_[k]);
    steps_.erase(steps_.begin() + std::ptrdiff_t(position_), steps_.end());
    HistoryStep step;
    step.title = title(changes);
    step.title.squeeze();
    std::copy(std::begin(current_->forces.King), std::end(current_->forces.King),
              step.kingsBefore.begin());
    ApplyDifferences(*current_, changes, Direction::Forwards);
    step.changes = PackedChanges(changes);
    stepsMemory_ += stepMemory(step);
    steps_.push_back(std::move(step));
    position_ = steps_.size();
    keepWithinBudget();
    return true;
}

size_t ScenarioHistory::stepMemory(const HistoryStep& step)
{
    return step.changes.MemoryUse() + size_t(step.title.capacity()) * sizeof(QChar);
}

void ScenarioHistory::keepWithinBudget()
{
    size_t drop = 0;
    while (drop + 1 < steps_.size() && drop < position_ &&
           stepsMemory_ + steps_.capacity() * sizeof(HistoryStep) > budget_)
        stepsMemory_ -= stepMemory(steps_[drop++]);
    if (drop == 0)
        return;
    steps_.erase(steps_.begin(), steps_.begin() + std::ptrdiff_t(drop));
    position_ -= drop;
    dropped_ += drop;
}

void ScenarioHistory::Undo(ScenarioTables& tables)
{
    if (!CanUndo())
        return;
    --position_;
    for (ScenarioTables* t : {&tables, current_.get()})
        steps_[position_].changes.Apply(*t, Direction::Backwards);
}

void ScenarioHistory::Redo(ScenarioTables& tables)
{
    if (!CanRedo())
        return;
    for (ScenarioTables* t : {&tables, current_.get()})
        steps_[position_].changes.Apply(*t, Direction::Forwards);
    ++position_;
}

void ScenarioHistory::UndoThrough(size_t index, ScenarioTables& tables)
{
    while (position_ > index)
        Undo(tables);
}

void ScenarioHistory::RedoThrough(size_t index, ScenarioTables& tables)
{
    while (position_ <= index && CanRedo())
        Redo(tables);
}

QString ScenarioHistory::UndoTitle() const
{
    return CanUndo() ? steps_[position_ - 1].title : QString();
}

QString ScenarioHistory::RedoTitle() const
{
    return CanRedo() ? steps_[position_].title : QString();
}

size_t ScenarioHistory::MemoryUse() const
{
    return steps_.capacity() * sizeof(HistoryStep) + stepsMemory_;
}

QStringList ScenarioHistory::StepLines(size_t index) const
{
    const HistoryStep& step = steps_.at(index);
    // Only the sovereigns name anything beyond the name lists; the rest of the tables stays
    // empty.
    auto kings = std::make_unique<ScenarioTables>();
    std::copy(step.kingsBefore.begin(), step.kingsBefore.end(), kings->forces.King);
    QStringList lines;
    lines.reserve(int(step.changes.size()));
    for (const FieldDifference& d : step.changes.Unpack())
        lines << ChineseDifferenceLine(*kings, names_, d);
    return lines;
}

} // namespace veldor
