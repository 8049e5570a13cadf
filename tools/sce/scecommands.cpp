#include "tools/sce/scecommand.h"

namespace veldor {

const std::vector<SceCommand>& SceCommands()
{
    static const std::vector<SceCommand> commands = {
        {"info", "概况：文件大小、各势力的君主与城市数、各身份的人数", RunInfo},
        {"dump", "以 JSON 输出全部（或一张）表的每个字段", RunDump},
        {"resave", "读入剧本再按编辑器的保存方式原样写回", RunResave},
        {"export", "把一张表导出为 CSV 或 JSON，供电子表格编辑", RunExport},
        {"import", "检查 CSV 后把其中改动的字段写回剧本（先备份）", RunImport},
        {"diff", "逐字段比较两个剧本（0 相同，1 不同，2 出错）", RunDiff, kSceTrouble},
        {"fields", "列出各表的字段：字段名、中文名、允许的值、显示方式", RunFields},
        {"check", "找出君主、城市、军师等不一致之处（0 无，1 有，2 出错）", RunCheck, kSceTrouble},
    };
    return commands;
}

} // namespace veldor
