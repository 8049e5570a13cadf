#include "tools/sce/scecommand.h"

namespace veldor {

const std::vector<SceCommand>& SceCommands()
{
    static const std::vector<SceCommand> commands = {
        {"info", "概况：文件大小、各势力的君主与城市数、各身份的人数", RunInfo},
        {"dump", "以 JSON 输出全部（或一张）表的每个字段", RunDump},
        {"resave", "读入剧本再按编辑器的保存方式原样写回", RunResave},
    };
    return commands;
}

} // namespace veldor
