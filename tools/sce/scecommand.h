#pragma once

#include <QStringList>

#include <vector>

namespace veldor {

struct SceContext;

constexpr int kSceSuccess = 0;
constexpr int kSceFailure = 1;
// diff and check answer like diff(1): 1 means "differs" or "found something", 2 an error.
constexpr int kSceDiffers = 1;
constexpr int kSceFindings = 1;
constexpr int kSceTrouble = 2;
// The scenario was saved, but what the command wrote about it could not be: a script must not
// take this for "nothing written".
constexpr int kSceSavedOutputLost = 3;

struct SceCommand
{
    const char* name;
    const char* summary; // one line for the tool's own --help
    // `args` are the words after the command's name.
    int (*run)(const QStringList& args, SceContext& context);
    // What the command answers when it could not do its work, e.g. lost its output.
    int errorCode = kSceFailure;
};

// Every subcommand, in the order the tool's --help lists them.
const std::vector<SceCommand>& SceCommands();

int RunInfo(const QStringList& args, SceContext& context);
int RunDump(const QStringList& args, SceContext& context);
int RunResave(const QStringList& args, SceContext& context);
int RunExport(const QStringList& args, SceContext& context);
int RunImport(const QStringList& args, SceContext& context);
int RunDiff(const QStringList& args, SceContext& context);
int RunCheck(const QStringList& args, SceContext& context);
int RunFields(const QStringList& args, SceContext& context);

} // namespace veldor
