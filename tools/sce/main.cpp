#include "tools/sce/sce.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veldor-sce"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return veldor::RunSce(QCoreApplication::arguments().mid(1), out, err);
}
