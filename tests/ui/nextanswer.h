#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace veldor::test {

// While alive, answers the next question boxes that open (QMessageBoxes whose objectName ends
// in "Question"), one caption each in turn: it clicks the button so captioned, or presses
// Escape for an empty caption. Later questions are left alone. Polls, so it also answers
// questions asked inside other modal loops.
class NextAnswer : public QObject
{
public:
    explicit NextAnswer(QString caption = {}) : NextAnswer(QStringList{caption}) {}
    explicit NextAnswer(QStringList captions);

    // The last question answered (empty until one was), the captions it offered left to right,
    // and how many were answered.
    QString asked;
    QStringList offered;
    int answered = 0;

private:
    void answer();

    QTimer poll_;
    QStringList captions_;
};

} // namespace veldor::test
