#include "ui/windows/messages.h"

#include <QMessageBox>

namespace veldor {

void ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, MessageTitle(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("Message"));
    box.exec();
}

QString MessageTitle()
{
    return QStringLiteral("Veldor剧本修改器");
}

} // namespace veldor
