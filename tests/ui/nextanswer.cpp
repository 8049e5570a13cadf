#include "nextanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace veldor::test {

NextAnswer::NextAnswer(QString caption) : caption_(std::move(caption))
{
    poll_.setInterval(2);
    connect(&poll_, &QTimer::timeout, this, &NextAnswer::answer);
    poll_.start();
}

void NextAnswer::answer()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->objectName().endsWith(QStringLiteral("Question")))
        return;
    poll_.stop();
    asked = box->objectName();
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* a, QAbstractButton* b) {
        return a->x() < b->x();
    });
    for (QAbstractButton* button : buttons)
        offered << button->text();
    if (caption_.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
    }
    for (QAbstractButton* button : buttons)
        if (button->text() == caption_) {
            button->click();
            return;
        }
    ADD_FAILURE() << asked.toStdString() << " offers no " << caption_.toStdString();
    QTest::keyClick(box, Qt::Key_Escape);
}

} // namespace veldor::test
