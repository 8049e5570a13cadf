#pragma once

#include <QString>

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

// ExternalChangeQuestion: "剧本文件已被其他程序修改。", with how many fields changed in the file
// and how many of those the user changed too (their values are the ones a merge keeps).
enum class ExternalChangeAnswer { Merge, Reload, Overwrite, Cancel };
ExternalChangeAnswer AskExternalChange(QWidget* parent, int changedOnDisk, int changedByUserToo);

// NoBackupQuestion: "无法在剧本所在的文件夹中写入备份（原因）。是否直接写入剧本文件？" True means
// write the file in place.
bool AskSaveWithoutBackup(QWidget* parent, const QString& reason);

// FileGoneQuestion: the file was deleted or renamed away (`what` says so). True means Save As.
bool AskSaveElsewhere(QWidget* parent, const QString& what);

} // namespace veldor
