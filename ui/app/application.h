#pragma once

#include <QApplication>

namespace veldor {

// The exit code of a run that ended on an unexpected error.
constexpr int kExitOnError = 1;

// The editor's application object: an exception escaping any event handler is shown to the user
// and ends the program with kExitOnError, instead of unwinding through Qt (which cannot
// carry it) or being reported as success.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows `what` in a message box and ends the process at once with kExitOnError. Nothing is saved
// on the way out, as on any exit.
[[noreturn]] void EndOnError(const QString& what);

} // namespace veldor
