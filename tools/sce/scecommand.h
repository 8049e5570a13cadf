#pragma once

#include <QStringList>

#include <vector>

namespace veldor {

struct SceContext;

constexpr int kSceSuccess = 0;
constexpr int kSceFailure = 1;

struct SceCommand
{
    const char* name;
    const char* summary; // one line for the tool's own --help
    // `args` are the words after the command's name.
    int (*run)(const QStringList& args, SceContext& context);
};

// Every subcommand, in the order the tool's --help lists them.
const std::vector<SceCommand>& SceCommands();

int RunInfo(const QStringList& args, SceContext& context);
int RunDump(const QStringList& args, SceContext& context);
int RunResave(const QStringList& args, SceContext& context);

} // namespace veldor
