#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace veldor::test {

// While alive, answers the next question box that opens (a QMessageBox whose objectName ends
// in "Question") by clicking the button captioned `caption`, or with the Escape key when
// `caption` is empty; later questions are left alone. Polls, so it also answers a question
// asked inside another modal loop.
class NextAnswer : public QObject
{
public:
    explicit NextAnswer(QString caption = {});

    // The question answered (empty until one was), and the captions it offered, left to right.
    QString asked;
    QStringList offered;

private:
    void answer();

    QTimer poll_;
    QString caption_;
};

} // namespace veldor::test
