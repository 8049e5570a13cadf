#include "data/forcechoices.h"

namespace veldor {
namespace {

QStringList split(const char* utf8)
{
    return QString::fromUtf8(utf8).split(u' ');
}

} // namespace

const QStringList& ForceRankItems()
{
    static const QStringList items = split("皇帝 王 公 大司马 大将军 中郎将 州刺史 州牧 ——");
    return items;
}

const QStringList& ForceNameItems()
{
    static const QStringList items =
        split("魏 蜀 吴 成 倭 乌丸 羌 山越 南蛮 黄巾 燕 赵 齐 宋 楚 凉 越 秦 韩 晋 ——");
    return items;
}

// The fifteenth reads "门舰" in the force window, unlike the person window's "斗舰".
const QStringList& ForceSkillCaptions()
{
    static const QStringList items =
        split("奋战 奋斗 奋迅 突破 突进 突击 骑射 奔射 飞射 齐射 连射 连弩 艨艟 楼船 门舰 井阑 "
              "冲车 发石 象兵 营造 石兵 破陷 教谕 混乱 陷阱 攻心 幻术 辱骂 鼓舞 治疗 妖术");
    return items;
}

} // namespace veldor
