#include "tools/sce/sce.h"
#include "tools/sce/sceoutput.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Started with descriptor 0 closed, the first file Qt opens would take its number, and "-"
    // would read that instead of an empty input.
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1)
        ::open("/dev/null", O_RDONLY);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veldor-sce"));
    // A reader that goes away is a failed write to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    veldor::SceOutputDevice standardOutput(STDOUT_FILENO);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    return veldor::RunSce(QCoreApplication::arguments().mid(1), out, err);
}
