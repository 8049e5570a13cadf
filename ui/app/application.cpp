#include "ui/app/application.h"

#include "data/version.h"
#include "ui/windows/messages.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace veldor {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("veldor-editor"));
    setApplicationVersion(QLatin1String(kVersion));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        EndOnError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        EndOnError(QStringLiteral("未知的异常"));
    }
}

void EndOnError(const QString& what)
{
    std::fprintf(stderr, "veldor-editor: %s\n", qPrintable(what));
    ShowMessage(nullptr, QStringLiteral("程序出错，必须退出：%1").arg(what));
    std::fflush(nullptr);
    // The event loops and windows are in no state to be unwound; leave without touching them.
    std::_Exit(kExitOnError);
}

} // namespace veldor
