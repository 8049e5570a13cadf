#include "data/format/forcechoices.h"

#include "data/format/itemtexts.h"
#include "data/format/personchoices.h"

namespace veldor {

const QStringList& ForceRankItems()
{
    static const QStringList items =
        SplitItemTexts("皇帝 王 公 大司马 大将军 中郎将 州刺史 州牧 ——");
    return items;
}

const QStringList& ForceNameItems()
{
    static const QStringList items =
        SplitItemTexts("魏 蜀 吴 成 倭 乌丸 羌 山越 南蛮 黄巾 燕 赵 齐 宋 楚 凉 越 秦 韩 晋 ——");
    return items;
}

// The force window lists the person window's skills, except that the fifteenth reads "门舰"
// where the person window has "斗舰".
const QStringList& ForceSkillCaptions()
{
    static const QStringList items = [] {
        QStringList captions = PrsnSkillCaptions();
        captions[14] = QStringLiteral("门舰");
        return captions;
    }();
    return items;
}

} // namespace veldor
