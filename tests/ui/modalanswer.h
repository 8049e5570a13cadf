#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace veldor::test {

// While alive, answers every modal window that opens: a message box with OK (its text is
// recorded), any other dialog with its close box (its objectName is recorded). Polls, so it
// also answers windows opened inside other modal loops.
class ModalAnswer : public QObject
{
public:
    ModalAnswer();

    QStringList messages;
    QStringList windows;

private:
    void answer();

    QTimer poll_;
};

} // namespace veldor::test
