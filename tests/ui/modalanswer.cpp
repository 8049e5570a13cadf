#include "modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace veldor::test {

QString GoOnAnswer(const QString& question)
{
    if (question == QStringLiteral("ReloadQuestion"))
        return QStringLiteral("重新载入");
    if (question == QStringLiteral("PendingValuesQuestion"))
        return QStringLiteral("放弃输入");
    if (question == QStringLiteral("DiscardEditsQuestion"))
        return QStringLiteral("放弃");
    if (question == QStringLiteral("ExternalChangeQuestion"))
        return QStringLiteral("覆盖");
    if (question == QStringLiteral("NoBackupQuestion"))
        return QStringLiteral("直接写入");
    if (question == QStringLiteral("FileGoneQuestion"))
        return QStringLiteral("取消");
    return QStringLiteral("不保存");
}

bool ClickAnswer(QMessageBox* box, const QString& caption)
{
    for (QAbstractButton* button : box->buttons())
        if (button->text() == caption) {
            button->click();
            return true;
        }
    return false;
}

ModalAnswer::ModalAnswer()
{
    poll_.setInterval(2);
    connect(&poll_, &QTimer::timeout, this, &ModalAnswer::answer);
    poll_.start();
}

void ModalAnswer::answer()
{
    if (closing_ && !closing_->isVisible())
        closing_ = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<QMessageBox*>(modal);
    const bool question = box != nullptr && box->objectName().endsWith(QStringLiteral("Question"));
    if (question && !answerQuestions)
        return;
    if (question) {
        questions << box->objectName();
        ClickAnswer(box, GoOnAnswer(box->objectName()));
    } else if (box != nullptr) {
        messages << box->text();
        box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog != closing_) {
        windows << dialog->objectName();
        // Closing may ask first, in a modal loop of its own that this timer must answer too:
        // closed from the event loop, not from inside this timer's own call.
        closing_ = dialog;
        // A window kept for the next opening may be shown again before this timer runs once
        // more; seen as closing still, it would be left open for good.
        connect(
            dialog, &QDialog::finished, this,
            [this, dialog] {
                if (closing_ == dialog)
                    closing_ = nullptr;
            },
            Qt::SingleShotConnection);
        QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    }
}

} // namespace veldor::test
