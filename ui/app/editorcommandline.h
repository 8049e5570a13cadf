#pragma once

#include <QString>
#include <QStringList>

namespace veldor {

// What the editor was asked for on its command line: veldor-editor [--help | --version] [FILE].
struct EditorCommandLine
{
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    // Run: the scenario to open once the main window shows; empty for none.
    QString file;
    // ShowHelp and ShowVersion: what goes to standard output. Refuse: why, for standard error.
    QString text;
};

// `args` start with the program's name, as QCoreApplication::arguments() does. --help and
// --version win over anything else on the line, so they answer even beside options that only
// Qt itself knows (-platform, -style...).
EditorCommandLine ParseEditorCommandLine(const QStringList& args);

// argv as text, for reading the command line before Qt's application object exists.
QStringList ArgumentsOf(int argc, char** argv);

} // namespace veldor
