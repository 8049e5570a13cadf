#pragma once

#include <QStringList>

class QIODevice;
class QTextStream;

namespace veldor {

// What a command may touch besides the files it is given.
struct SceContext
{
    QTextStream& out;
    QTextStream& err;
    // Where name.txt, face.txt and city.txt are looked for.
    QStringList nameListDirs;
    // What "-" reads where a command takes a file to read; null when there is none.
    QIODevice* in = nullptr;
    // Set once the command has saved the scenario: from then on a failure does not mean that
    // the file is as it was.
    bool saved = false;
};

// Runs the command line `args` (without the program name, e.g. {"dump", "x.kqx"}) and returns
// the exit code: 0 on success, 1 on any failure, which is also described on `context.err`.
int RunSce(const QStringList& args, SceContext& context);
int RunSce(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace veldor
