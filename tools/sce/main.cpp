#include "tools/console/standardstreams.h"
#include "tools/sce/sce.h"
#include "tools/sce/sceoutput.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    veldor::PrepareStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veldor-sce"));
    veldor::SceOutputDevice standardOutput(fileno(stdout));
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    return veldor::RunSce(QCoreApplication::arguments().mid(1), out, err);
}
