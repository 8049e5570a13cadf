#include "nextanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace veldor::test {

NextAnswer::NextAnswer(QStringList captions) : captions_(std::move(captions))
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
    const QString caption = captions_[answered++];
    if (answered == captions_.size())
        poll_.stop();
    asked = box->objectName();
    offered.clear();
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(),
              [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
    for (QAbstractButton* button : buttons)
        offered << button->text();
    if (caption.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
    }
    for (QAbstractButton* button : buttons)
        if (button->text() == caption) {
            button->click();
            return;
        }
    ADD_FAILURE() << asked.toStdString() << " offers no " << caption.toStdString();
    QTest::keyClick(box, Qt::Key_Escape);
}

} // namespace veldor::test
