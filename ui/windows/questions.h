#pragma once

#include <QString>

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

// ExternalChangeQuestion: "剧本文件已被其他程序修改。", with how many fields changed in the file
// and how many of those the user changed too (their values are the ones a merge keeps).
// Escape: Cancel.
enum class ExternalChangeAnswer { Merge, Reload, Overwrite, Cancel };
ExternalChangeAnswer AskExternalChange(QWidget* parent, int changedOnDisk, int changedByUserToo);

// NoBackupQuestion: "无法在剧本所在的文件夹中写入备份（原因）。是否直接写入剧本文件？" True means
// write the file in place; Escape: false.
bool AskSaveWithoutBackup(QWidget* parent, const QString& reason);

// FileGoneQuestion: the file was deleted or renamed away (`what` says so). True means Save As;
// Escape: false.
bool AskSaveElsewhere(QWidget* parent, const QString& what);

} // namespace veldor
