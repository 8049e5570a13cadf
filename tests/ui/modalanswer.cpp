#include "modalanswer.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace veldor::test {

ModalAnswer::ModalAnswer()
{
    poll_.setInterval(2);
    connect(&poll_, &QTimer::timeout, this, &ModalAnswer::answer);
    poll_.start();
}

void ModalAnswer::answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages << box->text();
        box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        windows << dialog->objectName();
        dialog->reject();
    }
}

} // namespace veldor::test
