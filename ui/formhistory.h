#pragma once

#include "ui/form.h"

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace veldor {

class ScenarioHistory;

// The change history: one entry per step, newest last, each opening to its field changes; the
// steps that are undone are shown apart from the applied ones, and "撤销到此" undoes the
// chosen entry and every applied entry after it.
class TFHistory : public Form
{
    Q_OBJECT
public:
    using UndoThrough = std::function<void(size_t step)>;

    TFHistory(const ScenarioHistory& history, UndoThrough undoThrough, QWidget* parent = nullptr);

    // Fills the entries from the history as it is now; runs on every showing.
    void FormShow() override;

private:
    void fillEntries();
    void fillLines(QTreeWidgetItem* entry);
    void showChosenEntry();
    void Button_UndoThroughClick();
    int chosenStep() const;

    const ScenarioHistory& history_;
    UndoThrough undoThrough_;
    QTreeWidget* TreeView_History = nullptr;
    QLabel* Label_Position = nullptr;
    QPushButton* Button_UndoThrough = nullptr;
};

} // namespace veldor
