#include "ui/questions.h"

#include "ui/messages.h"

#include <QMessageBox>
#include <QPushButton>

#include <initializer_list>
#include <vector>

namespace veldor {
namespace {

// Asks `text` with the given buttons, left to right; returns the index of the one pressed. The
// last button is the answer to Escape and the close box.
int ask(QWidget* parent, const QString& name, const QString& text,
        std::initializer_list<QString> buttons)
{
    QMessageBox box(QMessageBox::Question, MessageTitle(), text, QMessageBox::NoButton, parent);
    box.setObjectName(name);
    std::vector<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added.push_back(box.addButton(caption, QMessageBox::AcceptRole));
    box.setDefaultButton(static_cast<QPushButton*>(added.front()));
    box.setEscapeButton(added.back());
    box.exec();
    for (size_t k = 0; k < added.size(); ++k)
        if (box.clickedButton() == added[k])
            return int(k);
    return int(added.size()) - 1;
}

} // namespace

SaveChangesAnswer AskSaveChanges(QWidget* parent)
{
    const int answer =
        ask(parent, QStringLiteral("SaveChangesQuestion"), QStringLiteral("剧本已修改，是否保存？"),
            {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")});
    return SaveChangesAnswer(answer);
}

bool AskReload(QWidget* parent)
{
    return ask(parent, QStringLiteral("ReloadQuestion"),
               QStringLiteral("重新载入将放弃所有未保存的修改。"),
               {QStringLiteral("重新载入"), QStringLiteral("取消")}) == 0;
}

PendingValuesAnswer AskPendingValues(QWidget* parent, int pending)
{
    const int answer =
        ask(parent, QStringLiteral("PendingValuesQuestion"),
            QStringLiteral("有 %1 项输入尚未应用到选中的武将。").arg(pending),
            {QStringLiteral("应用到选中武将"), QStringLiteral("放弃输入"), QStringLiteral("返回")});
    return PendingValuesAnswer(answer);
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
    const int answer = ask(parent, QStringLiteral("ExternalChangeQuestion"), text,
                           {QStringLiteral("合并"), QStringLiteral("重新载入"),
                            QStringLiteral("覆盖"), QStringLiteral("取消")});
    return ExternalChangeAnswer(answer);
}

bool AskSaveWithoutBackup(QWidget* parent, const QString& reason)
{
    return ask(parent, QStringLiteral("NoBackupQuestion"),
               QStringLiteral("无法在剧本所在的文件夹中写入备份（%1）。是否直接写入剧本文件？")
                   .arg(reason),
               {QStringLiteral("直接写入"), QStringLiteral("取消")}) == 0;
}

bool AskSaveElsewhere(QWidget* parent, const QString& what)
{
    return ask(parent, QStringLiteral("FileGoneQuestion"),
               what + QStringLiteral("\n是否把当前的剧本另存为新文件？"),
               {QStringLiteral("另存为"), QStringLiteral("取消")}) == 0;
}

} // namespace veldor
