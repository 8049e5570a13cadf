#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QMessageBox;

namespace veldor::test {

// The answer to a question that drops what is at stake and goes on, as the program did before
// it asked.
QString GoOnAnswer(const QString& question);
// Presses the button of `box` captioned `caption`; false when it has none.
bool ClickAnswer(QMessageBox* box, const QString& caption);

// While alive, answers every modal window that opens: a message box with OK (its text is
// recorded), a question before changes are dropped with the answer that goes on without them
// (its objectName is recorded), any other dialog with its close box (its objectName is
// recorded). Polls, so it also answers windows opened inside other modal loops.
class ModalAnswer : public QObject
{
public:
    ModalAnswer();

    QStringList messages;
    QStringList questions;
    // Off while a test answers the questions itself.
    bool answerQuestions = true;
    QStringList windows;

private:
    void answer();

    QTimer poll_;
    QPointer<QDialog> closing_;
};

} // namespace veldor::test
