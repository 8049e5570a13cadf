#include "tools/sce/sce.h"

#include <QCoreApplication>
#include <QTextStream>

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
    QTextStream out(stdout);
    QTextStream err(stderr);
    return veldor::RunSce(QCoreApplication::arguments().mid(1), out, err);
}
