#pragma once

class QWidget;

namespace veldor {

// The questions asked before something the user typed or applied would be lost. Each is a
// modal box with its own objectName, so tests and scripts can find and answer it; its close
// box and Escape mean the last, harmless answer.

// SaveChangesQuestion: "剧本已修改，是否保存？"
enum class SaveChangesAnswer { Save, Discard, Cancel };
SaveChangesAnswer AskSaveChanges(QWidget* parent);

// ReloadQuestion: "重新载入将放弃所有未保存的修改。" True means reload.
bool AskReload(QWidget* parent);

// PendingValuesQuestion: "有 N 项输入尚未应用到选中的武将。"
enum class PendingValuesAnswer { Assign, Drop, Back };
PendingValuesAnswer AskPendingValues(QWidget* parent, int pending);

} // namespace veldor
