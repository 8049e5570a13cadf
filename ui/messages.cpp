#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace veldor {

void ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("Message"));
    box.exec();
}

} // namespace veldor
