#include "ui/windows/questions.h"

#include "ui/windows/messages.h"

#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace veldor {
namespace {

template <class Answer> using Choices = std::vector<std::pair<QString, Answer>>;

// Asks `text` with the given buttons, left to right; returns the answer of the button pressed.
// `safest` answers Escape and the close box, and anything else that closes the box without a
// button of ours. Enter presses the first button, or `safest` when `enterIsSafest`.
template <class Answer>
Answer ask(QWidget* parent, const QString& name, const QString& text,
           const Choices<Answer>& choices, Answer safest, bool enterIsSafest = false)
{
    QMessageBox box(QMessageBox::Question, MessageTitle(), text, QMessageBox::NoButton, parent);
    box.setObjectName(name);
    std::vector<std::pair<QAbstractButton*, Answer>> added;
    for (const auto& [caption, answer] : choices) {
        QPushButton* button = box.addButton(caption, QMessageBox::AcceptRole);
        added.emplace_back(button, answer);
        if (answer == safest)
            box.setEscapeButton(button);
        if (answer == safest && enterIsSafest)
            box.setDefaultButton(button);
    }
    if (!enterIsSafest)
        box.setDefaultButton(static_cast<QPushButton*>(added.front().first));
    box.exec();
    for (const auto& [button, answer] : added)
        if (box.clickedButton() == button)
            return answer;
    return safest;
}

} // namespace

SaveChangesAnswer AskSaveChanges(QWidget* parent)
{
    return ask<SaveChangesAnswer>(parent, QStringLiteral("SaveChangesQuestion"),
                                  QStringLiteral("剧本已修改，是否保存？"),
                                  {{QStringLiteral("保存"), SaveChangesAnswer::Save},
                                   {QStringLiteral("不保存"), SaveChangesAnswer::Discard},
                                   {QStringLiteral("取消"), SaveChangesAnswer::Cancel}},
                                  SaveChangesAnswer::Cancel);
}

bool AskReload(QWidget* parent)
{
    return ask<bool>(parent, QStringLiteral("ReloadQuestion"),
                     QStringLiteral("重新载入将放弃所有未保存的修改。"),
                     {{QStringLiteral("重新载入"), true}, {QStringLiteral("取消"), false}}, false);
}

PendingValuesAnswer AskPendingValues(QWidget* parent, int pending, bool canAssign)
{
    Choices<PendingValuesAnswer> choices;
    if (canAssign)
        choices.emplace_back(QStringLiteral("应用到选中武将"), PendingValuesAnswer::Assign);
    choices.emplace_back(QStringLiteral("放弃输入"), PendingValuesAnswer::Drop);
    choices.emplace_back(QStringLiteral("返回"), PendingValuesAnswer::Back);
    return ask(parent, QStringLiteral("PendingValuesQuestion"),
               QStringLiteral("有 %1 项输入尚未应用到选中的武将。").arg(pending), choices,
               PendingValuesAnswer::Back, !canAssign);
}

DiscardEditsAnswer AskDiscardEdits(QWidget* parent)
{
    return ask<DiscardEditsAnswer>(parent, QStringLiteral("DiscardEditsQuestion"),
                                   QStringLiteral("放弃本窗口中尚未应用的修改？"),
                                   {{QStringLiteral("应用"), DiscardEditsAnswer::Apply},
                                    {QStringLiteral("放弃"), DiscardEditsAnswer::Discard},
                                    {QStringLiteral("返回"), DiscardEditsAnswer::Back}},
                                   DiscardEditsAnswer::Back);
}

ExternalChangeAnswer AskExternalChange(QWidget* parent, int changedOnDisk, int changedByUserToo)
{
    QString text =
        QStringLiteral("剧本文件已被其他程序修改。\n文件中有 %1 项与打开时不同").arg(changedOnDisk);
    if (changedByUserToo > 0)
        text += QStringLiteral("，其中 %1 项你也修改过；合并时这些项保留你的值。")
                    .arg(changedByUserToo);
    else
        text += QStringLiteral("，都是你没有修改过的项。");
    using A = ExternalChangeAnswer;
    return ask<A>(parent, QStringLiteral("ExternalChangeQuestion"), text,
                  {{QStringLiteral("合并"), A::Merge},
                   {QStringLiteral("重新载入"), A::Reload},
                   {QStringLiteral("覆盖"), A::Overwrite},
                   {QStringLiteral("取消"), A::Cancel}},
                  A::Cancel);
}

bool AskSaveWithoutBackup(QWidget* parent, const QString& reason)
{
    return ask<bool>(
        parent, QStringLiteral("NoBackupQuestion"),
        QStringLiteral("无法在剧本所在的文件夹中写入备份（%1）。是否直接写入剧本文件？")
            .arg(reason),
        {{QStringLiteral("直接写入"), true}, {QStringLiteral("取消"), false}}, false);
}

bool AskSaveElsewhere(QWidget* parent, const QString& what)
{
    return ask<bool>(parent, QStringLiteral("FileGoneQuestion"),
                     what + QStringLiteral("\n是否把当前的剧本另存为新文件？"),
                     {{QStringLiteral("另存为"), true}, {QStringLiteral("取消"), false}}, false);
}

} // namespace veldor
