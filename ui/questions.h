#pragma once

class QWidget;

namespace veldor {

// The questions asked before something the user typed or applied would be lost. Each is a
// modal box with its own objectName, so tests and scripts can find and answer it. The answer is
// the button pressed, whatever its place; Escape and the close box give the safest answer,
// the one that loses nothing and does nothing.

// SaveChangesQuestion: "剧本已修改，是否保存？" Escape: Cancel.
enum class SaveChangesAnswer { Save, Discard, Cancel };
SaveChangesAnswer AskSaveChanges(QWidget* parent);

// ReloadQuestion: "重新载入将放弃所有未保存的修改。" True means reload; Escape: false.
bool AskReload(QWidget* parent);

// PendingValuesQuestion: "有 N 项输入尚未应用到选中的武将。" Assign is offered only when
// `canAssign` (some row is marked to receive the values). Escape: Back.
enum class PendingValuesAnswer { Assign, Drop, Back };
PendingValuesAnswer AskPendingValues(QWidget* parent, int pending, bool canAssign = true);

// DiscardEditsQuestion: "放弃本窗口中尚未应用的修改？" Escape: Back.
enum class DiscardEditsAnswer { Apply, Discard, Back };
DiscardEditsAnswer AskDiscardEdits(QWidget* parent);

} // namespace veldor
