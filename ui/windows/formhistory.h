#pragma once

#include "ui/windows/form.h"

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace veldor {

class ScenarioHistory;

// The change history: one entry per step, newest last, each opening to its field changes; the
// steps that are undone are shown apart from the applied ones. "撤销到此" undoes the chosen
// entry and every applied entry after it, "重做到此" redoes every undone entry up to the
// chosen one. Steps dropped to keep the history within its memory are counted at the top.
class TFHistory : public Form
{
    Q_OBJECT
public:
    using StepAction = std::function<void(size_t step)>;

    TFHistory(const ScenarioHistory& history, StepAction undoThrough, StepAction redoThrough,
              QWidget* parent = nullptr);

    // Fills the entries from the history as it is now; runs on every showing.
    void FormShow() override;

private:
    void fillEntries();
    void fillLines(QTreeWidgetItem* entry);
    void showChosenEntry();
    void Button_UndoThroughClick();
    void Button_RedoThroughClick();
    int chosenStep() const;

    const ScenarioHistory& history_;
    StepAction undoThrough_;
    StepAction redoThrough_;
    QTreeWidget* TreeView_History = nullptr;
    QLabel* Label_Position = nullptr;
    QPushButton* Button_UndoThrough = nullptr;
    QPushButton* Button_RedoThrough = nullptr;
};

} // namespace veldor
